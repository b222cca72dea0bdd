#pragma once

#include "platform/linux/AtspiObjectRef.h"

#include <QDBusMessage>
#include <QHash>
#include <QList>
#include <optional>

namespace tavlen::linux_platform {

// Reads the answers of the AT-SPI calls the adapter makes. Each reader answers none for an
// error reply or one whose arguments are not of the expected types.
// One object of an application's cache (Cache.GetItems).
struct AtspiCacheItem {
    AtspiObjectRef parent;
    qint32 childCount = 0; // -1 when the toolkit does not say
    QString name;
    quint32 role = 0;
    quint64 states = 0;
};

class AtspiReplies {
public:
    AtspiReplies() = delete;

    // GetChildren and the registry's list of applications: a(so).
    static std::optional<QList<AtspiObjectRef>> objectRefs(const QDBusMessage& reply);
    // GetState: au, two 32-bit halves, low half first.
    static std::optional<quint64> states(const QDBusMessage& reply);
    static std::optional<quint32> unsignedNumber(const QDBusMessage& reply);
    static std::optional<QString> text(const QDBusMessage& reply);
    static std::optional<bool> boolean(const QDBusMessage& reply);
    // Properties.Get: the value inside the variant.
    static std::optional<QVariant> property(const QDBusMessage& reply);
    // Cache.GetItems as at-spi2 2.x answers it: a((so)(so)(so)iiassusau).
    static std::optional<QHash<AtspiObjectRef, AtspiCacheItem>> cacheItems(const QDBusMessage& reply);
    // Whether an error says the object, or its application, is gone rather than that it
    // lacks what was asked.
    static bool isGone(const QDBusMessage& reply);
};

} // namespace tavlen::linux_platform
