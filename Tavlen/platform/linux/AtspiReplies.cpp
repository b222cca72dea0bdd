#include "platform/linux/AtspiReplies.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QStringList>

namespace tavlen::linux_platform {
namespace {

std::optional<QVariant> firstArgument(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    return reply.arguments().constFirst();
}

// One (so): the bus name and the object path of an accessible object.
AtspiObjectRef readRef(const QDBusArgument& argument)
{
    AtspiObjectRef ref;
    QDBusObjectPath path;
    argument.beginStructure();
    argument >> ref.service >> path;
    argument.endStructure();
    ref.path = path.path();
    return ref;
}

} // namespace

std::optional<QList<AtspiObjectRef>> AtspiReplies::objectRefs(const QDBusMessage& reply)
{
    const std::optional<QVariant> argument = firstArgument(reply);
    if (!argument || argument->metaType() != QMetaType::fromType<QDBusArgument>())
        return std::nullopt;
    const QDBusArgument array = argument->value<QDBusArgument>();
    if (array.currentSignature() != QLatin1String("a(so)"))
        return std::nullopt;
    QList<AtspiObjectRef> refs;
    array.beginArray();
    while (!array.atEnd())
        refs << readRef(array);
    array.endArray();
    return refs;
}

std::optional<QHash<AtspiObjectRef, AtspiCacheItem>> AtspiReplies::cacheItems(const QDBusMessage& reply)
{
    const std::optional<QVariant> argument = firstArgument(reply);
    if (!argument || argument->metaType() != QMetaType::fromType<QDBusArgument>())
        return std::nullopt;
    const QDBusArgument array = argument->value<QDBusArgument>();
    if (array.currentSignature() != QLatin1String("a((so)(so)(so)iiassusau)"))
        return std::nullopt;
    QHash<AtspiObjectRef, AtspiCacheItem> items;
    array.beginArray();
    while (!array.atEnd()) {
        AtspiCacheItem item;
        array.beginStructure();
        const AtspiObjectRef self = readRef(array);
        readRef(array); // the application
        item.parent = readRef(array);
        qint32 index = 0;
        QStringList interfaces;
        QString description;
        QList<quint32> states;
        array >> index >> item.childCount >> interfaces >> item.name >> item.role >> description >> states;
        array.endStructure();
        if (!states.isEmpty())
            item.states |= states.at(0);
        if (states.size() > 1)
            item.states |= static_cast<quint64>(states.at(1)) << 32;
        items.insert(self, item);
    }
    array.endArray();
    return items;
}

std::optional<quint64> AtspiReplies::states(const QDBusMessage& reply)
{
    const std::optional<QVariant> argument = firstArgument(reply);
    if (!argument || argument->metaType() != QMetaType::fromType<QDBusArgument>())
        return std::nullopt;
    const QDBusArgument array = argument->value<QDBusArgument>();
    if (array.currentSignature() != QLatin1String("au"))
        return std::nullopt;
    QList<quint32> halves;
    array >> halves;
    quint64 states = 0;
    if (!halves.isEmpty())
        states |= halves.at(0);
    if (halves.size() > 1)
        states |= static_cast<quint64>(halves.at(1)) << 32;
    return states;
}

std::optional<quint32> AtspiReplies::unsignedNumber(const QDBusMessage& reply)
{
    const std::optional<QVariant> argument = firstArgument(reply);
    if (!argument || argument->metaType() != QMetaType::fromType<uint>())
        return std::nullopt;
    return argument->toUInt();
}

std::optional<QString> AtspiReplies::text(const QDBusMessage& reply)
{
    const std::optional<QVariant> argument = firstArgument(reply);
    if (!argument || argument->metaType() != QMetaType::fromType<QString>())
        return std::nullopt;
    return argument->toString();
}

std::optional<bool> AtspiReplies::boolean(const QDBusMessage& reply)
{
    const std::optional<QVariant> argument = firstArgument(reply);
    if (!argument || argument->metaType() != QMetaType::fromType<bool>())
        return std::nullopt;
    return argument->toBool();
}

std::optional<QVariant> AtspiReplies::property(const QDBusMessage& reply)
{
    const std::optional<QVariant> argument = firstArgument(reply);
    if (!argument || argument->metaType() != QMetaType::fromType<QDBusVariant>())
        return std::nullopt;
    return argument->value<QDBusVariant>().variant();
}

bool AtspiReplies::isGone(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ErrorMessage)
        return false;
    const QString name = reply.errorName();
    return name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
           name == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
           name == QLatin1String("org.freedesktop.DBus.Error.Disconnected") ||
           name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner") ||
           name == QLatin1String("org.freedesktop.DBus.Error.Timeout") ||
           name == QLatin1String("org.freedesktop.DBus.Error.TimedOut");
}

} // namespace tavlen::linux_platform
