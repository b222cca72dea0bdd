#include "platform/linux/AtspiAccessibility.h"

#include "platform/AXAttributeNames.h"
#include "platform/AccessibilityError.h"
#include "platform/linux/AcceleratorParser.h"
#include "platform/linux/AtspiConstants.h"
#include "platform/linux/AtspiElement.h"
#include "platform/linux/AtspiReplies.h"
#include "platform/linux/ProcessFacts.h"

#include <QDBusArgument>
#include <QDBusPendingCall>
#include <QDBusVariant>

#include <algorithm>
#include <limits>

namespace tavlen::linux_platform {
namespace {

// Long enough for one harvest to use what its child lists brought along, short enough that the
// next harvest asks afresh.
constexpr qint64 answerLifetimeMs = 1000;
// Outside a read, a call waits no longer than this: the user-interface thread may be the caller.
constexpr int callTimeoutOutsideReadMs = 1000;
// Menu bars sit a few containers below their window (Gecko: frame › tool bar › menu bar; Swing:
// frame › root pane › layered pane › menu bar); deeper than this is the window's content.
constexpr int maxMenuBarDepth = 6;
// A container with more children than this is a view of the window's content, not its frame.
constexpr int maxContainerChildren = 64;
// Elements looked at in one search at most, whatever the window holds.
constexpr int maxSearchedElements = 600;
// The platform's "action not supported".
constexpr qint32 actionUnsupported = -25206;

const QString& children = ax::CHILDREN;
const QString& menuBar = ax::MENU_BAR;
const QString& title = ax::TITLE;
const QString& enabled = ax::ENABLED;
const QString& cmdChar = ax::CMD_CHAR;
const QString& cmdModifiers = ax::CMD_MODIFIERS;
const QString& cmdVirtualKey = ax::CMD_VIRTUAL_KEY;
const QString& cmdGlyph = ax::CMD_GLYPH;
const QString& cmdKeyName = ax::CMD_KEY_NAME;
const QString& press = ax::PRESS;

bool isKeyAttribute(const QString& name)
{
    return name == cmdChar || name == cmdModifiers || name == cmdVirtualKey || name == cmdGlyph ||
           name == cmdKeyName;
}

// Menu entries always have a title, even an empty one.
bool isMenuRole(quint32 role)
{
    using namespace atspi::Role;
    return role == Menu || role == MenuItem || role == CheckMenuItem || role == RadioMenuItem ||
           role == Separator;
}

// Containers worth searching for a menu bar: not menus themselves, nor the views of a window's
// content (documents, web pages, tables, lists, trees, drawing areas). Tool bars are: Gecko
// keeps its menu bar in one.
bool mayHoldMenuBar(quint32 role)
{
    using namespace atspi::Role;
    static constexpr quint32 menus[] = {Menu,      MenuItem,  CheckMenuItem,   RadioMenuItem,
                                        Separator, PopupMenu, TearoffMenuItem, ComboBox};
    static constexpr quint32 documents[] = {DocumentFrame, DocumentText,        DocumentWeb,
                                            DocumentEmail, DocumentSpreadsheet, DocumentPresentation,
                                            Embedded};
    static constexpr quint32 views[] = {Table,    Tree,       TreeTable, List,   ListBox,    Text,
                                        Terminal, ScrollPane, Viewport,  Canvas, DrawingArea};
    static constexpr quint32 controls[] = {StatusBar, PageTabList, PushButton, ToggleButton};
    const auto isAmong = [role](const auto& roles) {
        return std::find(std::begin(roles), std::end(roles), role) != std::end(roles);
    };
    return !isAmong(menus) && !isAmong(documents) && !isAmong(views) && !isAmong(controls);
}

// Collection.GetMatches's rule for every kind of menu entry: roles as a bit set of four words,
// matched when any is the element's; states, attributes and interfaces left open.
QVariant menuEntryRule()
{
    using namespace atspi::Role;
    QList<qint32> roles(4, 0);
    for (const quint32 role : {Menu, MenuItem, CheckMenuItem, RadioMenuItem, Separator, TearoffMenuItem})
        roles[static_cast<qsizetype>(role / 32)] |= static_cast<qint32>(1u << (role % 32));
    constexpr qint32 matchAll = 1;
    constexpr qint32 matchAny = 2;
    QDBusArgument rule;
    rule.beginStructure();
    rule << QList<qint32>{0, 0} << matchAll;
    rule.beginMap(QMetaType::fromType<QString>(), QMetaType::fromType<QString>());
    rule.endMap();
    rule << matchAll << roles << matchAny << QStringList() << matchAll << false;
    rule.endStructure();
    return QVariant::fromValue(rule);
}

QDBusMessage methodCall(const AtspiObjectRef& ref, const char* interface, const char* method)
{
    return QDBusMessage::createMethodCall(ref.service, ref.path, QLatin1String(interface),
                                          QLatin1String(method));
}

QDBusMessage propertyGet(const AtspiObjectRef& ref, const char* property)
{
    QDBusMessage message = methodCall(ref, atspi::propertiesInterface, "Get");
    message << QLatin1String(atspi::accessibleInterface) << QLatin1String(property);
    return message;
}

} // namespace

AtspiAccessibility::AtspiAccessibility() : m_bus(QStringLiteral("accessibility"))
{
    m_clock.start();
}

AtspiAccessibility::~AtspiAccessibility()
{
    for (const QString& peer : std::as_const(m_peers)) {
        if (!peer.isEmpty())
            QDBusConnection::disconnectFromPeer(peer);
    }
}

std::optional<QDBusConnection> AtspiAccessibility::bus()
{
    if (m_bus.isConnected()) {
        QDBusConnection connection(m_bus.connectionName());
        if (connection.isConnected())
            return connection;
        m_bus.disconnect();
    }
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected())
        return std::nullopt;
    const std::optional<QString> address =
        AtspiReplies::text(callNow(session, AtspiBusConnection::addressRequest()));
    if (!address || address->isEmpty())
        return std::nullopt;
    return m_bus.connectTo(*address);
}

