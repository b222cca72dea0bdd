#pragma once

#include "support/AccessibilityTree.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

namespace tavlen::bench {

// A Geany of a benchmark's own on the display, with its configuration and working folder in a
// temporary folder (it may save an untitled document where it was started). Killed with the
// object.
class GeanyInstance {
public:
    // Why a benchmark that drives Geany on the display cannot run here; empty when it can.
    static QString missingRequirement()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") ||
            qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") ||
            QStandardPaths::findExecutable(QStringLiteral("geany")).isEmpty())
            return QStringLiteral("needs an X display, a session bus and geany");
        return {};
    }

    GeanyInstance() = default;
    ~GeanyInstance() { stop(); }
    GeanyInstance(const GeanyInstance&) = delete;
    GeanyInstance& operator=(const GeanyInstance&) = delete;

    bool start()
    {
        m_process.setWorkingDirectory(m_home.path());
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(QStringLiteral("geany"), {QStringLiteral("--new-instance"), QStringLiteral("-c"),
                                                  m_home.path() + QStringLiteral("/config")});
        return m_process.waitForStarted(10000);
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    qint64 processId() const { return m_process.processId(); }

    // Its menu bar as the accessibility bus shows it; null until Geany has registered there.
    AXElement menuBar(Accessibility& ax) const { return test::menuBarOf(ax, processId()); }

    // Geany answers on the accessibility bus a while after its process has started.
    bool waitForMenuBar(Accessibility& ax, int milliseconds = 30000) const
    {
        const QDeadlineTimer deadline(milliseconds);
        while (menuBar(ax).isNull()) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(50);
        }
        return true;
    }

    // Brings its main window to the front the way a click would (through xdotool, which the
    // window manager sees as a pager's request). False when no window of Geany shows in time.
    bool activate(int milliseconds = 30000)
    {
        if (m_window.isEmpty()) {
            const QString found =
                xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                         QStringLiteral("--pid"), QString::number(processId())},
                        milliseconds);
            m_window = found.section(QLatin1Char('\n'), 0, 0).trimmed();
            if (m_window.isEmpty())
                return false;
        }
        xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), m_window}, 10000);
        return true;
    }

private:
    // Runs xdotool and answers what it printed; empty when it failed or took too long.
    static QString xdotool(const QStringList& arguments, int milliseconds)
    {
        QProcess process;
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(QStringLiteral("xdotool"), arguments);
        if (!process.waitForFinished(milliseconds)) {
            process.kill();
            process.waitForFinished(1000);
            return {};
        }
        return QString::fromLocal8Bit(process.readAllStandardOutput());
    }

    QTemporaryDir m_home;
    QString m_window;
    QProcess m_process;
};

} // namespace tavlen::bench
