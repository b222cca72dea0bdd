#pragma once

#include "store/AppItem.h"

#include <QList>
#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tavlen {

class ApplicationDirectory;
class DatabaseManager;

// The custom shortcut editor's application picker: a plain button with the chosen
// application's icon and title and a chevron. It opens a pop-over with a filter field and the
// list of applications (the global pseudo-application first); choosing one closes it.
class ApplicationPicker : public QWidget {
    Q_OBJECT
public:
    static constexpr int PopoverWidth = 330;
    static constexpr int PopoverMargin = 5;
    static constexpr int ListMaximumHeight = 300;

    ApplicationPicker(DatabaseManager& store, const ApplicationDirectory& applications,
                      QWidget* parent = nullptr);
    ~ApplicationPicker() override;

    const AppItem& defaultElement() const { return m_defaultElement; }
    const AppItem& selectedItem() const { return m_selectedItem; }
    // Shows another application; emits selectedItemChanged when its identifier differs.
    void setSelectedItem(const AppItem& item);

    bool isExpanded() const { return m_expanded; }
    // Opens the pop-over with the applications the store knows now and an empty filter.
    void open();
    void close();

    QPushButton* button() const { return m_button; }
    QLineEdit* filterField() const { return m_filter; }
    // The entries listed under the current filter.
    const QList<AppItem>& listedItems() const { return m_listed; }
    // Chooses one of the listed entries.
    void choose(int listedRow);

Q_SIGNALS:
    void selectedItemChanged(const tavlen::AppItem& item);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshButton();
    void refreshList();
    void setExpanded(bool expanded);

    DatabaseManager& m_store;
    const ApplicationDirectory& m_applications;
    AppItem m_defaultElement;
    AppItem m_selectedItem;
    QList<AppItem> m_apps;
    QList<AppItem> m_listed;
    bool m_expanded = false;

    QPushButton* m_button = nullptr;
    QLabel* m_icon = nullptr;
    QLabel* m_title = nullptr;
    QWidget* m_chevron = nullptr;
    QFrame* m_popover = nullptr;
    QLineEdit* m_filter = nullptr;
    QListWidget* m_list = nullptr;
};

} // namespace tavlen
