#include "harvest/ApplicationSurvey.h"

#include "harvest/HotkeyManager.h"
#include "harvest/InlineMenuReader.h"
#include "harvest/MenuSource.h"
#include "platform/Accessibility.h"

namespace tavlen {

QList<ApplicationSurveyRow> surveyApplications(Accessibility& accessibility,
                                               const QList<RunningApplication>& applications,
                                               const MenuWalkLimits& limits, int deadlineMs)
{
    QList<ApplicationSurveyRow> rows;
    for (const RunningApplication& application : applications) {
        ApplicationSurveyRow row;
        row.application = application;
        row.access = accessibility.describeApplication(application.processIdentifier);
        const QString name =
            application.localizedName.isEmpty() ? application.identifier : application.localizedName;
        if (!row.access.onBus) {
            row.reason = absenceText(menuAbsence(false, row.access), name);
            rows << row;
            continue;
        }
        const MenuRead read =
            readMenusNow(accessibility, {application.processIdentifier, limits, deadlineMs});
        const MenuStatus status = statusAfter(read.outcome);
        row.readable = status == MenuStatus::Read;
        const qint64 shortcuts = shortcutCount(HotkeyManager::pruneMenuItems(read.items));
        if (shortcuts > 0)
            row.sources << ApplicationSurveyRow::Source{QStringLiteral("menu bar"), shortcuts};
        if (!row.readable)
            row.reason = troubleText(status, name, application.processIdentifier);
        else if (row.sources.isEmpty())
            row.reason = read.absence.kind == MenuAbsence::Kind::None ? noShortcutText(name)
                                                                      : absenceText(read.absence, name);
        rows << row;
    }
    return rows;
}

} // namespace tavlen
