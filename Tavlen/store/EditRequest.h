#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavlen {

class Clock;
class FileLocations;
class FileSystem;
class KeyboardLayout;

// Hands one menu element to the CustomShortcuts application (another vendor's program) as a
// request file in the folder it watches, so that the user can give the element a shortcut there.
// Returns the path of the file written; none when nothing was written. Failures are otherwise
// silent: the caller has nothing to tell the user.
std::optional<QString> writeEditRequest(const QString& bundleIdentifier, const QString& appTitle,
                                        const QString& elementTitle, const QStringList& parentTitles,
                                        const FileLocations& locations, FileSystem& files,
                                        const KeyboardLayout& keyboard, const Clock& clock);

// The request's text, exactly as written to the file.
QString editRequestText(const QString& bundleIdentifier, const QString& appTitle, const QString& elementTitle,
                        const QStringList& parentTitles, const KeyboardLayout& keyboard,
                        const QDateTime& created);

// The date in the offset it carries, as 2024-05-01T09:30:00.000+0200.
QString editRequestDate(const QDateTime& dateTime);

// The text as a JSON string literal, quotes included.
QString jsonString(const QString& text);

} // namespace tavlen
