#pragma once

#include "harvest/MenuItem.h"
#include "harvest/MenuItemIds.h"
#include "platform/AXElement.h"

#include <QList>
#include <QStringList>
#include <atomic>
#include <optional>

namespace tavlen {

class Accessibility;

// What a walk of one menu bar may read: fixed when the read is asked for, so that the walk
// itself needs neither the settings nor the store and can run on any thread.
struct MenuWalkLimits {
    // Children requested per element.
    qint64 childLimit = 9999;
    // Entries without a shortcut are kept (with empty keys) when they have a title.
    bool showAllMenus = false;

    friend bool operator==(const MenuWalkLimits&, const MenuWalkLimits&) = default;
};

// The accessibility walk of one application's menu bar into MenuItem records. Whatever cannot
// be read is left out; a walk asked to stop leaves out everything it has not read yet.
class MenuWalk {
public:
    // `stop`, when given, is looked at before every element: another thread may set it. A walk
    // also stops once the adapter says its read is in trouble, keeping what it has.
    MenuWalk(Accessibility& accessibility, MenuWalkLimits limits, const std::atomic<bool>* stop = nullptr);

    // The top-level menus of the application of that process; empty when it has no menu bar.
    QList<MenuItem> menuBar(qint64 processIdentifier);
    // The menu bar element the last menuBar call found; null when there was none.
    const AXElement& menuBarElement() const { return m_menuBar; }
    // Whether the last menuBar call was told that the application has no menu bar, as against
    // not being able to ask it at all.
    bool menuBarMissing() const { return m_menuBarMissing; }
    // Top-level menus of the last menuBar call that had no entries at all. Gecko fills a menu
    // only once it has been opened, and nothing the accessibility interfaces offer fills it
    // without showing it to the user.
    int emptyMenus() const { return m_emptyMenus; }

    // The records for the children of one element, recursively.
    QList<MenuItem> collectMenuItems(const AXElement& element, qint64 level, const QStringList& parentTitles);

private:
    QList<MenuItem> collect(const AXElement& element, qint64 level, const QStringList& parentTitles,
                            QList<AXElement>& path);
    std::optional<MenuItem> leafItem(const AXElement& child, const QString& title, qint64 level,
                                     const QStringList& parentTitles);
    bool stopped() const;

    Accessibility& m_accessibility;
    MenuWalkLimits m_limits;
    const std::atomic<bool>* m_stop;
    AXElement m_menuBar;
    bool m_menuBarMissing = false;
    int m_emptyMenus = 0;
    MenuItemIds m_ids;
};

} // namespace tavlen
