#pragma once

#include <QString>
#include <QtGlobal>

namespace tavlen {

// One custom shortcut as an export file carries it: [title, modifier words, key code].
struct ExportRow {
    QString title;
    QString modifiers;   // e.g. "shift+command"; empty without modifiers or without a recorded key
    qint64 keyCode = -1; // -1 when no key combination was recorded

    friend bool operator==(const ExportRow&, const ExportRow&) = default;
};

} // namespace tavlen
