#pragma once

#include "harvest/MenuAbsence.h"
#include "harvest/MenuItem.h"
#include "harvest/MenuWalk.h"
#include "platform/AXElement.h"

#include <QList>
#include <QPair>
#include <QString>

namespace tavlen {

// How a read of an application's menus ended.
enum class MenuReadOutcome {
    Complete,
    // The application did not answer before the deadline: what it answered until then.
    TimedOut,
    // The application left the accessibility bus during the read.
    Gone,
};

struct MenuReadRequest {
    qint64 processIdentifier = 0;
    MenuWalkLimits limits;
    // One deadline for the whole read, from the moment it starts.
    int deadlineMs = 1000;
    // For the sources other than the menu bar, which know applications by their id too.
    QString applicationIdentifier;
};

// What one read brought: the harvested top-level menus, unpruned, followed by the groups the
// other sources gave (see ShortcutSupplier).
struct MenuRead {
    QList<MenuItem> items;
    // How many of the items came from other sources than the menu bar, per source name.
    QList<QPair<QString, qsizetype>> supplied;
    MenuReadOutcome outcome = MenuReadOutcome::Complete;
    // The menu bar the items came from; null when none was found.
    AXElement menuBar;
    // Why a read that went well found no menu bar.
    MenuAbsence absence = {};
};

} // namespace tavlen
