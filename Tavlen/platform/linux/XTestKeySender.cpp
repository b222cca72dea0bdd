#include "platform/linux/XTestKeySender.h"

#include "platform/linux/MacKeyCodes.h"

#include <QList>

// Xlib's headers define macros (None, Bool, KeyPress, ...) that clash with Qt's names: they
// come after every Qt header.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace tavlen::linux_platform {

struct XTestKeySender::Connection {
    Display* display = nullptr;

    ~Connection()
    {
        if (display)
            XCloseDisplay(display);
    }
};

XTestKeySender::XTestKeySender(const QByteArray& displayName) : m_connection(std::make_unique<Connection>())
{
    Display* display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (!display)
        return;
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(display);
        return;
    }
    m_connection->display = display;
}

XTestKeySender::~XTestKeySender() = default;

bool XTestKeySender::isAvailable() const
{
    return m_connection->display != nullptr;
}

bool XTestKeySender::post(quint16 macVirtualKey, qint64 eventFlags)
{
    Display* display = m_connection->display;
    if (!display)
        return false;
    const std::optional<quint32> key = MacKeyCodes::x11FromMac(macVirtualKey);
    if (!key)
        return false;

    QList<quint32> modifiers;
    for (const quint16 evdev : MacKeyCodes::evdevModifiersOf(eventFlags))
        modifiers.append(evdev + MacKeyCodes::X11Offset);

    for (const quint32 code : modifiers)
        XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, *key, True, CurrentTime);
    XTestFakeKeyEvent(display, *key, False, CurrentTime);
    for (auto code = modifiers.crbegin(); code != modifiers.crend(); ++code)
        XTestFakeKeyEvent(display, *code, False, CurrentTime);
    // Round trip, so the keys have reached the server when the caller goes on.
    XSync(display, False);
    return true;
}

} // namespace tavlen::linux_platform
