#pragma once

#include "platform/Workspace.h"
#include "platform/linux/DesktopEntryDirectory.h"

#include <QSocketNotifier>
#include <memory>

struct xcb_connection_t;

namespace tavlen::linux_platform {

struct WindowIdentity;

// The running applications as an EWMH window manager lists their windows on the root window
// (_NET_CLIENT_LIST, _NET_ACTIVE_WINDOW, each window's _NET_WM_PID), named through the desktop
// entries. Changes of the active window arrive as property changes on the root window, read on
// a connection of their own that the Qt event loop watches. Without an X display the workspace
// is empty and never changes.
class X11Workspace final : public Workspace {
    Q_OBJECT
public:
    explicit X11Workspace(QObject* parent = nullptr);
    ~X11Workspace() override;

    std::optional<RunningApplication> frontmostApplication() const override;
    QList<RunningApplication> allRunningApplications() const override;

private:
    struct Atoms {
        quint32 activeWindow = 0;
        quint32 clientList = 0;
        quint32 wmPid = 0;
        quint32 gtkApplicationId = 0;
        quint32 utf8String = 0;
    };

    void readEvents();
    quint32 activeWindow() const;
    qint64 processOf(quint32 window) const;
    WindowIdentity identityOf(quint32 window, qint64 processIdentifier) const;
    std::optional<RunningApplication> applicationOf(quint32 window, const QList<DesktopEntry>& entries) const;

    xcb_connection_t* m_queries = nullptr;
    xcb_connection_t* m_events = nullptr;
    quint32 m_root = 0;
    Atoms m_atoms;
    std::unique_ptr<QSocketNotifier> m_notifier;
    DesktopEntryDirectory m_directory;
    qint64 m_frontmostProcess = 0;
};

} // namespace tavlen::linux_platform
