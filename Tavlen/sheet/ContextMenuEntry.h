#pragma once

#include <QString>

namespace tavlen {

// One entry of a sheet row's context menu, in the order the menu shows them. The view builds
// the menu from these and hands the chosen entry's kind back to the row model (see
// ElementRowModel::trigger and CustomRowModel::trigger).
struct ContextMenuEntry {
    enum class Kind { Customize, Hide, Show, HideGlobally, ShowGlobally, Divider };

    Kind kind = Kind::Divider;
    QString title; // the entry's text; empty for a divider
    bool enabled = true;
    QString symbolName; // the system symbol drawn before the text; empty for none

    friend bool operator==(const ContextMenuEntry&, const ContextMenuEntry&) = default;
};

} // namespace tavlen
