#pragma once

#include "store/AppItem.h"

#include <QList>
#include <QString>

namespace tavlen {

class ApplicationDirectory;
class DatabaseManager;

// The entries of the custom shortcut editor's application picker: the global pseudo-application
// first, then every application the store knows, ordered by title; narrowed by the filter text.
class ApplicationFilter {
public:
    ApplicationFilter() = delete;

    // The global pseudo-application: identifier "global", title "Global Custom Shortcuts".
    static AppItem defaultElement(const ApplicationDirectory& applications);

    // Every entry, each with the icon of its installed application (none when not installed).
    static QList<AppItem> entries(DatabaseManager& store, const ApplicationDirectory& applications);

    // The entries whose title contains the filter text, ignoring case; all of them for an empty
    // filter. The global entry is filtered like any other.
    static QList<AppItem> matching(const QList<AppItem>& entries, const QString& filterText);
};

} // namespace tavlen
