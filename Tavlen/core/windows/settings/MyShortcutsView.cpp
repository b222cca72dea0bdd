#include "core/windows/settings/MyShortcutsView.h"

#include "core/windows/settings/ApplicationPicker.h"
#include "core/windows/settings/DataExportView.h"
#include "core/windows/settings/DataImportView.h"
#include "core/windows/settings/HotkeyTable.h"
#include "settings/AppSettings.h"
#include "store/GlobalApp.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace tavlen {

MyShortcutsView::MyShortcutsView(const RowServices& services, QWidget* parent)
    : SettingsPane(paneTitle(), parent), m_services(services)
{
    m_picker = new ApplicationPicker(services.databaseManager, services.applications);
    m_selectedItem = m_picker->selectedItem();
    addContent(m_picker);

    m_table = new HotkeyTable(services);
    m_table->setAppSelected(m_selectedItem.identifier);
    addContent(m_table);

    auto* buttonRow = new QWidget;
    auto* buttons = new QHBoxLayout(buttonRow);
    buttons->setContentsMargins(0, 0, 0, 0);
    m_import = new QPushButton(QStringLiteral("Import"), buttonRow);
    m_export = new QPushButton(QStringLiteral("Export"), buttonRow);
    m_exportAll = new QPushButton(QStringLiteral("Export All"), buttonRow);
    buttons->addWidget(m_import);
    buttons->addStretch(1);
    buttons->addWidget(m_export);
    buttons->addWidget(m_exportAll);
    addContent(buttonRow);

    const TransferDialogs dialogs = TransferDialogs::standard();
    m_exportView = new DataExportView(services, dialogs, this, this);
    m_importView = new DataImportView(services, dialogs, this, this);

    connect(m_picker, &ApplicationPicker::selectedItemChanged, this, &MyShortcutsView::selectionChanged);
    connect(m_export, &QPushButton::clicked, this,
            [this] { m_exportView->present(m_selectedItem.title, m_selectedItem.identifier, false); });
    connect(m_exportAll, &QPushButton::clicked, this, [this] {
        m_exportView->present(QString::fromLatin1(global_app::TITLE),
                              QString::fromLatin1(global_app::IDENTIFIER), true);
    });
    connect(m_import, &QPushButton::clicked, m_importView, &DataImportView::present);
    // The import may have added or changed shortcuts of the application on show.
    connect(m_importView, &DataImportView::importCompleted, this,
            [this] { m_table->setAppSelected(m_selectedItem.identifier); });
}

MyShortcutsView::~MyShortcutsView() = default;

void MyShortcutsView::setDialogs(const TransferDialogs& dialogs)
{
    m_exportView->setDialogs(dialogs);
    m_importView->setDialogs(dialogs);
}

void MyShortcutsView::selectionChanged(const AppItem& item)
{
    m_selectedItem = item;
    m_services.appSettings.setSelectedAppInSetings(item);
    m_table->setAppSelected(item.identifier);
}

} // namespace tavlen