std::optional<QDBusConnection> AtspiAccessibility::connectionFor(const QString& service)
{
    std::optional<QDBusConnection> connection = bus();
    if (!connection)
        return std::nullopt;
    auto known = m_peers.constFind(service);
    if (known == m_peers.constEnd()) {
        QString peerName;
        const std::optional<QString> address = AtspiReplies::text(
            callNow(*connection, methodCall({service, QLatin1String(atspi::rootPath)},
                                            atspi::applicationInterface, "GetApplicationBusAddress")));
        if (address && !address->isEmpty()) {
            peerName = QStringLiteral("%1-%2").arg(m_bus.connectionName(), service);
            if (!QDBusConnection::connectToPeer(*address, peerName).isConnected()) {
                QDBusConnection::disconnectFromPeer(peerName);
                peerName.clear();
            }
        }
        known = m_peers.insert(service, peerName);
    }
    if (!known->isEmpty()) {
        QDBusConnection peer(*known);
        if (peer.isConnected())
            return peer;
    }
    return connection;
}

int AtspiAccessibility::callTimeoutMs() const
{
    if (!m_reading)
        return callTimeoutOutsideReadMs;
    if (m_deadline.isForever())
        return -1;
    return static_cast<int>(
        std::clamp<qint64>(m_deadline.remainingTime(), 0, std::numeric_limits<int>::max()));
}

void AtspiAccessibility::noteReply(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ErrorMessage)
        return;
    const QString name = reply.errorName();
    if (name == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
        name == QLatin1String("org.freedesktop.DBus.Error.Timeout") ||
        name == QLatin1String("org.freedesktop.DBus.Error.TimedOut"))
        m_trouble.timedOut = true;
    else if (AtspiReplies::isGone(reply))
        m_trouble.gone = true;
}

QDBusMessage AtspiAccessibility::callNow(QDBusConnection& connection, const QDBusMessage& message)
{
    const int timeout = callTimeoutMs();
    if (timeout == 0) {
        m_trouble.timedOut = true;
        return message.createErrorReply(QDBusError::NoReply,
                                        QStringLiteral("The read's deadline has passed."));
    }
    ++m_statistics.messages;
    ++m_statistics.roundTrips;
    QDBusMessage reply = connection.call(message, QDBus::Block, timeout);
    noteReply(reply);
    return reply;
}

QDBusPendingCall AtspiAccessibility::send(QDBusConnection& connection, const QDBusMessage& message)
{
    const int timeout = callTimeoutMs();
    if (timeout == 0) {
        m_trouble.timedOut = true;
        return QDBusPendingCall::fromError(
            QDBusError(QDBusError::NoReply, QStringLiteral("The read's deadline has passed.")));
    }
    ++m_statistics.messages;
    return connection.asyncCall(message, timeout);
}

void AtspiAccessibility::beginRead(QDeadlineTimer deadline)
{
    forgetAnswers();
    m_deadline = deadline;
    m_reading = true;
    m_trouble = {};
}

Accessibility::ReadTrouble AtspiAccessibility::endRead()
{
    m_reading = false;
    m_deadline = QDeadlineTimer();
    const ReadTrouble trouble = m_trouble;
    m_trouble = {};
    return trouble;
}

