#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace tavlen {

// What a harvest takes from the user's settings, read once when it is asked for, so that the
// harvest needs neither the settings nor their store.
struct HarvestSettings {
    // Entries without a shortcut are kept too.
    bool showAllMenus = false;
    // Browsers' menus (bookmarks, history) can be endless: for the applications listed in
    // `browsers`, at most `limitElements` children are read per element.
    bool applyLimitToBrowsers = false;
    int limitElements = 0;
    QStringList browsers;
};

// Where a harvest records the application it reads: its id and its title.
using ApplicationRecorder = std::function<void(const QString& identifier, const QString& title)>;

} // namespace tavlen
