#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

namespace tavlen {

// One line of the status menu: an action with a fixed title, or with a title bound to a
// property of the menu's title source, or a separator.
struct StatusMenuEntry {
    enum class Kind { Action, Separator };

    Kind kind = Kind::Action;
    QString title;
    // When set, the title is this property of StatusMenu::titleSource and follows its changes.
    QByteArray titleProperty;
    // A key that triggers the entry while the menu is open, such as "Ctrl+Q"; empty for none.
    QString shortcut;
    // 0 for none; entries are enabled and disabled by their tag.
    int tag = 0;
    std::function<void()> action;

    static StatusMenuEntry separator() { return {Kind::Separator, {}, {}, {}, 0, {}}; }
};

struct StatusMenu {
    std::vector<StatusMenuEntry> entries;
    // Holds the properties the bound titles read; must outlive the menu.
    const QObject* titleSource = nullptr;
    // Runs each time, just before the menu opens.
    std::function<void()> willOpen;

    const StatusMenuEntry* entryWithTag(int tag) const
    {
        for (const StatusMenuEntry& entry : entries)
            if (entry.tag == tag)
                return &entry;
        return nullptr;
    }
};

} // namespace tavlen
