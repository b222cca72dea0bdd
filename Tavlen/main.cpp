#include "core/AppServices.h"
#include "core/RelayRequest.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/UnixSignalWatcher.h"
#include "platform/linux/XpcRelayClient.h"
#include "store/StoreStartupError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <csignal>
#include <cstdio>

using namespace tavlen;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tavlen"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVLEN_VERSION));

    // Another process asking the resident instance for a panel: hand the request to the
    // service and end, without touching the store or the settings.
    if (const std::optional<RelayRequest> request = relayRequestFromArguments(QCoreApplication::arguments()))
        return linux_platform::XpcRelayClient(QDBusConnection::sessionBus()).run(*request);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows the keyboard shortcuts of the frontmost application. Runs in the background."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(
        QCommandLineOption(QStringLiteral("show-shortcuts"),
                           QStringLiteral("Ask the running Tavlen to show the shortcut panel.")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("toggle-persistent"),
                           QStringLiteral("Ask the running Tavlen to show or hide the persistent panel.")));
    parser.process(app);

    linux_platform::LinuxPlatform platform;
    std::optional<AppServices> services;
    try {
        services.emplace(platform.services());
    } catch (const StoreStartupError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }

    linux_platform::UnixSignalWatcher signalWatcher({SIGINT, SIGTERM, SIGHUP});
    QObject::connect(&signalWatcher, &linux_platform::UnixSignalWatcher::received, &app,
                     [] { QCoreApplication::quit(); });

    std::printf("Tavlen %s is running.\n  Shortcuts: %s\n  Settings:  %s\n", TAVLEN_VERSION,
                qPrintable(services->databaseManager().path()),
                qPrintable(platform.settingsFile().value_or(QStringLiteral("(none)"))));
    std::fflush(stdout);
    return QCoreApplication::exec();
}
