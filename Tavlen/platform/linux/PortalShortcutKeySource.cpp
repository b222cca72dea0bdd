#include "platform/linux/PortalShortcutKeySource.h"

#include "platform/KeyInput.h"
#include "platform/MacKeys.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace tavlen::linux_platform {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
// The key code of the left Command (Super) key: the shortcut stands in for it.
constexpr quint16 commandKey = mac_keys::Command;
constexpr int portalTimeoutMs = 1000;

// One shortcut as BindShortcuts takes it: (sa{sv}).
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

} // namespace

} // namespace tavlen::linux_platform

Q_DECLARE_METATYPE(tavlen::linux_platform::PortalShortcut)

namespace tavlen::linux_platform {

PortalShortcutKeySource::PortalShortcutKeySource(const QDBusConnection& session, QObject* parent)
    : KeyEventSource(parent), m_session(session)
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
}

bool PortalShortcutKeySource::start()
{
    if (!m_session.isConnected())
        return false;
    QDBusMessage version = QDBusMessage::createMethodCall(
        portalService, portalPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    version << shortcutsInterface << QStringLiteral("version");
    const QDBusMessage reply = m_session.call(version, QDBus::Block, portalTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return false;

    m_session.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Activated"), this,
                      SLOT(onActivated(QDBusMessage)));
    m_session.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Deactivated"), this,
                      SLOT(onDeactivated(QDBusMessage)));
    const QVariantMap options{{QStringLiteral("session_handle_token"), QStringLiteral("tavlen")}};
    return request(QStringLiteral("CreateSession"), {options}, SLOT(onSessionCreated(uint, QVariantMap)));
}

bool PortalShortcutKeySource::request(const QString& method, const QList<QVariant>& arguments,
                                      const char* slot)
{
    // The answer comes as a Response signal on a path the caller can work out
    // beforehand; it is listened for before asking, so that a quick answer is not
    // missed.
    const QString token = QStringLiteral("tavlen%1").arg(++m_requests);
    QString sender = m_session.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    if (!m_session.connect(portalService, path, requestInterface, QStringLiteral("Response"), this, slot))
        return false;
    QList<QVariant> withToken = arguments;
    QVariantMap options = withToken.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    withToken << options;
    QDBusMessage message =
        QDBusMessage::createMethodCall(portalService, portalPath, shortcutsInterface, method);
    message.setArguments(withToken);
    return m_session.send(message);
}

void PortalShortcutKeySource::onSessionCreated(uint response, const QVariantMap& results)
{
    // A string in the portal's description, an object path in some of its
    // versions.
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    m_sessionHandle = handle.userType() == qMetaTypeId<QDBusObjectPath>()
                          ? handle.value<QDBusObjectPath>().path()
                          : handle.toString();
    if (response != 0 || m_sessionHandle.isEmpty()) {
        Q_EMIT failed(QStringLiteral("the desktop refused a global shortcut session"));
        return;
    }
    const QList<PortalShortcut> shortcuts{
        {QString::fromLatin1(shortcutId),
         {{QStringLiteral("description"), QStringLiteral("Show the shortcut panel (hold)")},
          {QStringLiteral("preferred_trigger"), QStringLiteral("LOGO+slash")}}}};
    request(QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(m_sessionHandle)), QVariant::fromValue(shortcuts), QString(),
             QVariantMap()},
            SLOT(onShortcutsBound(uint, QVariantMap)));
}

void PortalShortcutKeySource::onShortcutsBound(uint response, const QVariantMap&)
{
    if (response != 0) {
        Q_EMIT failed(QStringLiteral("the shortcut was not bound"));
        return;
    }
    m_bound = true;
    Q_EMIT bound();
}

bool PortalShortcutKeySource::fromOurSession(const QDBusMessage& message) const
{
    const QList<QVariant> arguments = message.arguments();
    return arguments.size() >= 2 && !m_sessionHandle.isEmpty() &&
           arguments.at(0).value<QDBusObjectPath>().path() == m_sessionHandle &&
           arguments.at(1).toString() == QLatin1String(shortcutId);
}

void PortalShortcutKeySource::onActivated(const QDBusMessage& message)
{
    if (fromOurSession(message))
        Q_EMIT keyEvent({KeyEvent::Type::FlagsChanged, EventFlag::Command, commandKey});
}

void PortalShortcutKeySource::onDeactivated(const QDBusMessage& message)
{
    if (fromOurSession(message))
        Q_EMIT keyEvent({KeyEvent::Type::FlagsChanged, 0, commandKey});
}

} // namespace tavlen::linux_platform
