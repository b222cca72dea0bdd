#pragma once

#include "platform/LoginItems.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tavlen {
class FileLocations;
class FileSystem;
} // namespace tavlen

namespace tavlen::linux_platform {

// Launch at login through XDG autostart: a desktop entry named after the application id in
// $XDG_CONFIG_HOME/autostart, which the desktop session starts when the user logs in.
class XdgAutostart final : public LoginItems {
public:
    // `executablePath` is what the entry starts: the absolute path of the running executable.
    XdgAutostart(const FileLocations& locations, FileSystem& files, QString executablePath);

    // True when the entry is there and the session would start it (not Hidden, not switched off
    // with X-GNOME-Autostart-enabled=false, readable as a desktop entry).
    bool isEnabled() const override;
    // Writes the entry, replacing whatever was there, or removes it.
    bool setEnabled(bool enabled) override;

    // The entry's path; none when there is no configuration folder.
    std::optional<QString> entryPath() const;

    // The entry that starts `executablePath`; none when the path cannot be written into an Exec
    // line (not absolute, or holding control characters).
    static std::optional<QByteArray> entryContents(const QString& executablePath);

    // One Exec argument, quoted and escaped so that a desktop session reads back exactly
    // `argument`.
    static QString execArgument(const QString& argument);

private:
    const FileLocations& m_locations;
    FileSystem& m_files;
    QString m_executablePath;
};

} // namespace tavlen::linux_platform