bool AtspiAccessibility::answers(qint64 processIdentifier, int timeoutMs)
{
    const bool wasReading = m_reading;
    const QDeadlineTimer previous = m_deadline;
    const ReadTrouble previousTrouble = m_trouble;
    m_reading = true;
    m_deadline = QDeadlineTimer(std::max(timeoutMs, 1));
    bool answered = false;
    if (const std::optional<AtspiObjectRef> root = resolveApplication(processIdentifier)) {
        // The child count of the application's root: answered by the application itself (its
        // toolkit's main loop), which is what a harvest needs.
        if (std::optional<QDBusConnection> connection = bus()) {
            QDBusMessage message = methodCall(*root, atspi::propertiesInterface, "Get");
            message << QLatin1String(atspi::accessibleInterface) << QStringLiteral("ChildCount");
            answered = AtspiReplies::property(callNow(*connection, message)).has_value();
        }
    }
    m_reading = wasReading;
    m_deadline = previous;
    m_trouble = previousTrouble;
    return answered;
}

ApplicationAccess AtspiAccessibility::describeApplication(qint64 processIdentifier)
{
    ApplicationAccess access;
    access.switchedOn = isProcessTrusted(false);
    const std::optional<AtspiObjectRef> root = resolveApplication(processIdentifier);
    access.onBus = root.has_value();
    if (!root) {
        access.toolkit = ProcessFacts::toolkitOf(processIdentifier);
        return access;
    }
    std::optional<QDBusConnection> connection = bus();
    if (!connection)
        return access;
    const auto property = [&](const char* name) {
        QDBusMessage message = methodCall(*root, atspi::propertiesInterface, "Get");
        message << QLatin1String(atspi::applicationInterface) << QLatin1String(name);
        const std::optional<QVariant> value = AtspiReplies::property(callNow(*connection, message));
        return value ? value->toString() : QString();
    };
    access.toolkit = property("ToolkitName");
    access.toolkitVersion = property("Version");
    return access;
}

AXElement AtspiAccessibility::createApplication(qint64 processIdentifier)
{
    return AXElement(AtspiElement::application(processIdentifier));
}

std::optional<AtspiObjectRef> AtspiAccessibility::resolveApplication(qint64 processIdentifier)
{
    std::optional<QDBusConnection> connection = bus();
    if (!connection || processIdentifier <= 0)
        return std::nullopt;
    const std::optional<QList<AtspiObjectRef>> applications = AtspiReplies::objectRefs(callNow(
        *connection, methodCall({QLatin1String(atspi::registryService), QLatin1String(atspi::rootPath)},
                                atspi::accessibleInterface, "GetChildren")));
    if (!applications || applications->isEmpty())
        return std::nullopt;

    // Applications do not tell their process; the bus knows it for their connection.
    std::vector<QDBusPendingCall> pending;
    pending.reserve(applications->size());
    for (const AtspiObjectRef& application : *applications) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetConnectionUnixProcessID"));
        message << application.service;
        pending.push_back(send(*connection, message));
    }
    ++m_statistics.roundTrips;
    std::optional<AtspiObjectRef> found;
    for (std::size_t i = 0; i < pending.size(); ++i) {
        pending[i].waitForFinished();
        noteReply(pending[i].reply());
        const std::optional<quint32> pid = AtspiReplies::unsignedNumber(pending[i].reply());
        if (!found && pid && static_cast<qint64>(*pid) == processIdentifier)
            found = applications->at(static_cast<qsizetype>(i));
    }
    return found;
}

std::optional<AtspiObjectRef> AtspiAccessibility::objectOf(AtspiElement& element)
{
    switch (element.kind()) {
    case AtspiElement::Kind::Object:
        return element.ref();
    case AtspiElement::Kind::SystemMenu:
        return std::nullopt;
    case AtspiElement::Kind::Application:
        if (element.ref().isNull()) {
            const std::optional<AtspiObjectRef> root = resolveApplication(element.processIdentifier());
            if (!root)
                return std::nullopt;
            element.setResolvedApplication(*root);
        }
        return element.ref();
    }
    return std::nullopt;
}

std::optional<QList<AtspiObjectRef>> AtspiAccessibility::childRefs(const AtspiObjectRef& parent)
{
    std::optional<QDBusConnection> connection = connectionFor(parent.service);
    if (!connection)
        return std::nullopt;
    return AtspiReplies::objectRefs(
        callNow(*connection, methodCall(parent, atspi::accessibleInterface, "GetChildren")));
}

bool AtspiAccessibility::isFresh(qint64 fetchedAtMs) const
{
    return m_clock.elapsed() - fetchedAtMs <= answerLifetimeMs;
}

void AtspiAccessibility::dropStaleEntries()
{
    const qint64 now = m_clock.elapsed();
    if (now - m_lastPurgeMs <= answerLifetimeMs)
        return;
    m_lastPurgeMs = now;
    m_info.removeIf([this](const auto& entry) { return !isFresh(entry.value().fetchedAtMs); });
    m_visibleChildren.removeIf([this](const auto& entry) { return !isFresh(entry.value().first); });
}

