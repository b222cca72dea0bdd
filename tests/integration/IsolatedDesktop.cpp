#include "IsolatedDesktop.h"

#include "TestSessionBus.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace tavlen::test {

namespace {

void end(QProcess& process, int terminateGraceMs)
{
    if (process.state() == QProcess::NotRunning)
        return;
    if (terminateGraceMs > 0) {
        process.terminate();
        if (process.waitForFinished(terminateGraceMs))
            return;
    }
    process.kill();
    process.waitForFinished(terminateGraceMs > 0 ? terminateGraceMs : 5000);
}

} // namespace

IsolatedDesktop::~IsolatedDesktop()
{
    stopProcesses();
    if (m_bus)
        end(*m_bus, 0);
}

bool IsolatedDesktop::hasFolder(QString& error) const
{
    if (m_dir.isValid())
        return true;
    error = QStringLiteral("no temporary folder");
    return false;
}

QString IsolatedDesktop::runtimeFolder() const
{
    const QString runtime = m_dir.filePath(QStringLiteral("run"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return runtime;
}

void IsolatedDesktop::useOwnHomes(QProcessEnvironment& environment) const
{
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_dir.filePath(QStringLiteral("cache")));
}

QByteArray IsolatedDesktop::startPrivateBus(QProcessEnvironment environment, QString& error)
{
    const QByteArray address = startSessionBus(m_bus, environment, error);
    if (address.isEmpty())
        return address;
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QString::fromLocal8Bit(address));
    m_environment = environment;
    return address;
}

QProcess* IsolatedDesktop::keep(const QString& program, const QStringList& arguments,
                                const QProcessEnvironment& environment, const QString& errorLog)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    if (errorLog.isEmpty())
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    else
        process->setStandardErrorFile(errorLog, QIODevice::Append);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->start(program, arguments);
    if (!process->waitForStarted(10000))
        return nullptr;
    m_processes.push_back(std::move(process));
    return m_processes.back().get();
}

QProcess* IsolatedDesktop::startGeany(const QString& name)
{
    const QString config = m_dir.filePath(QStringLiteral("geany-") + name);
    QDir().mkpath(config);
    return launchHere(QStringLiteral("geany"),
                      {QStringLiteral("--new-instance"), QStringLiteral("-c"), config});
}

void IsolatedDesktop::stopProcesses()
{
    for (auto it = m_processes.rbegin(); it != m_processes.rend(); ++it)
        end(**it, m_terminateGraceMs);
}

bool IsolatedDesktop::started(qint64 processIdentifier) const
{
    return std::any_of(m_processes.cbegin(), m_processes.cend(), [processIdentifier](const auto& process) {
        return process->processId() == processIdentifier;
    });
}

} // namespace tavlen::test
