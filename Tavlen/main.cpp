#include "core/AppDelegate.h"
#include "core/AppServices.h"
#include "core/LinuxRowServices.h"
#include "core/windows/FocusKeyRouter.h"
#include "core/windows/QtLocalKeyEventSource.h"
#include "core/windows/WidgetWindowSystem.h"
#include "core/windows/WindowShape.h"
#include "core/windows/settings/MyShortcutsView.h"
#include "harvest/MenuSource.h"
#include "harvest/ThreadedMenuReader.h"
#include "harvest/linux/LinuxShortcutSuppliers.h"
#include "platform/NotificationCenter.h"
#include "platform/linux/AtspiAccessibility.h"
#include "platform/linux/AtspiEventListener.h"
#include "platform/linux/BusNameInstanceLock.h"
#include "platform/linux/DesktopSettingsOpener.h"
#include "platform/linux/EvdevKeyEventSource.h"
#include "platform/linux/GestureAccess.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/PortalShortcutKeySource.h"
#include "platform/linux/SessionKind.h"
#include "platform/linux/UnixSignalWatcher.h"
#include "platform/linux/X11WindowStacking.h"
#include "platform/linux/XInputKeyEventSource.h"
#include "platform/linux/XdgAutostart.h"
#include "platform/linux/XpcNotificationObserver.h"
#include "platform/linux/XpcRelayClient.h"
#include "shared/GuardedMain.h"
#include "shared/RelayRequest.h"
#include "sheet/MenuPrefetch.h"
#include "sheet/RowServices.h"
#include "store/StoreStartupError.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDBusConnection>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>

using namespace tavlen;

namespace {

QStringList argumentList(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

void printLine(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
    std::fflush(stderr);
}

// Another process asking the resident instance for a panel: hand the request to the service
// and end, without a display, the store or the settings.
int relay(int argc, char** argv, RelayRequest request)
{
    QCoreApplication app(argc, argv);
    const int status = linux_platform::XpcRelayClient(QDBusConnection::sessionBus()).run(request);
    // The service has answered (or could not be reached, which is said): nothing is left to
    // send. Ending here skips the teardown of Qt's D-Bus thread, which may still be handling
    // the bus's greeting and then complains on standard error, where the relay promises one
    // line at most.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

// Tavlen's command line. Returns the one option the resident instance looks at later.
QCommandLineOption describeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Shows the keyboard shortcuts of the frontmost application: press Super twice and "
                       "hold it. Runs in the background, with an icon in the tray."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(
        QCommandLineOption(QStringLiteral("show-shortcuts"),
                           QStringLiteral("Ask the running Tavlen to show the shortcut panel.")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("toggle-persistent"),
                           QStringLiteral("Ask the running Tavlen to show or hide the persistent panel.")));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Say on standard error what Tavlen shows and why."));
    parser.addOption(verbose);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A .tavlen file of custom shortcuts to import."),
                                 QStringLiteral("[FILE...]"));
    return verbose;
}

// --help and --version answer without a display: the widgets' application would need one.
bool onlyAsksAboutItself(const QStringList& arguments)
{
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h") ||
            argument == QLatin1String("--help-all") || argument == QLatin1String("--version") ||
            argument == QLatin1String("-v"))
            return true;
    }
    return false;
}

} // namespace

