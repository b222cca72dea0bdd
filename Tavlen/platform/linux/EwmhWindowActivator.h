#pragma once

#include "platform/WindowActivator.h"
#include "platform/linux/XcbConnection.h"

namespace tavlen::linux_platform {

// Activates an application's window the EWMH way: the first top-level client in
// _NET_CLIENT_LIST whose _NET_WM_PID is the application's process gets a _NET_ACTIVE_WINDOW
// client message (source indication 2, "pager", so the window manager does not apply focus
// stealing prevention to a request the user made). Without an X display every request answers
// false.
class EwmhWindowActivator final : public WindowActivator {
public:
    EwmhWindowActivator();

    bool activate(const RunningApplication& application) override;

private:
    quint32 windowOf(qint64 processIdentifier) const;

    XcbConnection m_x;
    quint32 m_activeWindowAtom = 0;
    quint32 m_clientListAtom = 0;
    quint32 m_wmPidAtom = 0;
};

} // namespace tavlen::linux_platform
