#pragma once

#include "IsolatedDesktop.h"
#include "platform/linux/AtspiAccessibility.h"

#include <memory>

namespace tavlen::test {

// A desktop of its own for the integration tests, on the display the tests were given: a
// private session bus (so that the accessibility bus and its socket belong to this run alone),
// a window manager, and the applications under test. Everything started here ends with it.
class DesktopSession : public IsolatedDesktop {
public:
    DesktopSession() : IsolatedDesktop(0) {}
    ~DesktopSession() override;

    // Why the tests cannot run here; empty when a display and a session bus are present.
    static QString unavailableReason();

    // Starts the bus, the window manager, qpdfview and Geany and waits until both applications
    // show a menu bar on the accessibility bus. On failure, `error` says what went wrong.
    bool start(QString& error) override;

    // Waits until the application of that process shows its menu bar.
    bool waitForMenuBar(qint64 processIdentifier, int timeoutMs = 30000);

    linux_platform::AtspiAccessibility& accessibility() { return *m_accessibility; }
    qint64 geanyPid() const { return m_geanyPid; }
    qint64 qpdfviewPid() const { return m_qpdfviewPid; }

private:
    QProcess* launchHere(const QString& program, const QStringList& arguments) override;
    QProcess* launch(const QString& program, const QStringList& arguments,
                     const QProcessEnvironment& environment);
    bool startBus(QString& error);

    std::unique_ptr<linux_platform::AtspiAccessibility> m_accessibility;
    qint64 m_geanyPid = 0;
    qint64 m_qpdfviewPid = 0;
};

} // namespace tavlen::test
