#include "harvest/linux/ShortcutListParser.h"

#include "harvest/linux/ShortcutRange.h"
#include "platform/linux/AcceleratorParser.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cmath>
#include <limits>

namespace tavlen::linux_harvest {
namespace {

// "line:column" of a byte offset, counted in characters from 1 as editors count them.
QString lineAndColumn(const QByteArray& bytes, qsizetype offset)
{
    offset = qBound(qsizetype(0), offset, bytes.size());
    const QByteArray before = bytes.left(offset);
    const qsizetype line = before.count('\n') + 1;
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    const qsizetype column = QString::fromUtf8(before.mid(lineStart)).size() + 1;
    return QStringLiteral("%1:%2").arg(line).arg(column);
}

QString typeName(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Bool:
        return QStringLiteral("a boolean");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::String:
        return QStringLiteral("a string");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("nothing");
}

class Reader {
public:
    explicit Reader(QList<ShortcutListError>& errors) : m_errors(errors) {}

    void error(const QString& path, const QString& message) { m_errors.append({path, message}); }

    // Every member of `object` must be one of `known`.
    // The object at `path`, with its members checked against those it may have.
    std::optional<QJsonObject> objectWith(const QJsonValue& value, const QString& path,
                                          const QSet<QString>& known)
    {
        if (!value.isObject()) {
            error(path, QStringLiteral("expected an object, found %1").arg(typeName(value)));
            return std::nullopt;
        }
        QJsonObject object = value.toObject();
        checkMembers(object, path, known);
        return object;
    }

    void checkMembers(const QJsonObject& object, const QString& path, const QSet<QString>& known)
    {
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (!known.contains(it.key()))
                error(member(path, it.key()), QStringLiteral("unknown member \"%1\"").arg(it.key()));
        }
    }

    // A string that is not only white space, trimmed; none (and an error) otherwise.
    std::optional<QString> text(const QJsonObject& object, const QString& path, const QString& name,
                                bool required)
    {
        const QJsonValue value = object.value(name);
        if (value.isUndefined()) {
            if (required)
                error(path, QStringLiteral("\"%1\" is missing").arg(name));
            return std::nullopt;
        }
        if (!value.isString() || value.toString().trimmed().isEmpty()) {
            error(member(path, name),
                  QStringLiteral("expected a string that is not empty, found %1")
                      .arg(value.isString() ? QStringLiteral("an empty one") : typeName(value)));
            return std::nullopt;
        }
        return value.toString().trimmed();
    }

    std::optional<QJsonArray> array(const QJsonObject& object, const QString& path, const QString& name)
    {
        const QJsonValue value = object.value(name);
        if (value.isUndefined()) {
            error(path, QStringLiteral("\"%1\" is missing").arg(name));
            return std::nullopt;
        }
        if (!value.isArray()) {
            error(member(path, name), QStringLiteral("expected an array, found %1").arg(typeName(value)));
            return std::nullopt;
        }
        return value.toArray();
    }

    static QString member(const QString& path, const QString& name)
    {
        return path.isEmpty() ? name : path + QLatin1Char('.') + name;
    }
    static QString element(const QString& path, qsizetype index)
    {
        return QStringLiteral("%1[%2]").arg(path).arg(index);
    }

    // Whether Tavlen can show the accelerator; says why not otherwise.
    bool checkAccelerator(const QString& accelerator, const QString& path)
    {
        if (ShortcutRange::looksLikeRange(accelerator)) {
            QString problem;
            if (ShortcutRange::parse(accelerator, &problem))
                return true;
            error(path, QStringLiteral("\"%1\": %2").arg(accelerator, problem));
            return false;
        }
        if (linux_platform::AcceleratorParser::parseAccelerator(accelerator))
            return true;
        error(path, QStringLiteral("\"%1\" is no accelerator Tavlen knows (GTK notation such as "
                                   "<Primary><Shift>t, or Qt notation such as Ctrl+Shift+T)")
                        .arg(accelerator));
        return false;
    }

