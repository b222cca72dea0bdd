#pragma once

#include "platform/ApplicationAccess.h"

#include <QString>

namespace tavlen {

// Why a read that went well brought no menus: the reason is the platform's (what the
// accessibility bus said of the application), the wording is the same for the panel and the
// command line.
struct MenuAbsence {
    enum class Kind {
        None,           // menus were found, or the read went wrong in a way MenuStatus tells
        SwitchedOff,    // accessibility is off and the application is not on the bus
        NotOnBus,       // accessibility is on, but the application never joined the bus
        NoMenuBar,      // the application answers, but none of its windows holds a menu bar
        MenusNotOpened, // its menus are empty until the user has opened them once (Gecko)
    };
    Kind kind = Kind::None;
    // What the application is built with, for the advice; empty when unknown.
    QString toolkit = {};

    friend bool operator==(const MenuAbsence&, const MenuAbsence&) = default;
};

// The reason for a read that found no menu bar: `menuBarMissing` is true when the application
// answered that it has none, false when it could not be asked at all.
MenuAbsence menuAbsence(bool menuBarMissing, const ApplicationAccess& access);

// The reason for a menu bar that gave no shortcut: its menus had to be opened first when some
// of them were empty.
MenuAbsence menuBarAbsence(int emptyMenus, qint64 shortcuts);

// One line for the user: what is wrong, and what to do; empty for Kind::None.
QString absenceText(const MenuAbsence& absence, const QString& applicationName);
// The line for menus that were read and hold no entry with a shortcut.
QString noShortcutText(const QString& applicationName);

} // namespace tavlen
