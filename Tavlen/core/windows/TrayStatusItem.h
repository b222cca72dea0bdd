#pragma once

#include "core/WindowSystem.h"

#include <QByteArray>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QPoint;

namespace tavlen {

// The tray icon (the command sign, tooltip "Tavlen") and the menu attached to it. Until a menu
// is attached every click on the icon runs `clicked`; afterwards the menu is the icon's
// context menu and a left click opens it too.
class TrayStatusItem final : public QObject, public StatusItem {
    Q_OBJECT
public:
    explicit TrayStatusItem(std::function<void()> clicked, QObject* parent = nullptr);
    ~TrayStatusItem() override;

    void setMenu(const StatusMenu& menu) override;
    void openMenu() override;
    void setEntryEnabled(int tag, bool enabled) override;

    QSystemTrayIcon& trayIcon() { return *m_tray; }
    // The attached menu; null before the first setMenu.
    QMenu* menu() const { return m_menu.get(); }

private Q_SLOTS:
    void refreshBoundTitles();

private:
    struct BoundTitle {
        QAction* action;
        QByteArray property;
    };

    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void popUpAt(const QPoint& position);

    std::function<void()> m_clicked;
    // Declared before the icon, so that the icon, which points at it, goes first.
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<QSystemTrayIcon> m_tray;
    QPointer<const QObject> m_titleSource;
    std::vector<BoundTitle> m_boundTitles;
    std::vector<QMetaObject::Connection> m_titleConnections;
    std::map<int, QAction*> m_taggedEntries;
};

} // namespace tavlen