void AtspiAccessibility::fetchInfo(const QList<AtspiObjectRef>& refs, bool withRoles, bool withKeyBindings)
{
    dropStaleEntries();
    if (refs.isEmpty())
        return;
    // Children all belong to one application: one connection serves the batch.
    std::optional<QDBusConnection> connection = connectionFor(refs.constFirst().service);
    if (!connection) {
        AtspiNodeInfo unreachable;
        unreachable.fetchedAtMs = m_clock.elapsed();
        for (const AtspiObjectRef& ref : refs)
            m_info.insert(ref, unreachable);
        return;
    }

    struct Requests {
        QDBusPendingCall name;
        QDBusPendingCall childCount;
        std::optional<QDBusPendingCall> role;
        QDBusPendingCall states;
        std::optional<QDBusPendingCall> keyBinding;
    };
    std::vector<Requests> pending;
    pending.reserve(refs.size());
    QString connectedService = refs.constFirst().service;
    const auto send = [&](const QDBusMessage& message) { return this->send(*connection, message); };
    for (const AtspiObjectRef& ref : refs) {
        if (ref.service != connectedService) {
            connectedService = ref.service;
            connection = connectionFor(ref.service).value_or(*connection);
        }
        // Properties.Get rather than GetAll: Qt 5 applications crash on GetAll, and GTK takes
        // longer to answer it than the two calls.
        Requests requests{send(propertyGet(ref, "Name")), send(propertyGet(ref, "ChildCount")), std::nullopt,
                          send(methodCall(ref, atspi::accessibleInterface, "GetState")), std::nullopt};
        // Menu entries need no role: their names and child counts tell enough.
        if (withRoles)
            requests.role = send(methodCall(ref, atspi::accessibleInterface, "GetRole"));
        if (withKeyBindings) {
            QDBusMessage message = methodCall(ref, atspi::actionInterface, "GetKeyBinding");
            message << 0;
            requests.keyBinding = send(message);
        }
        pending.push_back(std::move(requests));
    }
    ++m_statistics.roundTrips;

    for (qsizetype i = 0; i < refs.size(); ++i) {
        Requests& requests = pending[static_cast<std::size_t>(i)];
        for (QDBusPendingCall* call : {&requests.name, &requests.childCount, &requests.states})
            call->waitForFinished();
        noteReply(requests.name.reply());
        AtspiNodeInfo node;
        node.fetchedAtMs = m_clock.elapsed();
        const std::optional<QVariant> name = AtspiReplies::property(requests.name.reply());
        node.reachable = name.has_value();
        node.name = name ? name->toString() : QString();
        if (const std::optional<QVariant> count = AtspiReplies::property(requests.childCount.reply()))
            node.childCount = count->toInt();
        if (requests.role) {
            requests.role->waitForFinished();
            node.roleAsked = true;
            node.role = AtspiReplies::unsignedNumber(requests.role->reply());
        }
        node.states = AtspiReplies::states(requests.states.reply());
        if (requests.keyBinding) {
            requests.keyBinding->waitForFinished();
            node.keyBindingAsked = true;
            node.keyBinding = AtspiReplies::text(requests.keyBinding->reply());
        }
        m_info.insert(refs.at(i), node);
    }
}

AtspiNodeInfo AtspiAccessibility::info(const AtspiObjectRef& ref, bool withRole, bool withKeyBinding)
{
    auto it = m_info.constFind(ref);
    if (it == m_info.constEnd() || !isFresh(it->fetchedAtMs) || (withRole && !it->roleAsked) ||
        (withKeyBinding && !it->keyBindingAsked)) {
        fetchInfo({ref}, withRole, withKeyBinding);
        it = m_info.constFind(ref);
    }
    return it == m_info.constEnd() ? AtspiNodeInfo{} : *it;
}

std::optional<QList<AtspiObjectRef>> AtspiAccessibility::computeVisibleChildren(const AtspiObjectRef& parent)
{
    const std::optional<QList<AtspiObjectRef>> all = childRefs(parent);
    if (!all)
        return std::nullopt;
    QList<AtspiObjectRef> unknown;
    for (const AtspiObjectRef& ref : *all) {
        const auto known = m_info.constFind(ref);
        if (known == m_info.constEnd() || !isFresh(known->fetchedAtMs) || !known->keyBindingAsked)
            unknown << ref;
    }
    fetchInfo(unknown, false, true);

    QList<AtspiObjectRef> present;
    QList<AtspiObjectRef> visible;
    for (const AtspiObjectRef& ref : *all) {
        const AtspiNodeInfo node = m_info.value(ref);
        if (!node.reachable || (node.states && atspi::hasState(*node.states, atspi::State::Defunct)))
            continue;
        present << ref;
        if (node.states && atspi::hasState(*node.states, atspi::State::Visible))
            visible << ref;
    }
    // Children that vanished with their application leave nothing to show.
    if (present.isEmpty() && !all->isEmpty())
        return std::nullopt;
    // Qt marks every entry of a menu that is not on screen as invisible; when no child at all
    // is visible, visibility says nothing about hidden entries and all of them count.
    return visible.isEmpty() ? present : visible;
}

