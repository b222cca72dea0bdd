#pragma once

#include "platform/Accessibility.h"
#include "platform/linux/AtspiBusConnection.h"
#include "platform/linux/AtspiNodeInfo.h"
#include "platform/linux/AtspiObjectRef.h"
#include "platform/linux/AtspiStatistics.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QSet>
#include <optional>

namespace tavlen::linux_platform {

class AtspiElement;

// The accessibility operations on the AT-SPI 2 accessibility bus, spoken over D-Bus directly.
//
// A harvest reads a handful of things from every entry of a menu right after listing the menu,
// so listing children sends the requests for all the children's name, state, child count and key
// binding at once and waits for the lot: one wait per menu instead of five per entry.
// The answers serve the calls that follow for a second at most; a child list serves only the
// one call that follows it.
//
// Applications that offer a connection of their own (GTK's do) are talked to directly, which
// spares every message the detour through the bus daemon.
//
// Every call is synchronous, but none waits past the deadline of the read it belongs to, and
// outside a read none waits longer than a second: an application that hangs costs its caller
// that much at most. Pressing an entry does not wait at all.
class AtspiAccessibility final : public Accessibility {
public:
    AtspiAccessibility();
    ~AtspiAccessibility() override;
    AtspiAccessibility(const AtspiAccessibility&) = delete;
    AtspiAccessibility& operator=(const AtspiAccessibility&) = delete;

    AXElement createApplication(qint64 processIdentifier) override;
    qint32 copyAttributeValue(const AXElement& element, const QString& attribute, AXValue& value) override;
    qint32 copyAttributeValues(const AXElement& element, const QString& attribute, qint64 index,
                               qint64 maxValues, std::vector<AXValue>& values) override;
    qint32 attributeValueCount(const AXElement& element, const QString& attribute, qint64& count) override;
    qint32 copyMultipleAttributeValues(const AXElement& element, const QStringList& attributes,
                                       std::vector<AXValue>& values) override;
    qint32 performAction(const AXElement& element, const QString& action) override;
    bool isProcessTrusted(bool prompt) override;
    void beginRead(QDeadlineTimer deadline) override;
    ReadTrouble endRead() override;
    bool readInTrouble() const override
    {
        return m_reading && (m_trouble.timedOut || m_trouble.gone || m_deadline.hasExpired());
    }
    bool answers(qint64 processIdentifier, int timeoutMs) override;
    ApplicationAccess describeApplication(qint64 processIdentifier) override;

    AtspiStatistics statistics() const { return m_statistics; }
    void resetStatistics() { m_statistics = {}; }

private:
    // Answers serve the read that asked for them (and calls outside a read for a second at most);
    // a new read starts without them.
    void forgetAnswers()
    {
        m_info.clear();
        m_visibleChildren.clear();
    }

    std::optional<QDBusConnection> bus();
    // The direct connection to an application when it offers one, else the bus.
    std::optional<QDBusConnection> connectionFor(const QString& service);
    QDBusMessage callNow(QDBusConnection& connection, const QDBusMessage& message);
    // Sends without waiting; the answer comes no later than the deadline allows.
    QDBusPendingCall send(QDBusConnection& connection, const QDBusMessage& message);
    // Notes what an answer says about the application: unanswered, or gone.
    void noteReply(const QDBusMessage& reply);
    // How long the next call may wait; 0 once the deadline has passed.
    int callTimeoutMs() const;

    // The object an element stands for on the bus; none when it cannot be found.
    std::optional<AtspiObjectRef> objectOf(AtspiElement& element);
    std::optional<AtspiObjectRef> resolveApplication(qint64 processIdentifier);

    std::optional<QList<AtspiObjectRef>> childRefs(const AtspiObjectRef& parent);
    void fetchInfo(const QList<AtspiObjectRef>& refs, bool withRoles, bool withKeyBindings);
    AtspiNodeInfo info(const AtspiObjectRef& ref, bool withRole, bool withKeyBinding);
    std::optional<QList<AtspiObjectRef>> computeVisibleChildren(const AtspiObjectRef& parent);
    // The children an element shows: visible ones, with the system-menu stand-in first in a
    // menu bar. Taken from the list the last count call left when there is one.
    qint32 visibleChildren(AtspiElement& element, QList<AXElement>& children);
    // Menu bars found so far are remembered: a child list's answers carry no roles.
    bool isMenuBar(const AtspiObjectRef& ref);
    std::optional<AtspiObjectRef> findMenuBar(const AtspiObjectRef& applicationRoot);
    // The first menu bar inside a window, searched level by level within fixed bounds.
    std::optional<AtspiObjectRef> findMenuBarBelow(const AtspiObjectRef& window);
    // Reads a whole menu bar in three flights where the toolkit allows it; false when it does
    // not (the walk then asks entry by entry).
    bool readMenuTree(const AtspiObjectRef& menuBar);

    // One attribute of an element from what is known of it; error codes on failure.
    qint32 attribute(AtspiElement& element, const QString& name, AXValue& value);
    qint32 nodeAttribute(const AtspiNodeInfo& node, const QString& name, AXValue& value) const;

    void dropStaleEntries();
    bool isFresh(qint64 fetchedAtMs) const;

    QDeadlineTimer m_deadline;
    bool m_reading = false;
    ReadTrouble m_trouble;
    AtspiBusConnection m_bus;
    // Application bus name to the name of a direct connection to it; empty when it has none.
    QHash<QString, QString> m_peers;
    QSet<AtspiObjectRef> m_menuBars;
    // Applications that answered an empty cache or none: asking again would only cost a message.
    QSet<QString> m_withoutCache;
    QElapsedTimer m_clock;
    qint64 m_lastPurgeMs = 0;
    QHash<AtspiObjectRef, AtspiNodeInfo> m_info;
    QHash<AtspiObjectRef, std::pair<qint64, QList<AtspiObjectRef>>> m_visibleChildren;
    AtspiStatistics m_statistics;
};

} // namespace tavlen::linux_platform
