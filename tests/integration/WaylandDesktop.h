#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace tavlen::test {

// A Wayland desktop of its own: a private session bus, GNOME's compositor running headless
// with one virtual monitor of 1440×900 (and XWayland where it is installed), and a remote-desktop session
// held open for as long as the desktop lives, which gives the seat a keyboard (without one no window gets the
// focus). Applications started here run as native Wayland clients; everything ends with the desktop.
class WaylandDesktop {
public:
    WaylandDesktop() = default;
    ~WaylandDesktop();
    WaylandDesktop(const WaylandDesktop&) = delete;
    WaylandDesktop& operator=(const WaylandDesktop&) = delete;

    // Why the desktop cannot run here; empty when the compositor and Geany are installed.
    static QString unavailableReason();

    bool start(QString& error);

    // A Geany with a configuration folder of its own; null when it could not start.
    QProcess* startGeany(const QString& name);
    // Any program on this desktop, with `extra` added to its environment; its standard error
    // goes to a file named after it in the desktop's folder. Null when it could not start.
    QProcess* launch(const QString& program, const QStringList& arguments,
                     const QProcessEnvironment& extra = QProcessEnvironment());
    QString logOf(const QString& program) const;
    // Types one key (an X keysym) on the desktop's keyboard, into whatever window has the focus.
    bool typeKeysym(quint32 keysym);

    // The desktop's session bus, and the environment of a process on this desktop.
    QDBusConnection bus() const { return QDBusConnection(m_busName); }
    const QProcessEnvironment& environment() const { return m_environment; }
    // DISPLAY and XAUTHORITY of the desktop's XWayland; empty without one.
    QProcessEnvironment xwayland() const { return m_xwayland; }

private:
    bool startBus(QString& error);
    bool startKeyboard(QString& error);

    QDBusMessage sessionCall(const char* method, const QList<QVariant>& arguments);

    QTemporaryDir m_dir;
    QString m_remoteSession;
    QString m_busName;
    QProcessEnvironment m_environment;
    QProcessEnvironment m_xwayland;
    std::unique_ptr<QProcess> m_bus;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

} // namespace tavlen::test
