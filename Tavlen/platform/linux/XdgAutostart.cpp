#include "platform/linux/XdgAutostart.h"

#include "platform/FileLocations.h"
#include "platform/FileSystem.h"
#include "platform/linux/DesktopEntry.h"
#include "shared/TavlenIdentifiers.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <utility>

namespace tavlen::linux_platform {

namespace {

// Characters that force an Exec argument into double quotes.
constexpr QStringView RESERVED_CHARACTERS = u" \t\n\"'\\><~|&;$*?#()`";
// Characters that must be preceded by a backslash inside double quotes.
constexpr QStringView QUOTED_ESCAPES = u"\"`$\\";

bool hasControlCharacters(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    }
    return false;
}

} // namespace

XdgAutostart::XdgAutostart(const FileLocations& locations, FileSystem& files, QString executablePath)
    : m_locations(locations), m_files(files), m_executablePath(std::move(executablePath))
{}

std::optional<QString> XdgAutostart::entryPath() const
{
    const std::optional<QString> configHome = m_locations.configHome();
    if (!configHome)
        return std::nullopt;
    return *configHome + QStringLiteral("/autostart/") + QString::fromLatin1(ids::APP_IDENTIFIER) +
           QStringLiteral(".desktop");
}

bool XdgAutostart::isEnabled() const
{
    const std::optional<QString> path = entryPath();
    if (!path || !m_files.exists(*path))
        return false;
    const FileResult<QByteArray> bytes = m_files.readAll(*path);
    if (std::holds_alternative<FileError>(bytes))
        return false;
    const std::optional<DesktopEntry> entry =
        DesktopEntry::parse(std::get<QByteArray>(bytes), QStringLiteral("C"));
    return entry && !entry->hidden && !entry->autostartSwitchedOff;
}

bool XdgAutostart::setEnabled(bool enabled)
{
    const std::optional<QString> path = entryPath();
    if (!path)
        return false;
    if (!enabled)
        return !m_files.removeFile(*path).has_value();

    const std::optional<QByteArray> contents = entryContents(m_executablePath);
    if (!contents)
        return false;
    if (m_files.makePath(QFileInfo(*path).path()))
        return false;
    return !m_files.writeAtomically(*path, *contents).has_value();
}

std::optional<QByteArray> XdgAutostart::entryContents(const QString& executablePath)
{
    if (!QDir::isAbsolutePath(executablePath) || hasControlCharacters(executablePath))
        return std::nullopt;
    const QString appId = QString::fromLatin1(ids::APP_IDENTIFIER);
    const QStringList lines{
        QStringLiteral("[Desktop Entry]"),
        QStringLiteral("Type=Application"),
        QStringLiteral("Name=Tavlen"),
        QStringLiteral("Comment=Shows the keyboard shortcuts of the application you are working in"),
        QStringLiteral("Exec=") + execArgument(executablePath),
        QStringLiteral("Icon=") + appId,
        QStringLiteral("Terminal=false"),
        QStringLiteral("X-GNOME-Autostart-enabled=true"),
    };
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

QString XdgAutostart::execArgument(const QString& argument)
{
    QString quoted;
    bool needsQuotes = argument.isEmpty();
    for (const QChar c : argument) {
        if (RESERVED_CHARACTERS.contains(c))
            needsQuotes = true;
        if (QUOTED_ESCAPES.contains(c))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    if (needsQuotes)
        quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    // Field codes are read anywhere in the line, so a literal percent sign is doubled; and the
    // whole value is a string whose own escapes are undone before the quotes are read.
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return quoted;
}

} // namespace tavlen::linux_platform
