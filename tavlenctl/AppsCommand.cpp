#include "AppsCommand.h"

#include "ConsoleOutput.h"
#include "ExitStatus.h"
#include "core/AppServices.h"
#include "harvest/ApplicationSurvey.h"
#include "harvest/HotkeyManager.h"
#include "harvest/MenuSource.h"
#include "platform/Accessibility.h"
#include "platform/Workspace.h"
#include "sheet/PrintableText.h"

#include <algorithm>

namespace tavlen::ctl {

namespace {

QString toolkitText(const ApplicationAccess& access)
{
    if (access.toolkit.isEmpty())
        return QStringLiteral("?");
    return access.toolkitVersion.isEmpty() ? access.toolkit
                                           : access.toolkit + QLatin1Char(' ') + access.toolkitVersion;
}

QString sourcesText(const QList<ApplicationSurveyRow::Source>& sources)
{
    if (sources.isEmpty())
        return QStringLiteral("-");
    QStringList parts;
    for (const ApplicationSurveyRow::Source& source : sources)
        parts << QStringLiteral("%1 (%2)").arg(source.name).arg(source.shortcuts);
    return parts.join(QStringLiteral(", "));
}

} // namespace

int runApps(const QStringList& arguments, AppServices& services, Accessibility& accessibility,
            Workspace& workspace, const ShortcutSuppliers& suppliers)
{
    if (!arguments.isEmpty()) {
        printError(QStringLiteral("usage: tavlenctl apps"));
        return Usage;
    }
    if (!accessibility.isProcessTrusted(false))
        printError(QStringLiteral("Accessibility is switched off: only applications that joined the "
                                  "accessibility bus anyway can be read."));
    const QList<RunningApplication> running = workspace.allRunningApplications();
    HotkeyManager manager(QString(), QString(), workspace, services.databaseManager().applicationRecorder(),
                          services.appSettings().harvestSettings(), services.platform().clock);
    const QList<ApplicationSurveyRow> rows = surveyApplications(accessibility, running, manager.walkLimits(),
                                                                MenuSource::READ_DEADLINE_MS, suppliers);

    const QStringList heading{QStringLiteral("ID"),       QStringLiteral("NAME"),
                              QStringLiteral("PID"),      QStringLiteral("TOOLKIT"),
                              QStringLiteral("READABLE"), QStringLiteral("SOURCES")};
    QList<QStringList> table{heading};
    for (const ApplicationSurveyRow& row : rows) {
        table << QStringList{printableText(row.application.identifier),
                             printableText(row.application.localizedName.isEmpty()
                                               ? QStringLiteral("-")
                                               : row.application.localizedName),
                             QString::number(row.application.processIdentifier),
                             printableText(toolkitText(row.access)),
                             row.readable ? QStringLiteral("yes") : QStringLiteral("no"),
                             sourcesText(row.sources)};
    }
    QList<qsizetype> widths(heading.size(), 0);
    for (const QStringList& line : std::as_const(table)) {
        for (qsizetype i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], line.at(i).size());
    }
    QStringList lines;
    for (qsizetype r = 0; r < table.size(); ++r) {
        QString text;
        for (qsizetype i = 0; i < table[r].size(); ++i)
            text += i + 1 == table[r].size() ? table[r].at(i)
                                             : table[r].at(i).leftJustified(widths[i]) + QStringLiteral("  ");
        lines << text;
        // The reason under the row of an application that shows nothing.
        if (r > 0 && !rows.at(r - 1).reason.isEmpty())
            lines << QStringLiteral("    ") + printableText(rows.at(r - 1).reason);
    }
    if (rows.isEmpty())
        lines << QStringLiteral("(no running application with a window)");
    printOut(lines.join(QLatin1Char('\n')));
    return Done;
}

} // namespace tavlen::ctl
