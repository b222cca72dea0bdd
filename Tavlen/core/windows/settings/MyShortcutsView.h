#pragma once

#include "core/windows/settings/SettingsPane.h"
#include "core/windows/settings/TransferDialogs.h"
#include "sheet/RowServices.h"
#include "store/AppItem.h"

class QPushButton;

namespace tavlen {

class ApplicationPicker;
class DataExportView;
class DataImportView;
class HotkeyTable;

// The "My Shortcuts" pane of the settings window: the application picker, the table of the
// chosen application's custom shortcuts, and "Import", "Export" (the chosen application) and
// "Export All" (every application with custom shortcuts, and the global ones).
class MyShortcutsView : public SettingsPane {
    Q_OBJECT
public:
    explicit MyShortcutsView(const RowServices& services, QWidget* parent = nullptr);
    ~MyShortcutsView() override;

    static QString paneTitle() { return QStringLiteral("My Shortcuts"); }

    // Replaces the file dialogs and alerts (by default the desktop's).
    void setDialogs(const TransferDialogs& dialogs);

    const AppItem& selectedItem() const { return m_selectedItem; }
    const QString& selectedIdentifier() const { return m_selectedItem.identifier; }

    ApplicationPicker* picker() const { return m_picker; }
    HotkeyTable* table() const { return m_table; }
    QPushButton* importButton() const { return m_import; }
    QPushButton* exportButton() const { return m_export; }
    QPushButton* exportAllButton() const { return m_exportAll; }
    DataExportView* exportView() const { return m_exportView; }
    DataImportView* importView() const { return m_importView; }

private:
    void selectionChanged(const AppItem& item);

    RowServices m_services;
    AppItem m_selectedItem;
    ApplicationPicker* m_picker = nullptr;
    HotkeyTable* m_table = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_exportAll = nullptr;
    DataExportView* m_exportView = nullptr;
    DataImportView* m_importView = nullptr;
};

} // namespace tavlen
