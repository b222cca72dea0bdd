#pragma once

#include "harvest/MenuItem.h"

#include <QString>
#include <QStringList>
#include <QUuid>
#include <optional>

namespace tavlen {

// A menu entry's key equivalent as the harvest reads it: the typed character, the accessibility
// modifier mask, the macOS virtual key code and the menu glyph code (0 where absent).
struct KeyEquivalent {
    quint16 character = 0;
    quint64 modifiers = 0;
    quint64 virtualKey = 0;
    quint64 glyph = 0;
    // The platform's name of a key the notation has no symbol for ("Ins", "F21", "Media Play");
    // such a key may have no virtual key code at all.
    QString name = {};

    // Whether it names a key that can be stored and shown (16-bit virtual key codes only).
    bool namesKey() const
    {
        return (character != 0 || virtualKey != 0 || glyph != 0 || !name.isEmpty()) && virtualKey <= 0xFFFF;
    }
};

// The first Unicode scalar of a character text, when it fits in 16 bits; 0 otherwise.
quint16 characterCode(const QString& text);

// The sheet's text of a key equivalent: modifier symbols, one space, the key ("⌃⇧ O").
QString keyEquivalentText(const KeyEquivalent& key);

// The record of an entry with a key equivalent, its shortcut text and hotkey filled in, and no
// element: whoever has one sets it. None when the key equivalent names no key.
std::optional<MenuItem> keyedEntry(QUuid id, const QString& title, const KeyEquivalent& key, qint64 level,
                                   const QStringList& parentTitles);

} // namespace tavlen