qint32 AtspiAccessibility::visibleChildren(AtspiElement& element, QList<AXElement>& result)
{
    result.clear();
    if (element.kind() == AtspiElement::Kind::SystemMenu)
        return AXErrorCode::Success;
    const std::optional<AtspiObjectRef> ref = objectOf(element);
    if (!ref)
        return AXErrorCode::Failure;

    std::optional<QList<AtspiObjectRef>> refs;
    // Kept while fresh: listed ahead with the whole menu bar, or by the count call before.
    if (auto cached = m_visibleChildren.constFind(*ref); cached != m_visibleChildren.constEnd()) {
        if (isFresh(cached->first))
            refs = cached->second;
    }
    if (!refs)
        refs = computeVisibleChildren(*ref);
    if (!refs)
        return AXErrorCode::Failure;

    // The harvest passes over a menu bar's first entry, the Mac's system menu; a stand-in takes
    // its place so that the application's first menu is read.
    if (isMenuBar(*ref))
        result << AXElement(AtspiElement::systemMenu(*ref));
    for (const AtspiObjectRef& child : *refs)
        result << AXElement(AtspiElement::object(child));
    return AXErrorCode::Success;
}

bool AtspiAccessibility::isMenuBar(const AtspiObjectRef& ref)
{
    if (m_menuBars.contains(ref))
        return true;
    // An element known only as an entry of a child list is a menu or a menu entry; asking its
    // role would cost a round trip for every menu.
    if (const auto known = m_info.constFind(ref);
        known != m_info.constEnd() && isFresh(known->fetchedAtMs) && !known->roleAsked)
        return false;
    const AtspiNodeInfo node = info(ref, true, false);
    if (node.role != atspi::Role::MenuBar)
        return false;
    m_menuBars.insert(ref);
    return true;
}

std::optional<AtspiObjectRef> AtspiAccessibility::findMenuBarBelow(const AtspiObjectRef& window)
{
    // Level by level: a menu bar sits near the top of its window, and a search that went deep
    // into one side of the window first would read a panel's whole content before it.
    QList<AtspiObjectRef> level{window};
    int searched = 0;
    for (int depth = 1; depth <= maxMenuBarDepth && !level.isEmpty(); ++depth) {
        QList<AtspiObjectRef> below;
        for (const AtspiObjectRef& parent : std::as_const(level)) {
            if (readInTrouble() || searched > maxSearchedElements)
                return std::nullopt;
            const std::optional<QList<AtspiObjectRef>> kids = childRefs(parent);
            if (!kids)
                continue;
            searched += static_cast<int>(kids->size());
            fetchInfo(*kids, true, false);
            for (const AtspiObjectRef& kid : *kids) {
                const AtspiNodeInfo node = m_info.value(kid);
                if (!node.reachable || !node.role)
                    continue;
                if (*node.role == atspi::Role::MenuBar) {
                    m_menuBars.insert(kid);
                    return kid;
                }
                if (node.childCount > 0 && node.childCount <= maxContainerChildren &&
                    mayHoldMenuBar(*node.role))
                    below << kid;
            }
        }
        level = std::move(below);
    }
    return std::nullopt;
}

