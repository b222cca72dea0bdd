#include "core/windows/TrayStatusItem.h"

#include "core/windows/ApplicationIcon.h"

#include <QAction>
#include <QCursor>
#include <QKeySequence>
#include <QMenu>
#include <QMetaProperty>
#include <set>

namespace tavlen {

TrayStatusItem::TrayStatusItem(std::function<void()> clicked, QObject* parent)
    : QObject(parent), m_clicked(std::move(clicked)), m_tray(std::make_unique<QSystemTrayIcon>())
{
    m_tray->setIcon(ApplicationIcon::icon());
    m_tray->setToolTip(QStringLiteral("Tavlen"));
    connect(m_tray.get(), &QSystemTrayIcon::activated, this, &TrayStatusItem::iconActivated);
    m_tray->show();
}

TrayStatusItem::~TrayStatusItem()
{
    m_tray->setContextMenu(nullptr);
}

void TrayStatusItem::setMenu(const StatusMenu& menu)
{
    for (const QMetaObject::Connection& connection : std::exchange(m_titleConnections, {}))
        disconnect(connection);
    m_boundTitles.clear();
    m_taggedEntries.clear();
    m_titleSource = menu.titleSource;

    auto built = std::make_unique<QMenu>();
    const QMetaObject* source = menu.titleSource ? menu.titleSource->metaObject() : nullptr;
    const QMetaMethod refresh = staticMetaObject.method(staticMetaObject.indexOfSlot("refreshBoundTitles()"));
    std::set<int> watchedSignals;
    for (const StatusMenuEntry& entry : menu.entries) {
        if (entry.kind == StatusMenuEntry::Kind::Separator) {
            built->addSeparator();
            continue;
        }
        QAction* action = built->addAction(entry.title);
        if (!entry.shortcut.isEmpty()) {
            action->setShortcut(QKeySequence(entry.shortcut));
            action->setShortcutVisibleInContextMenu(true);
        }
        if (entry.tag != 0)
            m_taggedEntries[entry.tag] = action;
        if (entry.action)
            connect(action, &QAction::triggered, action, [run = entry.action] { run(); });

        if (entry.titleProperty.isEmpty() || !source)
            continue;
        const int propertyIndex = source->indexOfProperty(entry.titleProperty.constData());
        if (propertyIndex < 0)
            continue;
        m_boundTitles.push_back({action, entry.titleProperty});
        const QMetaProperty property = source->property(propertyIndex);
        if (property.hasNotifySignal() && watchedSignals.insert(property.notifySignalIndex()).second)
            m_titleConnections.push_back(connect(menu.titleSource, property.notifySignal(), this, refresh));
    }
    if (menu.willOpen)
        connect(built.get(), &QMenu::aboutToShow, built.get(), [run = menu.willOpen] { run(); });

    m_tray->setContextMenu(built.get());
    m_menu = std::move(built);
    refreshBoundTitles();
}

void TrayStatusItem::openMenu()
{
    const QRect icon = m_tray->geometry();
    popUpAt(icon.isEmpty() ? QCursor::pos() : icon.bottomLeft());
}

void TrayStatusItem::setEntryEnabled(int tag, bool enabled)
{
    if (const auto found = m_taggedEntries.find(tag); found != m_taggedEntries.end())
        found->second->setEnabled(enabled);
}

void TrayStatusItem::refreshBoundTitles()
{
    if (!m_titleSource)
        return;
    for (const BoundTitle& bound : m_boundTitles)
        bound.action->setText(m_titleSource->property(bound.property.constData()).toString());
}

void TrayStatusItem::iconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (!m_menu) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context)
            if (m_clicked)
                m_clicked();
        return;
    }
    // The context click opens the context menu by itself.
    if (reason == QSystemTrayIcon::Trigger)
        popUpAt(QCursor::pos());
}

void TrayStatusItem::popUpAt(const QPoint& position)
{
    if (m_menu)
        m_menu->popup(position);
}

} // namespace tavlen
