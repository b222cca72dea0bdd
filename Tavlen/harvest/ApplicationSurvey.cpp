#include "harvest/ApplicationSurvey.h"

#include "harvest/HotkeyManager.h"
#include "harvest/InlineMenuReader.h"
#include "harvest/MenuSource.h"
#include "platform/Accessibility.h"

namespace tavlen {

QList<ApplicationSurveyRow> surveyApplications(Accessibility& accessibility,
                                               const QList<RunningApplication>& applications,
                                               const MenuWalkLimits& limits, int deadlineMs,
                                               const ShortcutSuppliers& suppliers)
{
    QList<ApplicationSurveyRow> rows;
    for (const RunningApplication& application : applications) {
        ApplicationSurveyRow row;
        row.application = application;
        row.access = accessibility.describeApplication(application.processIdentifier);
        const QString name =
            application.localizedName.isEmpty() ? application.identifier : application.localizedName;
        const MenuRead read = readMenusNow(
            accessibility, {application.processIdentifier, limits, deadlineMs, application.identifier},
            nullptr, suppliers);
        const MenuStatus status = statusAfter(read.outcome);
        row.readable = row.access.onBus && status == MenuStatus::Read;

        qint64 supplied = 0;
        QList<ApplicationSurveyRow::Source> others;
        for (const auto& [source, shortcuts] : read.supplied) {
            supplied += shortcuts;
            if (shortcuts > 0)
                others << ApplicationSurveyRow::Source{source, shortcuts};
        }
        if (const qint64 fromMenuBar = shortcutCount(read.items) - supplied; fromMenuBar > 0)
            row.sources << ApplicationSurveyRow::Source{QStringLiteral("menu bar"), fromMenuBar};
        row.sources << others;

        if (!row.sources.isEmpty())
            row.reason.clear();
        else if (status != MenuStatus::Read)
            row.reason = troubleText(status, name, application.processIdentifier);
        else if (read.absence.kind != MenuAbsence::Kind::None)
            row.reason = absenceText(read.absence, name);
        else
            row.reason = noShortcutText(name);
        rows << row;
    }
    return rows;
}

} // namespace tavlen
