#include "platform/linux/X11Workspace.h"

#include "platform/linux/ApplicationIdResolver.h"
#include "platform/linux/ProcessFacts.h"

#include <QSet>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace tavlen::linux_platform {
namespace {

// Enough for any real desktop's client list.
constexpr quint32 maxClientWindows = 65536;

xcb_connection_t* openConnection(int* screenNumber)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return nullptr;
    xcb_connection_t* connection = xcb_connect(nullptr, screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return connection;
}

xcb_window_t rootOf(xcb_connection_t* connection, int screenNumber)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; it.rem && i < screenNumber; ++i)
        xcb_screen_next(&it);
    return it.rem ? it.data->root : 0;
}

QByteArray readProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t atom, xcb_atom_t type,
                        quint32 maxLongs)
{
    if (!connection || !window || !atom)
        return {};
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, atom, type, 0, maxLongs), nullptr);
    if (!reply)
        return {};
    QByteArray bytes(static_cast<const char*>(xcb_get_property_value(reply)),
                     xcb_get_property_value_length(reply));
    std::free(reply);
    return bytes;
}

QList<quint32> numbers(const QByteArray& bytes)
{
    QList<quint32> values;
    for (qsizetype offset = 0; offset + 4 <= bytes.size(); offset += 4) {
        quint32 value = 0;
        std::memcpy(&value, bytes.constData() + offset, 4);
        values << value;
    }
    return values;
}

} // namespace

X11Workspace::X11Workspace(QObject* parent) : Workspace(parent)
{
    int screen = 0;
    m_queries = openConnection(&screen);
    if (!m_queries)
        return;
    m_root = rootOf(m_queries, screen);

    const char* names[] = {"_NET_ACTIVE_WINDOW", "_NET_CLIENT_LIST", "_NET_WM_PID", "_GTK_APPLICATION_ID",
                           "UTF8_STRING"};
    quint32* targets[] = {&m_atoms.activeWindow, &m_atoms.clientList, &m_atoms.wmPid,
                          &m_atoms.gtkApplicationId, &m_atoms.utf8String};
    xcb_intern_atom_cookie_t cookies[std::size(names)];
    for (std::size_t i = 0; i < std::size(names); ++i)
        cookies[i] = xcb_intern_atom(m_queries, 0, static_cast<quint16>(std::strlen(names[i])), names[i]);
    for (std::size_t i = 0; i < std::size(names); ++i) {
        if (xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(m_queries, cookies[i], nullptr)) {
            *targets[i] = reply->atom;
            std::free(reply);
        }
    }

    // Events come on a connection that makes no requests of its own while running, so that no
    // reply wait can swallow an event the notifier would never hear of.
    int eventScreen = 0;
    m_events = openConnection(&eventScreen);
    if (!m_events)
        return;
    const quint32 mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_events, rootOf(m_events, eventScreen), XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_events);
    m_notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_events), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &X11Workspace::readEvents);
    m_frontmostProcess = processOf(activeWindow());
}

X11Workspace::~X11Workspace()
{
    m_notifier.reset();
    if (m_events)
        xcb_disconnect(m_events);
    if (m_queries)
        xcb_disconnect(m_queries);
}

void X11Workspace::readEvents()
{
    bool activeChanged = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_events)) {
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            const auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
            activeChanged = activeChanged || notify->atom == m_atoms.activeWindow;
        }
        std::free(event);
    }
    if (xcb_connection_has_error(m_events)) {
        m_notifier->setEnabled(false);
        return;
    }
    if (!activeChanged)
        return;
    // Another window of the same application is no change of application; the desktop
    // getting the focus is none either.
    const qint64 process = processOf(activeWindow());
    if (process == 0 || process == m_frontmostProcess)
        return;
    m_frontmostProcess = process;
    Q_EMIT frontmostApplicationChanged();
}

quint32 X11Workspace::activeWindow() const
{
    const QList<quint32> windows =
        numbers(readProperty(m_queries, m_root, m_atoms.activeWindow, XCB_ATOM_WINDOW, 1));
    return windows.isEmpty() ? 0 : windows.first();
}

qint64 X11Workspace::processOf(quint32 window) const
{
    const QList<quint32> pids = numbers(readProperty(m_queries, window, m_atoms.wmPid, XCB_ATOM_CARDINAL, 1));
    return pids.isEmpty() ? 0 : pids.first();
}

WindowIdentity X11Workspace::identityOf(quint32 window, qint64 processIdentifier) const
{
    WindowIdentity identity;
    identity.gtkApplicationId =
        QString::fromUtf8(readProperty(m_queries, window, m_atoms.gtkApplicationId, m_atoms.utf8String, 256));
    const QList<QByteArray> wmClass =
        readProperty(m_queries, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 256).split('\0');
    if (!wmClass.isEmpty())
        identity.wmInstance = QString::fromLocal8Bit(wmClass.at(0));
    if (wmClass.size() > 1)
        identity.wmClass = QString::fromLocal8Bit(wmClass.at(1));
    identity.executable = ProcessFacts::executableOf(processIdentifier);
    identity.script = ProcessFacts::scriptOf(processIdentifier);
    return identity;
}

std::optional<RunningApplication> X11Workspace::applicationOf(quint32 window,
                                                              const QList<DesktopEntry>& entries) const
{
    if (!window)
        return std::nullopt;
    const qint64 process = processOf(window);
    const WindowIdentity identity = identityOf(window, process);
    const std::optional<ResolvedApplication> resolved = ApplicationIdResolver::resolve(identity, entries);
    if (!resolved)
        return std::nullopt;
    return RunningApplication{resolved->identifier, resolved->localizedName, process, identity.executable};
}

std::optional<RunningApplication> X11Workspace::frontmostApplication() const
{
    if (!m_queries)
        return std::nullopt;
    return applicationOf(activeWindow(), m_directory.allApplications());
}

QList<RunningApplication> X11Workspace::allRunningApplications() const
{
    if (!m_queries)
        return {};
    const QList<DesktopEntry> entries = m_directory.allApplications();
    QList<RunningApplication> found;
    QSet<qint64> seen;
    const QList<quint32> windows =
        numbers(readProperty(m_queries, m_root, m_atoms.clientList, XCB_ATOM_WINDOW, maxClientWindows));
    for (const quint32 window : windows) {
        const std::optional<RunningApplication> application = applicationOf(window, entries);
        if (!application || application->processIdentifier == 0 ||
            seen.contains(application->processIdentifier))
            continue;
        seen.insert(application->processIdentifier);
        found << *application;
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const RunningApplication& a, const RunningApplication& b) {
                         return ProcessFacts::startTimeOf(a.processIdentifier) <
                                ProcessFacts::startTimeOf(b.processIdentifier);
                     });
    return found;
}

} // namespace tavlen::linux_platform