bool AtspiAccessibility::readMenuTree(const AtspiObjectRef& menuBar)
{
    if (m_withoutCache.contains(menuBar.service))
        return false;
    std::optional<QDBusConnection> connection = connectionFor(menuBar.service);
    if (!connection)
        return false;

    // The entries in order, and what the application's cache knows of each: two messages in
    // one flight, instead of four for every entry.
    QDBusMessage matches = methodCall(menuBar, atspi::collectionInterface, "GetMatches");
    matches << menuEntryRule() << quint32(1) << qint32(0) << true;
    QDBusPendingCall matchesCall = send(*connection, matches);
    QDBusPendingCall itemsCall =
        send(*connection, QDBusMessage::createMethodCall(menuBar.service, QLatin1String(atspi::cachePath),
                                                         QLatin1String(atspi::cacheInterface),
                                                         QStringLiteral("GetItems")));
    ++m_statistics.roundTrips;
    matchesCall.waitForFinished();
    itemsCall.waitForFinished();
    noteReply(matchesCall.reply());
    noteReply(itemsCall.reply());
    const std::optional<QList<AtspiObjectRef>> entries = AtspiReplies::objectRefs(matchesCall.reply());
    const std::optional<QHash<AtspiObjectRef, AtspiCacheItem>> cache =
        AtspiReplies::cacheItems(itemsCall.reply());
    if (!entries || !cache || entries->isEmpty() || cache->isEmpty()) {
        // Qt answers an empty cache, older toolkits none; an application that did not answer
        // in time may have one all the same.
        if (!m_trouble.timedOut)
            m_withoutCache.insert(menuBar.service);
        return false;
    }

    QHash<AtspiObjectRef, QList<AtspiObjectRef>> childrenOf;
    for (const AtspiObjectRef& entry : *entries) {
        const auto item = cache->constFind(entry);
        if (item == cache->constEnd())
            return false;
        childrenOf[item->parent].append(entry);
    }
    // An entry said to have children of which none was matched has some of another kind: what
    // was read is not the whole menu, and the walk asks entry by entry.
    for (const AtspiObjectRef& entry : *entries) {
        if (cache->value(entry).childCount > 0 && !childrenOf.contains(entry))
            return false;
    }
    if (!childrenOf.contains(menuBar))
        return false;

    // Key bindings come one message an entry, and only entries without children need one.
    QList<AtspiObjectRef> leaves;
    std::vector<QDBusPendingCall> bindings;
    for (const AtspiObjectRef& entry : *entries) {
        if (childrenOf.contains(entry))
            continue;
        QDBusMessage message = methodCall(entry, atspi::actionInterface, "GetKeyBinding");
        message << 0;
        leaves << entry;
        bindings.push_back(send(*connection, message));
    }
    ++m_statistics.roundTrips;

    const qint64 now = m_clock.elapsed();
    for (const AtspiObjectRef& entry : *entries) {
        const AtspiCacheItem& item = *cache->constFind(entry);
        AtspiNodeInfo node;
        node.reachable = true;
        node.name = item.name;
        node.childCount = static_cast<qint32>(childrenOf.value(entry).size());
        node.roleAsked = true;
        node.role = item.role;
        node.states = item.states;
        node.keyBindingAsked = true;
        node.fetchedAtMs = now;
        m_info.insert(entry, node);
    }
    for (qsizetype i = 0; i < leaves.size(); ++i) {
        QDBusPendingCall& call = bindings[static_cast<std::size_t>(i)];
        call.waitForFinished();
        noteReply(call.reply());
        m_info[leaves.at(i)].keyBinding = AtspiReplies::text(call.reply());
    }

    // The children each entry shows, by the same rule as when they are asked for one by one.
    for (auto it = childrenOf.cbegin(); it != childrenOf.cend(); ++it) {
        QList<AtspiObjectRef> present;
        QList<AtspiObjectRef> visible;
        for (const AtspiObjectRef& child : it.value()) {
            const quint64 states = m_info.value(child).states.value_or(0);
            if (atspi::hasState(states, atspi::State::Defunct))
                continue;
            present << child;
            if (atspi::hasState(states, atspi::State::Visible))
                visible << child;
        }
        m_visibleChildren.insert(it.key(), {now, visible.isEmpty() ? present : visible});
    }
    return true;
}

std::optional<AtspiObjectRef> AtspiAccessibility::findMenuBar(const AtspiObjectRef& applicationRoot)
{
    const std::optional<QList<AtspiObjectRef>> windows = childRefs(applicationRoot);
    if (!windows)
        return std::nullopt;
    fetchInfo(*windows, true, false);
    // The active frame first: its menu bar is the one in front of the user.
    QList<AtspiObjectRef> frames;
    for (const AtspiObjectRef& window : *windows) {
        const AtspiNodeInfo node = m_info.value(window);
        if (!node.reachable || node.role != atspi::Role::Frame)
            continue;
        if (node.states && atspi::hasState(*node.states, atspi::State::Active))
            frames.prepend(window);
        else
            frames.append(window);
    }
    for (const AtspiObjectRef& frame : frames) {
        if (std::optional<AtspiObjectRef> found = findMenuBarBelow(frame))
            return found;
    }
    return std::nullopt;
}

