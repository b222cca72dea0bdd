#include "ServiceDelegate.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <cstdio>
#include <exception>

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
    // Whatever escapes (memory running out, above all) ends the process with a word, not an abort.
    try {
        return runService(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "TavlenXPCService: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "TavlenXPCService: an unexpected error ended the program\n");
    }
    return 70;
}
