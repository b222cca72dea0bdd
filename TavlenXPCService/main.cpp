#include "ServiceDelegate.h"
#include "shared/GuardedMain.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <cstdio>

static int runService(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("TavlenXPCService"));

    tavlen::ServiceDelegate delegate(QDBusConnection::sessionBus());
    QString error;
    if (!delegate.listen(error)) {
        std::fprintf(stderr, "TavlenXPCService: %s\n", qPrintable(error));
        return 1;
    }
    QObject::connect(&delegate, &tavlen::ServiceDelegate::busLost, &app, [] { QCoreApplication::quit(); });
    return QCoreApplication::exec();
}

int main(int argc, char** argv)
{
    return tavlen::guardedMain("TavlenXPCService", [&] { return runService(argc, argv); });
}