qint32 AtspiAccessibility::nodeAttribute(const AtspiNodeInfo& node, const QString& name, AXValue& value) const
{
    if (name == title) {
        // A nameless entry without children, mostly a separator, still has a title, so that the
        // harvest skips it as an entry rather than taking it for a container.
        const bool isNamelessLeaf = !node.role && node.childCount <= 0;
        if ((node.role && isMenuRole(*node.role)) || !node.name.isEmpty() || isNamelessLeaf) {
            value = AXValue::string(node.name);
            return AXErrorCode::Success;
        }
        return AXErrorCode::NoValue;
    }
    if (name == enabled) {
        if (!node.states)
            return AXErrorCode::NoValue;
        value = AXValue::boolean(atspi::hasState(*node.states, atspi::State::Enabled) ||
                                 atspi::hasState(*node.states, atspi::State::Sensitive));
        return AXErrorCode::Success;
    }
    if (isKeyAttribute(name)) {
        const std::optional<MenuKeyEquivalent> key =
            node.keyBinding ? AcceleratorParser::parseKeyBinding(*node.keyBinding, node.name) : std::nullopt;
        if (!key)
            return AXErrorCode::NoValue;
        if (name == cmdModifiers) {
            value = AXValue::unsignedNumber(key->modifiers);
            return AXErrorCode::Success;
        }
        if (name == cmdChar && !key->character.isEmpty()) {
            value = AXValue::string(key->character);
            return AXErrorCode::Success;
        }
        if (name == cmdVirtualKey && key->virtualKey != 0) {
            value = AXValue::unsignedNumber(key->virtualKey);
            return AXErrorCode::Success;
        }
        if (name == cmdGlyph && key->glyph != 0) {
            value = AXValue::unsignedNumber(key->glyph);
            return AXErrorCode::Success;
        }
        if (name == cmdKeyName && !key->name.isEmpty()) {
            value = AXValue::string(key->name);
            return AXErrorCode::Success;
        }
        return AXErrorCode::NoValue;
    }
    return AXErrorCode::AttributeUnsupported;
}

qint32 AtspiAccessibility::attribute(AtspiElement& element, const QString& name, AXValue& value)
{
    if (name == children) {
        QList<AXElement> kids;
        const qint32 result = visibleChildren(element, kids);
        if (result != AXErrorCode::Success)
            return result;
        AXValue::Array array;
        array.reserve(static_cast<std::size_t>(kids.size()));
        for (const AXElement& kid : kids)
            array.push_back(AXValue::element(kid));
        value = AXValue::array(std::move(array));
        return AXErrorCode::Success;
    }
    // The stand-in has no title, so the harvest takes it for a container should it ever look.
    if (element.kind() == AtspiElement::Kind::SystemMenu)
        return AXErrorCode::NoValue;

    const std::optional<AtspiObjectRef> ref = objectOf(element);
    if (!ref)
        return AXErrorCode::Failure;
    if (name == menuBar) {
        if (!info(*ref, false, false).reachable)
            return AXErrorCode::Failure;
        const std::optional<AtspiObjectRef> found = findMenuBar(*ref);
        if (!found)
            return AXErrorCode::NoValue;
        // The menu bar is asked for to be read: its entries are read ahead, all at once.
        readMenuTree(*found);
        value = AXValue::element(AXElement(AtspiElement::object(*found)));
        return AXErrorCode::Success;
    }
    const AtspiNodeInfo node = info(*ref, false, isKeyAttribute(name));
    if (!node.reachable)
        return AXErrorCode::Failure;
    return nodeAttribute(node, name, value);
}

qint32 AtspiAccessibility::copyAttributeValue(const AXElement& element, const QString& attribute,
                                              AXValue& value)
{
    AtspiElement* handle = element.handleAs<AtspiElement>();
    if (!handle)
        return AXErrorCode::Failure;
    AXValue result;
    const qint32 error = this->attribute(*handle, attribute, result);
    if (error == AXErrorCode::Success)
        value = std::move(result);
    return error;
}

qint32 AtspiAccessibility::copyAttributeValues(const AXElement& element, const QString& attribute,
                                               qint64 index, qint64 maxValues, std::vector<AXValue>& values)
{
    AtspiElement* handle = element.handleAs<AtspiElement>();
    if (!handle || index < 0 || maxValues < 0)
        return AXErrorCode::Failure;
    if (attribute != children)
        return AXErrorCode::AttributeUnsupported;
    QList<AXElement> kids;
    const qint32 error = visibleChildren(*handle, kids);
    if (error != AXErrorCode::Success)
        return error;
    std::vector<AXValue> result;
    for (qint64 i = index; i < kids.size() && i - index < maxValues; ++i)
        result.push_back(AXValue::element(kids.at(static_cast<qsizetype>(i))));
    values = std::move(result);
    return AXErrorCode::Success;
}

