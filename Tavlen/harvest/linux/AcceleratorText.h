#pragma once

#include "harvest/KeyedEntry.h"
#include "platform/linux/AcceleratorParser.h"

#include <QString>
#include <optional>

namespace tavlen::linux_harvest {

// A parsed accelerator as the harvest records a menu entry's key equivalent.
KeyEquivalent keyEquivalentOf(const linux_platform::MenuKeyEquivalent& parsed);

// The sheet's notation ("⌃⇧ O") of accelerators that stand for more than one key press, the way
// GTK's shortcuts windows write them:
// - a range, "<Alt>1...9" or "<alt>1...<alt>9": "⌥ 1…9";
// - a sequence, "<ctrl>c+<ctrl>x": "⌃ C, ⌃ X";
// - keys pressed together, "Control_L&Control_R": each key's notation joined by " + ".
// None when the text is a single accelerator (or no such compound), or a key in it is unknown.
std::optional<QString> compoundAcceleratorText(const QString& accelerator);

// The notation of one accelerator in GTK or Qt syntax; none when it names no key Tavlen knows.
std::optional<QString> acceleratorText(const QString& accelerator);

// For a GTK accelerator whose key Tavlen cannot type (a key macOS lacks, such as Insert): its
// modifiers in the sheet's notation and the key's name as GTK writes it ("⌃ Insert"), so that
// the entry can still be shown. None when the text is no accelerator at all.
std::optional<QString> writtenAcceleratorText(const QString& accelerator);

} // namespace tavlen::linux_harvest