    std::optional<ListedShortcut> shortcut(const QJsonValue& value, const QString& path)
    {
        const std::optional<QJsonObject> found =
            objectWith(value, path, {QStringLiteral("title"), QStringLiteral("accelerator")});
        if (!found)
            return std::nullopt;
        const QJsonObject& object = *found;
        const std::optional<QString> title = text(object, path, QStringLiteral("title"), true);
        const QJsonValue accelerator = object.value(QStringLiteral("accelerator"));
        const QString acceleratorPath = member(path, QStringLiteral("accelerator"));
        QStringList accelerators;
        if (accelerator.isUndefined()) {
            error(path, QStringLiteral("\"accelerator\" is missing"));
        } else if (accelerator.isString()) {
            if (checkAccelerator(accelerator.toString(), acceleratorPath))
                accelerators << accelerator.toString().trimmed();
        } else if (accelerator.isArray() && !accelerator.toArray().isEmpty()) {
            const QJsonArray all = accelerator.toArray();
            for (qsizetype i = 0; i < all.size(); ++i) {
                const QString at = element(acceleratorPath, i);
                if (!all.at(i).isString())
                    error(at, QStringLiteral("expected a string, found %1").arg(typeName(all.at(i))));
                else if (checkAccelerator(all.at(i).toString(), at))
                    accelerators << all.at(i).toString().trimmed();
            }
        } else {
            error(acceleratorPath,
                  QStringLiteral("expected a string or an array of strings that is not empty, found %1")
                      .arg(accelerator.isArray() ? QStringLiteral("an empty array") : typeName(accelerator)));
        }
        if (!title || accelerators.isEmpty())
            return std::nullopt;
        return ListedShortcut{*title, accelerators};
    }

    std::optional<ListedGroup> group(const QJsonValue& value, const QString& path)
    {
        const std::optional<QJsonObject> found =
            objectWith(value, path, {QStringLiteral("title"), QStringLiteral("shortcuts")});
        if (!found)
            return std::nullopt;
        const QJsonObject& object = *found;
        const std::optional<QString> title = text(object, path, QStringLiteral("title"), true);
        const std::optional<QJsonArray> shortcuts = array(object, path, QStringLiteral("shortcuts"));
        if (!title || !shortcuts)
            return std::nullopt;
        ListedGroup group{*title, {}};
        const QString shortcutsPath = member(path, QStringLiteral("shortcuts"));
        for (qsizetype i = 0; i < shortcuts->size(); ++i) {
            if (std::optional<ListedShortcut> entry = shortcut(shortcuts->at(i), element(shortcutsPath, i)))
                group.shortcuts.append(std::move(*entry));
        }
        if (group.shortcuts.isEmpty()) {
            if (shortcuts->isEmpty())
                error(shortcutsPath, QStringLiteral("a group holds at least one shortcut"));
            return std::nullopt;
        }
        return group;
    }

private:
    QList<ShortcutListError>& m_errors;
};

} // namespace

ShortcutListReading ShortcutListParser::parse(const QByteArray& bytes)
{
    ShortcutListReading reading;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        reading.errors.append({lineAndColumn(bytes, parseError.offset), parseError.errorString()});
        return reading;
    }
    Reader reader(reading.errors);
    if (!document.isObject()) {
        reader.error(QStringLiteral("1:1"), QStringLiteral("a shortcut list is a JSON object"));
        return reading;
    }
    const QJsonObject root = document.object();
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (version.isUndefined()) {
        reader.error(QString(), QStringLiteral("\"version\" is missing"));
        return reading;
    }
    // JSON numbers are doubles: 1.5 is no version, and neither is a number too large for an int.
    const double number = version.toDouble(-1);
    if (!version.isDouble() || number < 1 || number > std::numeric_limits<int>::max() ||
        number != std::trunc(number)) {
        reader.error(QStringLiteral("version"),
                     QStringLiteral("expected a whole number from 1 on, found %1")
                         .arg(version.isDouble() ? QString::number(number) : typeName(version)));
        return reading;
    }
    if (number > ShortcutList::FORMAT_VERSION) {
        reader.error(QStringLiteral("version"),
                     QStringLiteral("version %1 of the format is newer than this Tavlen reads (%2)")
                         .arg(static_cast<int>(number))
                         .arg(ShortcutList::FORMAT_VERSION));
        return reading;
    }
    reader.checkMembers(root, QString(),
                        {QStringLiteral("version"), QStringLiteral("application"), QStringLiteral("source"),
                         QStringLiteral("groups")});

    ShortcutList list;
    list.version = static_cast<int>(number);
    list.application = reader.text(root, QString(), QStringLiteral("application"), false).value_or(QString());
    list.source = reader.text(root, QString(), QStringLiteral("source"), false).value_or(QString());
    if (const std::optional<QJsonArray> groups = reader.array(root, QString(), QStringLiteral("groups"))) {
        for (qsizetype i = 0; i < groups->size(); ++i) {
            if (std::optional<ListedGroup> group =
                    reader.group(groups->at(i), Reader::element(QStringLiteral("groups"), i)))
                list.groups.append(std::move(*group));
        }
    }
    reading.list = std::move(list);
    return reading;
}

} // namespace tavlen::linux_harvest
