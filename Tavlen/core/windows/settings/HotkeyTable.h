#pragma once

#include "core/windows/settings/ModalKeyInputView.h"
#include "settings/HotkeyTableModel.h"
#include "sheet/RowServices.h"

#include <QPointer>
#include <QWidget>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QModelIndex;
class QTableView;
class QToolButton;

namespace tavlen {

// The table of one application's custom shortcuts with its footer: titles edited in place, a
// button per row that opens the key recorder, check boxes for enabled and bookmarked (their
// headers switch the column for all rows), "Add new" and, while a row is selected,
// "Delete selected".
class HotkeyTable : public QWidget {
    Q_OBJECT
public:
    static constexpr int RowHeight = 28;
    static constexpr int ShortcutColumnWidth = 160;
    static constexpr int FlagColumnWidth = 16;
    static constexpr int ScrollHeight = 328;
    static constexpr int FooterHeight = 28;
    static constexpr int TopInset = 5;

    explicit HotkeyTable(const RowServices& services, QWidget* parent = nullptr);
    ~HotkeyTable() override;

    HotkeyTableModel& model() { return m_model; }
    QTableView* tableView() const { return m_table; }

    // Shows the shortcuts of that application, read afresh from the store.
    void setAppSelected(const QString& identifier);
    const QString& appSelected() const { return m_model.appSelected(); }

    // The selected row, -1 when none.
    int selectedRow() const { return m_selectedRow; }
    void selectRow(int row);

    QToolButton* addButton() const { return m_addButton; }
    // Only shown while a row is selected.
    QToolButton* deleteButton() const { return m_deleteButton; }
    bool isDeleteButtonShown() const;
    // The short message of a refused edit; empty when there is none.
    QString message() const;

    // The widgets of one row's cells; none for a row that does not exist.
    QAbstractButton* shortcutButton(int row) const;
    QCheckBox* checkBox(int row, int column) const;
    // The open key recorder, if any.
    ModalKeyInputView* recorderView() const { return m_recorder; }

public Q_SLOTS:
    void newItem();
    void deleteItem();
    // Opens the key recorder for a row; nothing for a row that does not exist.
    void showModal(int row);

private:
    void buildCells(int first, int last);
    void updateRow(int row);
    QWidget* shortcutCell(int row);
    QWidget* checkBoxCell(int row, int column);
    void selectionChanged();
    void setMessage(const QString& text);

    RowServices m_services;
    HotkeyTableModel m_model;
    QTableView* m_table = nullptr;
    QToolButton* m_addButton = nullptr;
    QToolButton* m_deleteButton = nullptr;
    QLabel* m_message = nullptr;
    QPointer<ModalKeyInputView> m_recorder;
    int m_selectedRow = -1;
};

} // namespace tavlen
