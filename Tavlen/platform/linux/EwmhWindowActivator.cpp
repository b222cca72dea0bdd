#include "platform/linux/EwmhWindowActivator.h"

#include <xcb/xcb.h>

namespace tavlen::linux_platform {

namespace {

// Enough for any real desktop's client list.
constexpr quint32 maxClientWindows = 65536;
// _NET_ACTIVE_WINDOW's source indication for a request on the user's behalf.
constexpr quint32 sourcePager = 2;

} // namespace

EwmhWindowActivator::EwmhWindowActivator()
    : m_activeWindowAtom(m_x.internAtom("_NET_ACTIVE_WINDOW"))
    , m_clientListAtom(m_x.internAtom("_NET_CLIENT_LIST"))
    , m_wmPidAtom(m_x.internAtom("_NET_WM_PID"))
{}

bool EwmhWindowActivator::activate(const RunningApplication& application)
{
    if (!m_x.isValid() || !m_activeWindowAtom)
        return false;
    const quint32 window = windowOf(application.processIdentifier);
    if (!window)
        return false;
    return m_x.sendToRoot(window, m_activeWindowAtom, {sourcePager, XCB_CURRENT_TIME, 0, 0, 0});
}

quint32 EwmhWindowActivator::windowOf(qint64 processIdentifier) const
{
    if (processIdentifier <= 0 || !m_clientListAtom || !m_wmPidAtom)
        return 0;
    for (const quint32 window : m_x.values(m_x.root(), m_clientListAtom, XCB_ATOM_WINDOW, maxClientWindows)) {
        const QList<quint32> pid = m_x.values(window, m_wmPidAtom, XCB_ATOM_CARDINAL, 1);
        if (!pid.isEmpty() && pid.front() == processIdentifier)
            return window;
    }
    return 0;
}

} // namespace tavlen::linux_platform
