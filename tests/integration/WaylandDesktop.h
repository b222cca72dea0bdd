#pragma once

#include "IsolatedDesktop.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace tavlen::test {

// A Wayland desktop of its own: a private session bus, GNOME's compositor running headless
// with one virtual monitor of 1440×900 (and XWayland where it is installed), and a remote-desktop session
// held open for as long as the desktop lives, which gives the seat a keyboard (without one no window gets the
// focus). Applications started here run as native Wayland clients; everything ends with the desktop.
class WaylandDesktop : public IsolatedDesktop {
public:
    WaylandDesktop() : IsolatedDesktop(3000) {}
    ~WaylandDesktop() override;

    // Why the desktop cannot run here; empty when the compositor and Geany are installed.
    static QString unavailableReason();

    bool start(QString& error) override;

    // Any program on this desktop, with `extra` added to its environment; its standard error
    // goes to a file named after it in the desktop's folder. Null when it could not start.
    QProcess* launch(const QString& program, const QStringList& arguments,
                     const QProcessEnvironment& extra = QProcessEnvironment());
    QString logOf(const QString& program) const;
    // Types one key (an X keysym) on the desktop's keyboard, into whatever window has the focus.
    bool typeKeysym(quint32 keysym);

    // The desktop's session bus.
    QDBusConnection bus() const { return QDBusConnection(m_busName); }
    // DISPLAY and XAUTHORITY of the desktop's XWayland; empty without one.
    QProcessEnvironment xwayland() const { return m_xwayland; }

private:
    QProcess* launchHere(const QString& program, const QStringList& arguments) override
    {
        return launch(program, arguments);
    }
    bool startBus(QString& error);
    bool startKeyboard(QString& error);

    QDBusMessage sessionCall(const char* method, const QList<QVariant>& arguments);

    QString m_remoteSession;
    QString m_busName;
    QProcessEnvironment m_xwayland;
};

} // namespace tavlen::test
