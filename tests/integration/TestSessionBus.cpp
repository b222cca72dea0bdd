#include "TestSessionBus.h"

#include <QDeadlineTimer>

namespace tavlen::test {

QByteArray startSessionBus(std::unique_ptr<QProcess>& bus, const QProcessEnvironment& environment,
                           QString& error)
{
    bus = std::make_unique<QProcess>();
    bus->setProcessEnvironment(environment);
    bus->setStandardErrorFile(QProcess::nullDevice());
    bus->start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                               QStringLiteral("--print-address=1")});
    if (!bus->waitForStarted(10000)) {
        error = QStringLiteral("dbus-daemon did not start");
        return {};
    }
    QByteArray address;
    QDeadlineTimer deadline(10000);
    while (!address.contains('\n') && !deadline.hasExpired()) {
        bus->waitForReadyRead(100);
        address += bus->readAllStandardOutput();
    }
    address = address.trimmed();
    if (address.isEmpty())
        error = QStringLiteral("dbus-daemon gave no address");
    return address;
}

} // namespace tavlen::test