static int runTavlen(int argc, char** argv)
{
    if (const std::optional<RelayRequest> request = relayRequestFromArguments(argumentList(argc, argv)))
        return relay(argc, argv, *request);

    if (onlyAsksAboutItself(argumentList(argc, argv))) {
        QCoreApplication about(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Tavlen"));
        QCoreApplication::setApplicationVersion(QStringLiteral(TAVLEN_VERSION));
        QCommandLineParser parser;
        describeOptions(parser);
        parser.process(about); // prints and exits
        return 0;
    }

    const linux_platform::SessionKind session = linux_platform::SessionKind::current();
    // In a Wayland session Tavlen's own windows go through XWayland: there a panel is placed
    // where Tavlen puts it and kept above the other windows and on every desktop, as under X11.
    // Qt 6.4 has no layer-shell, and a native Wayland window is placed by the compositor.
    if (session.isWayland() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavlen"));
    QApplication::setApplicationVersion(QStringLiteral(TAVLEN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("com.Fenwater.Tavlen"));
    // A tray agent: closing the settings window or an alert never ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    const QCommandLineOption verbose = describeOptions(parser);
    parser.process(app);
    const QStringList files = parser.positionalArguments();

    linux_platform::LinuxPlatform platform;
    platform.setReport(printLine);
    std::optional<AppServices> services;
    try {
        services.emplace(platform.services());
    } catch (const StoreStartupError& error) {
        printLine(error.message());
        return 1;
    }
    const Platform& base = services->platform();

    NotificationCenter notifications;
    // Menus are read on a thread of their own, so that no application, however it hangs, can hold
    // the user interface; the source keeps what was read and reads again when it changes.
    const linux_harvest::LinuxShortcutSuppliers suppliers(platform.dataFolders(), base.files);
    ThreadedMenuReader menuReader([] { return std::make_unique<linux_platform::AtspiAccessibility>(); },
                                  suppliers.all());
    MenuSource menus(menuReader, platform.timers(), base.clock);
    const RowServices rowServices =
        linuxRowServices(platform, *services, notifications, platform.workspace(), menus);
    QObject::connect(&platform.workspace(), &Workspace::frontmostApplicationChanged, &menus,
                     [&rowServices] { prefetchFrontmostMenus(rowServices, false); });
    linux_platform::AtspiEventListener menuEvents;
    QObject::connect(&menuEvents, &linux_platform::AtspiEventListener::elementChanged, &menus,
                     &MenuSource::elementChanged);
    QObject::connect(&menuEvents, &linux_platform::AtspiEventListener::applicationGone, &menus,
                     &MenuSource::applicationGone);

    linux_platform::BusNameInstanceLock instanceLock;
    linux_platform::XdgAutostart loginItems(base.locations, base.files,
                                            QCoreApplication::applicationFilePath());

    // Keys typed anywhere come from XInput under X11. Under Wayland, XInput on XWayland would
    // see the keys of X11 windows alone: there the keyboards are read directly where the user
    // may; otherwise only Tavlen's own windows can be watched, and the gestures work there alone.
    linux_platform::XInputKeyEventSource xinput;
    linux_platform::EvdevKeyEventSource keyboards;
    linux_platform::PortalShortcutKeySource portalShortcut;
    KeyEventSource* displayKeys = nullptr;
    linux_platform::GestureAccess gestureAccess = linux_platform::GestureAccess::DesktopShortcut;
    if (!session.isWayland() && xinput.start()) {
        displayKeys = &xinput;
        gestureAccess = linux_platform::GestureAccess::DisplayKeys;
    } else if (session.isWayland() && keyboards.start()) {
        displayKeys = &keyboards;
        gestureAccess = linux_platform::GestureAccess::InputDevices;
    } else if (session.isWayland() && portalShortcut.start()) {
        displayKeys = &portalShortcut;
        gestureAccess = linux_platform::GestureAccess::PortalShortcut;
        QObject::connect(
            &portalShortcut, &linux_platform::PortalShortcutKeySource::failed, [](const QString& why) {
                printLine(QStringLiteral(
                              "Tavlen: no global shortcut (%1); \"tavlen --show-shortcuts\" still opens the "
                              "panel.")
                              .arg(why));
            });
    }
    const bool globalKeys = displayKeys != nullptr;
    QtLocalKeyEventSource qtKeys(base.keyboard);
    FocusKeyRouter keys(displayKeys, globalKeys ? nullptr : &qtKeys);
    const QString gestureNotice = linux_platform::GestureAccessNotice::text(gestureAccess, session);

    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    linux_platform::X11WindowStacking stacking(x11 ? x11->connection() : nullptr);
    WindowShape::setCompositingProbe([&stacking] { return stacking.compositing(); });
    // The desktop's settings pages that the General pane opens, found through the same
    // application directory and launcher as the sheet's.
    linux_platform::DesktopSettingsOpener systemSettings(
        base.applications, platform.launcher(), linux_platform::DesktopSettingsOpener::currentDesktops());
    WidgetWindowSystem windows(rowServices, stacking, systemSettings);
    windows.setMyShortcutsPaneFactory([&rowServices] { return new MyShortcutsView(rowServices); });
    if (parser.isSet(verbose))
        windows.setLog(printLine);
    windows.setKeyboardNote(gestureNotice);

    AppDelegate delegate({*services, notifications, platform.workspace(), platform.accessibility(),
                          instanceLock, loginItems, keys.global(), keys.local(), platform.timers(), windows,
                          QCoreApplication::applicationPid(),
                          [&rowServices] { prefetchFrontmostMenus(rowServices, true); }});
    QObject::connect(&delegate, &AppDelegate::notice, printLine);
    delegate.setCommandClosesPanel(session.isWayland() && !globalKeys);
    QObject::connect(&portalShortcut, &linux_platform::PortalShortcutKeySource::failed, &delegate,
                     [&delegate] { delegate.setCommandClosesPanel(true); });

    // Opening a file while Tavlen already runs imports it here, without the warning about a
    // second instance: the user asked for the import, not for another Tavlen.
    if (!files.isEmpty() && !instanceLock.acquire()) {
        return delegate.openFiles(files) ? 0 : 1;
    }

    linux_platform::XpcNotificationObserver commands(QDBusConnection::sessionBus());
    QObject::connect(&commands, &linux_platform::XpcNotificationObserver::messageReceived, &delegate,
                     &AppDelegate::handleXPCServiceNotification);
    if (!commands.start())
        printLine(QStringLiteral(
            "Tavlen: no session bus; \"tavlen --show-shortcuts\" cannot reach this instance."));

    linux_platform::UnixSignalWatcher signalWatcher({SIGINT, SIGTERM, SIGHUP});
    QObject::connect(&signalWatcher, &linux_platform::UnixSignalWatcher::received, &delegate,
                     &AppDelegate::applicationWillTerminate);

    if (!delegate.applicationDidFinishLaunching())
        return 1;
    // After the launch, which has switched the accessibility bus on where it was off.
    menuEvents.start();
    // The application in front now has become frontmost without a word to anyone.
    prefetchFrontmostMenus(rowServices, false);
    if (session.isWayland()) {
        printLine(QStringLiteral("Tavlen: ") + gestureNotice);
    } else if (!globalKeys) {
        printLine(
            QStringLiteral("Tavlen: this session does not let Tavlen watch the keyboard (no X11 XInput 2); "
                           "use the tray menu or \"tavlen --show-shortcuts\"."));
    }
    if (const QString typing = platform.keySendingNotice(); !typing.isEmpty())
        printLine(typing);

    std::printf("Tavlen %s is running.\n  Shortcuts: %s\n  Settings:  %s\n", TAVLEN_VERSION,
                qPrintable(services->databaseManager().path()),
                qPrintable(platform.settingsFile().value_or(QStringLiteral("(none)"))));
    std::fflush(stdout);

    if (!files.isEmpty())
        QTimer::singleShot(0, &delegate, [&delegate, files] { delegate.openFiles(files); });
    return QApplication::exec();
}

int main(int argc, char** argv)
{
    return tavlen::guardedMain("tavlen", [&] { return runTavlen(argc, argv); });
}
