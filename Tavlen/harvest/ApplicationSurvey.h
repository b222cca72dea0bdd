#pragma once

#include "harvest/MenuRead.h"
#include "harvest/MenuWalk.h"
#include "harvest/ShortcutSupplier.h"
#include "platform/ApplicationAccess.h"
#include "platform/Workspace.h"

#include <QList>
#include <QString>

namespace tavlen {

class Accessibility;

// What Tavlen can show of one running application, and where it comes from: `tavlenctl apps`.
struct ApplicationSurveyRow {
    // One place shortcuts come from ("menu bar"), and how many it gives.
    struct Source {
        QString name;
        qint64 shortcuts = 0;

        friend bool operator==(const Source&, const Source&) = default;
    };

    RunningApplication application;
    ApplicationAccess access;
    // On the accessibility bus, and answered in time.
    bool readable = false;
    // Only sources that gave at least one shortcut: the menu bar first, then the others in the
    // order their groups follow the menus.
    QList<Source> sources;
    // Why nothing is shown, in the words of the panel; empty when something is.
    QString reason;
};

// Reads every application, one after another, each within the deadline of a read, and asks the
// other sources about it too, whether or not it is on the bus.
QList<ApplicationSurveyRow> surveyApplications(Accessibility& accessibility,
                                               const QList<RunningApplication>& applications,
                                               const MenuWalkLimits& limits, int deadlineMs,
                                               const ShortcutSuppliers& suppliers = {});

} // namespace tavlen
