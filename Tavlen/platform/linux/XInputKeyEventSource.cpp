#include "platform/linux/XInputKeyEventSource.h"

#include "platform/linux/MacKeyCodes.h"

#include <QSocketNotifier>
#include <optional>

// Xlib's headers define macros (None, Bool, KeyPress, ...) that clash with Qt's names: they
// come after every Qt header.
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace tavlen::linux_platform {

struct XInputKeyEventSource::Connection {
    Display* display = nullptr;
    int opcode = 0;

    ~Connection()
    {
        if (display)
            XCloseDisplay(display);
    }
};

XInputKeyEventSource::XInputKeyEventSource(const QByteArray& displayName, QObject* parent)
    : KeyEventSource(parent), m_displayName(displayName)
{}

XInputKeyEventSource::~XInputKeyEventSource()
{
    stop();
}

bool XInputKeyEventSource::start()
{
    if (isListening())
        return true;
    auto connection = std::make_unique<Connection>();
    connection->display = XOpenDisplay(m_displayName.isEmpty() ? nullptr : m_displayName.constData());
    if (!connection->display)
        return false;
    Display* display = connection->display;

    int event = 0;
    int error = 0;
    if (!XQueryExtension(display, "XInputExtension", &connection->opcode, &event, &error))
        return false;
    int major = 2;
    int minor = 2;
    if (XIQueryVersion(display, &major, &minor) != Success)
        return false;

    // Set by hand: XISetMask casts in the old style.
    std::array<unsigned char, XIMaskLen(XI_LASTEVENT)> bits{};
    for (const int type : {XI_RawKeyPress, XI_RawKeyRelease})
        bits[static_cast<std::size_t>(type >> 3)] |= static_cast<unsigned char>(1U << (type & 7));
    XIEventMask mask{};
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = static_cast<int>(bits.size());
    mask.mask = bits.data();
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XFlush(display);

    m_connection = std::move(connection);
    m_translator.reset();
    m_notifier = std::make_unique<QSocketNotifier>(ConnectionNumber(display), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &XInputKeyEventSource::readEvents);
    return true;
}

void XInputKeyEventSource::stop()
{
    m_notifier.reset();
    m_connection.reset();
    m_translator.reset();
}

bool XInputKeyEventSource::isListening() const
{
    return m_connection != nullptr;
}

void XInputKeyEventSource::readEvents()
{
    // Handlers may stop the source: look the connection up again for every event.
    while (m_connection && XPending(m_connection->display) > 0) {
        Display* display = m_connection->display;
        XEvent event;
        XNextEvent(display, &event);
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != m_connection->opcode ||
            !XGetEventData(display, cookie))
            continue;
        std::optional<std::pair<quint32, bool>> key;
        if (cookie->evtype == XI_RawKeyPress || cookie->evtype == XI_RawKeyRelease) {
            const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
            key = std::pair{static_cast<quint32>(raw->detail), cookie->evtype == XI_RawKeyPress};
        }
        XFreeEventData(display, cookie);
        if (key)
            handleRawKey(key->first, key->second);
    }
}

void XInputKeyEventSource::handleRawKey(quint32 x11KeyCode, bool pressed)
{
    if (const std::optional<KeyEvent> event =
            m_translator.translate(MacKeyCodes::macFromX11(x11KeyCode), pressed))
        Q_EMIT keyEvent(*event);
}

} // namespace tavlen::linux_platform
