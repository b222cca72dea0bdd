#include "store/EditRequest.h"

#include "platform/Clock.h"
#include "platform/FileLocations.h"
#include "platform/FileSystem.h"
#include "platform/KeyboardLayout.h"
#include "shared/TavlenIdentifiers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QUuid>

namespace tavlen {
namespace {

QString member(int indent, const char* key, const QString& value)
{
    return QString(indent, QLatin1Char(' ')) + QLatin1Char('"') + QLatin1String(key) +
           QStringLiteral("\": ") + value;
}

} // namespace

// The document's layout is fixed, key order included (its reader is another program), so it is
// written line by line; the strings in it are escaped by Qt's JSON writer.
QString jsonString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString editRequestDate(const QDateTime& dateTime)
{
    const int offset = dateTime.offsetFromUtc();
    const int minutes = (offset < 0 ? -offset : offset) / 60;
    return dateTime.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz")) +
           QLatin1Char(offset < 0 ? '-' : '+') +
           QStringLiteral("%1%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString editRequestText(const QString& bundleIdentifier, const QString& appTitle, const QString& elementTitle,
                        const QStringList& parentTitles, const KeyboardLayout& keyboard,
                        const QDateTime& created)
{
    QStringList parents;
    for (const QString& parent : parentTitles)
        parents.append(jsonString(parent));

    const QStringList lines = {
        QStringLiteral("{"),
        member(4, "locale", jsonString(QLocale().name())) + QLatin1Char(','),
        member(4, "inputSource", jsonString(keyboard.inputSourceId())) + QLatin1Char(','),
        member(4, "dateCreated", jsonString(editRequestDate(created))) + QLatin1Char(','),
        member(4, "version", QStringLiteral("1")) + QLatin1Char(','),
        member(4, "kind", jsonString(QStringLiteral("request"))) + QLatin1Char(','),
        member(4, "creator", jsonString(QString::fromLatin1(ids::APP_IDENTIFIER))) + QLatin1Char(','),
        member(4, "inputSourceName", jsonString(keyboard.inputSourceName())) + QLatin1Char(','),
        member(4, "applications", QStringLiteral("[{")),
        member(8, "localizedName", jsonString(appTitle)) + QLatin1Char(','),
        member(8, "bundleIdentifier", jsonString(bundleIdentifier)) + QLatin1Char(','),
        member(8, "shortcuts", QStringLiteral("[{")),
        member(12, "title", jsonString(elementTitle)) + QLatin1Char(','),
        member(12, "parents", QStringLiteral("[")),
        QString(16, QLatin1Char(' ')) + parents.join(QStringLiteral(", ")),
        QString(12, QLatin1Char(' ')) + QLatin1Char(']'),
        QString(8, QLatin1Char(' ')) + QStringLiteral("}]"),
        QString(4, QLatin1Char(' ')) + QStringLiteral("}]"),
        QStringLiteral("}"),
    };
    return lines.join(QLatin1Char('\n'));
}

std::optional<QString> writeEditRequest(const QString& bundleIdentifier, const QString& appTitle,
                                        const QString& elementTitle, const QStringList& parentTitles,
                                        const FileLocations& locations, FileSystem& files,
                                        const KeyboardLayout& keyboard, const Clock& clock)
{
    const QString text = editRequestText(bundleIdentifier, appTitle, elementTitle, parentTitles, keyboard,
                                         clock.now().toLocalTime());

    const auto support = locations.applicationSupport();
    if (!support)
        return std::nullopt;
    const QString directory = *support + QStringLiteral("/com.houdah.CustomShortcuts/EditRequests");
    const QString path = directory + QLatin1Char('/') +
                         QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() +
                         QStringLiteral(".customshortcuts");
    if (files.exists(path))
        return std::nullopt;
    if (files.makePath(directory) || files.createEmptyFile(path))
        return std::nullopt;
    // The whole text is encoded at once, so no character is ever split across a boundary.
    if (files.writeAtomically(path, text.toUtf8()))
        return std::nullopt;
    return path;
}

} // namespace tavlen
