#include "core/windows/settings/DataImportView.h"

#include "settings/AppSettings.h"
#include "store/ShortcutTransfer.h"

#include <QWidget>

namespace tavlen {

void DataImportView::present()
{
    presentWith([this] { run(); });
}

void DataImportView::run()
{
    const std::optional<QString> path =
        m_dialogs.openFile ? m_dialogs.openFile(m_dialogParent, QStringLiteral("Import")) : std::nullopt;
    if (path) {
        const std::optional<QString> error = transfer::importFile(
            *path, m_services.databaseManager, m_services.appSettings.showLocalizedCustomShortcuts(),
            m_services.files, m_services.keyboard, m_services.applications, m_services.clock);
        if (m_dialogs.alert)
            m_dialogs.alert(m_dialogParent, QString::fromLatin1(transfer::IMPORT_ALERT_TITLE),
                            transfer::importResultMessage(*path, error));
        Q_EMIT importCompleted(true);
    }
}

} // namespace tavlen
