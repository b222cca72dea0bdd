#pragma once

#include "platform/WindowStacking.h"
#include "platform/linux/XcbConnection.h"

namespace tavlen::linux_platform {

// Asks an EWMH window manager for sticky and above windows. A mapped window belongs to the
// window manager, so it gets the _NET_WM_DESKTOP and _NET_WM_STATE client messages on the root
// window; a window not yet mapped gets the properties themselves, which the window manager
// reads when the window is mapped. Only windows whose _NET_WM_PID is this process are touched:
// a window id from a platform other than X11 never reaches a stranger's window. Runs on a
// connection of its own, which sees a window only once the toolkit's connection has sent it: given
// the toolkit's connection, it waits for that with one round trip there (which, unlike
// QGuiApplication::sync, handles no events, so no handler runs inside another). Without an X
// display every request is ignored.
class X11WindowStacking final : public WindowStacking {
public:
    // `toolkitConnection`: the toolkit's own xcb connection (xcb_connection_t*), or null.
    explicit X11WindowStacking(void* toolkitConnection = nullptr);

    void keepOnAllDesktops(quintptr nativeWindowId) override;
    void keepAbove(quintptr nativeWindowId, bool above) override;
    void keepOffTaskbar(quintptr nativeWindowId) override;
    // Whether the screen's _NET_WM_CM_Sn selection has an owner, asked anew each time: a
    // compositor may start or stop while Tavlen runs.
    bool compositing() const override;

private:
    bool isOwnWindow(quint32 window) const;
    // Until the server has what the toolkit's connection sent, the window may not exist there.
    void awaitToolkit() const;
    bool isMapped(quint32 window) const;
    // Adds the state to, or removes it from, the window's _NET_WM_STATE.
    void changeState(quint32 window, quint32 state, bool add);
    void sendToRoot(quint32 window, quint32 type, quint32 first, quint32 second, quint32 third);

    XcbConnection m_x;
    void* m_toolkitConnection;
    quint32 m_wmPidAtom = 0;
    quint32 m_desktopAtom = 0;
    quint32 m_stateAtom = 0;
    quint32 m_stickyAtom = 0;
    quint32 m_aboveAtom = 0;
    quint32 m_skipTaskbarAtom = 0;
    quint32 m_skipPagerAtom = 0;
    quint32 m_compositorAtom = 0;
};

} // namespace tavlen::linux_platform
