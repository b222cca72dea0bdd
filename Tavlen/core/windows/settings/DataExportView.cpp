#include "core/windows/settings/DataExportView.h"

#include "store/ShortcutTransfer.h"

#include <QWidget>

namespace tavlen {

void DataExportView::present(const QString& appTitle, const QString& appIdentifier, bool all)
{
    presentWith([this, appTitle, appIdentifier, all] { run(appTitle, appIdentifier, all); });
}

void DataExportView::run(const QString& appTitle, const QString& appIdentifier, bool all)
{
    const std::optional<QString> path = m_dialogs.saveFile
                                            ? m_dialogs.saveFile(m_dialogParent, QStringLiteral("Export"),
                                                                 all ? QStringLiteral("all") : appTitle)
                                            : std::nullopt;
    if (path) {
        const std::optional<QString> error = transfer::exportShortcuts(
            appTitle, appIdentifier, *path, all, m_services.databaseManager, m_services.files);
        // Saying nothing would leave the user believing the shortcuts were saved.
        if (error && m_dialogs.alert)
            m_dialogs.alert(m_dialogParent, alertTitle(), failureMessage(*path, *error));
    }
}

QString DataExportView::failureMessage(const QString& filePath, const QString& error)
{
    return QStringLiteral("File '") + filePath.section(QLatin1Char('/'), -1) +
           QStringLiteral("' export failed. ") + QStringLiteral("\nError: ") + error;
}

} // namespace tavlen
