#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace tavlen::test {

// What every desktop of the integration tests keeps to itself: a temporary folder holding a
// private runtime folder and the XDG homes, a private session bus, and the processes started on
// it, which end with it (applications first, the bus they talk over last).
class IsolatedDesktop {
public:
    IsolatedDesktop(const IsolatedDesktop&) = delete;
    IsolatedDesktop& operator=(const IsolatedDesktop&) = delete;

    // Starts the desktop; on failure, `error` says what went wrong.
    virtual bool start(QString& error) = 0;
    // A Geany with a configuration folder of its own named `name`; null when it could not start.
    QProcess* startGeany(const QString& name);
    // The environment of a process on this desktop.
    const QProcessEnvironment& environment() const { return m_environment; }

protected:
    // A process asked to end gets `terminateGraceMs` to do so before it is killed; with 0 it is
    // killed at once.
    explicit IsolatedDesktop(int terminateGraceMs) : m_terminateGraceMs(terminateGraceMs) {}
    virtual ~IsolatedDesktop();

    // Starts a program on this desktop, in its environment; null when it could not start.
    virtual QProcess* launchHere(const QString& program, const QStringList& arguments) = 0;

    // False, with `error` set, when the desktop has no folder of its own.
    bool hasFolder(QString& error) const;
    // The runtime folder in the desktop's folder, made and open to its owner alone.
    QString runtimeFolder() const;
    // Points the XDG configuration, data and cache homes into the desktop's folder.
    void useOwnHomes(QProcessEnvironment& environment) const;
    // Starts the bus in `environment`, which, with the bus's address added, becomes the
    // desktop's. Its address, or an empty one with `error` set.
    QByteArray startPrivateBus(QProcessEnvironment environment, QString& error);
    // Starts a program and keeps it until the desktop ends. Its standard error is appended to
    // `errorLog`, or goes to the tests' own where that is empty. Null when it could not start.
    QProcess* keep(const QString& program, const QStringList& arguments,
                   const QProcessEnvironment& environment, const QString& errorLog = QString());
    // Ends the processes started here, newest first; the bus stays.
    void stopProcesses();
    bool started(qint64 processIdentifier) const;

    QTemporaryDir m_dir;
    QProcessEnvironment m_environment;

private:
    const int m_terminateGraceMs;
    std::unique_ptr<QProcess> m_bus;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

} // namespace tavlen::test