qint32 AtspiAccessibility::attributeValueCount(const AXElement& element, const QString& attribute,
                                               qint64& count)
{
    AtspiElement* handle = element.handleAs<AtspiElement>();
    if (!handle)
        return AXErrorCode::Failure;
    if (attribute != children)
        return AXErrorCode::AttributeUnsupported;
    if (handle->kind() == AtspiElement::Kind::SystemMenu) {
        count = 0;
        return AXErrorCode::Success;
    }
    const std::optional<AtspiObjectRef> ref = objectOf(*handle);
    if (!ref)
        return AXErrorCode::Failure;
    const AtspiNodeInfo node = info(*ref, false, false);
    if (!node.reachable)
        return AXErrorCode::Failure;
    if (node.childCount <= 0) {
        count = 0;
        return AXErrorCode::Success;
    }
    // Counting visible children means listing them; the list waits for the call that usually
    // follows a non-zero count.
    std::optional<QList<AtspiObjectRef>> refs;
    if (auto cached = m_visibleChildren.constFind(*ref);
        cached != m_visibleChildren.constEnd() && isFresh(cached->first)) {
        refs = cached->second;
    } else {
        refs = computeVisibleChildren(*ref);
        if (!refs)
            return AXErrorCode::Failure;
        m_visibleChildren.insert(*ref, {m_clock.elapsed(), *refs});
    }
    count = refs->size() + (isMenuBar(*ref) ? 1 : 0);
    return AXErrorCode::Success;
}

qint32 AtspiAccessibility::copyMultipleAttributeValues(const AXElement& element,
                                                       const QStringList& attributes,
                                                       std::vector<AXValue>& values)
{
    AtspiElement* handle = element.handleAs<AtspiElement>();
    if (!handle)
        return AXErrorCode::Failure;
    std::vector<AXValue> result;
    result.reserve(static_cast<std::size_t>(attributes.size()));
    if (handle->kind() == AtspiElement::Kind::SystemMenu) {
        for (qsizetype i = 0; i < attributes.size(); ++i)
            result.push_back(AXValue::error(AXErrorCode::NoValue));
        values = std::move(result);
        return AXErrorCode::Success;
    }
    const std::optional<AtspiObjectRef> ref = objectOf(*handle);
    if (!ref)
        return AXErrorCode::Failure;
    const bool needKeys = std::any_of(attributes.begin(), attributes.end(), isKeyAttribute);
    const AtspiNodeInfo node = info(*ref, false, needKeys);
    if (!node.reachable)
        return AXErrorCode::Failure;
    for (const QString& name : attributes) {
        AXValue value;
        const qint32 error = (name == children || name == menuBar) ? attribute(*handle, name, value)
                                                                   : nodeAttribute(node, name, value);
        result.push_back(error == AXErrorCode::Success ? std::move(value) : AXValue::error(error));
    }
    values = std::move(result);
    return AXErrorCode::Success;
}

qint32 AtspiAccessibility::performAction(const AXElement& element, const QString& action)
{
    AtspiElement* handle = element.handleAs<AtspiElement>();
    if (!handle)
        return AXErrorCode::Failure;
    if (action != press)
        return actionUnsupported;
    if (handle->kind() != AtspiElement::Kind::Object)
        return AXErrorCode::Failure;
    // Through the bus rather than a direct connection, which might first have to be asked for;
    // and without waiting: what the application does with the action is its own affair.
    std::optional<QDBusConnection> connection = bus();
    if (!connection)
        return AXErrorCode::Failure;
    // The bus itself (not the application) knows at once whether the application is still there.
    QDBusMessage hasOwner = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    hasOwner << handle->ref().service;
    const std::optional<bool> present = AtspiReplies::boolean(callNow(*connection, hasOwner));
    if (!present || !*present)
        return AXErrorCode::Failure;
    QDBusMessage message = methodCall(handle->ref(), atspi::actionInterface, "DoAction");
    message << 0;
    message.setAutoStartService(false);
    ++m_statistics.messages;
    return connection->send(message) ? AXErrorCode::Success : AXErrorCode::Failure;
}

bool AtspiAccessibility::isProcessTrusted(bool prompt)
{
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected())
        return false;
    const auto statusCall = [](const char* method) {
        QDBusMessage message =
            QDBusMessage::createMethodCall(QLatin1String(atspi::busService), QLatin1String(atspi::busPath),
                                           QLatin1String(atspi::propertiesInterface), QLatin1String(method));
        message << QLatin1String(atspi::statusInterface) << QStringLiteral("IsEnabled");
        return message;
    };
    const auto isEnabled = [&] {
        const std::optional<QVariant> value = AtspiReplies::property(callNow(session, statusCall("Get")));
        return value && value->toBool();
    };
    if (isEnabled())
        return true;
    if (!prompt)
        return false;
    QDBusMessage set = statusCall("Set");
    set << QVariant::fromValue(QDBusVariant(true));
    if (callNow(session, set).type() == QDBusMessage::ErrorMessage)
        return false;
    return isEnabled();
}

} // namespace tavlen::linux_platform
