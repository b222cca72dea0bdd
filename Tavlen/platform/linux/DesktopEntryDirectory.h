#pragma once

#include "platform/ApplicationDirectory.h"
#include "platform/linux/DesktopEntry.h"

#include <QList>

namespace tavlen::linux_platform {

// Installed applications as the XDG desktop entries describe them. An application id is a
// desktop file id: the file's path below an "applications" folder with "/" turned into "-"
// and without ".desktop". The folders are searched in XDG order ($XDG_DATA_HOME, then each of
// $XDG_DATA_DIRS), read afresh at every call, and the first file with an id decides for it:
// a user's copy with Hidden=true removes an application, a copy that is not of type
// Application makes it no application.
class DesktopEntryDirectory final : public ApplicationDirectory {
public:
    // Names are localized for `messagesLocale` (see DesktopEntry::parse).
    explicit DesktopEntryDirectory(QString messagesLocale = DesktopEntry::userMessagesLocale());

    // Applications kept out of menus (NoDisplay) are still found: they are installed.
    std::optional<ApplicationInfo> find(const QString& identifier) const override;

    // The entry that decides for the id, whatever its type; none when no file has that id,
    // the deciding file is unreadable or invalid, or it is Hidden.
    std::optional<DesktopEntry> entry(const QString& identifier) const;

    // Every visible application entry (Hidden ones and other types left out, NoDisplay ones
    // kept), one per id, in search order: for recognising windows by WM_CLASS or program.
    QList<DesktopEntry> allApplications() const;

private:
    std::optional<DesktopEntry> read(const QString& path, const QString& identifier) const;

    QString m_messagesLocale;
};

} // namespace tavlen::linux_platform
