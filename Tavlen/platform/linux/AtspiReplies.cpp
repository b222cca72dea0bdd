#include "platform/linux/AtspiReplies.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QStringList>

namespace tavlen::linux_platform {
namespace {

// The reply's first argument when it holds a T; D-Bus types are not converted into each other.
template <typename T>
std::optional<T> firstArgumentAs(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    const QVariant& argument = reply.arguments().constFirst();
    if (argument.metaType() != QMetaType::fromType<T>())
        return std::nullopt;
    return argument.value<T>();
}

// AT-SPI sends its 64-bit state set as two 32-bit halves, the low one first.
quint64 stateSet(const QList<quint32>& halves)
{
    quint64 states = 0;
    if (!halves.isEmpty())
        states |= halves.at(0);
    if (halves.size() > 1)
        states |= static_cast<quint64>(halves.at(1)) << 32;
    return states;
}

// The reply's first argument when it is an array of that signature.
std::optional<QDBusArgument> arrayArgument(const QDBusMessage& reply, QLatin1String signature)
{
    std::optional<QDBusArgument> array = firstArgumentAs<QDBusArgument>(reply);
    if (!array || array->currentSignature() != signature)
        return std::nullopt;
    return array;
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
    const std::optional<QDBusArgument> reading = arrayArgument(reply, QLatin1String("a(so)"));
    if (!reading)
        return std::nullopt;
    const QDBusArgument& array = *reading;
    QList<AtspiObjectRef> refs;
    array.beginArray();
    while (!array.atEnd())
        refs << readRef(array);
    array.endArray();
    return refs;
}

std::optional<QHash<AtspiObjectRef, AtspiCacheItem>> AtspiReplies::cacheItems(const QDBusMessage& reply)
{
    const std::optional<QDBusArgument> reading =
        arrayArgument(reply, QLatin1String("a((so)(so)(so)iiassusau)"));
    if (!reading)
        return std::nullopt;
    const QDBusArgument& array = *reading;
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
        item.states = stateSet(states);
        items.insert(self, item);
    }
    array.endArray();
    return items;
}

std::optional<quint64> AtspiReplies::states(const QDBusMessage& reply)
{
    const std::optional<QDBusArgument> reading = arrayArgument(reply, QLatin1String("au"));
    if (!reading)
        return std::nullopt;
    const QDBusArgument& array = *reading;
    QList<quint32> halves;
    array >> halves;
    return stateSet(halves);
}

std::optional<quint32> AtspiReplies::unsignedNumber(const QDBusMessage& reply)
{
    return firstArgumentAs<uint>(reply);
}

std::optional<QString> AtspiReplies::text(const QDBusMessage& reply)
{
    return firstArgumentAs<QString>(reply);
}

std::optional<bool> AtspiReplies::boolean(const QDBusMessage& reply)
{
    return firstArgumentAs<bool>(reply);
}

std::optional<QVariant> AtspiReplies::property(const QDBusMessage& reply)
{
    if (const std::optional<QDBusVariant> argument = firstArgumentAs<QDBusVariant>(reply))
        return argument->variant();
    return std::nullopt;
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
