#include "AppsCommand.h"
#include "CheckShortcutsCommand.h"
#include "ConsoleOutput.h"
#include "MenusCommand.h"
#include "SheetCommand.h"
#include "TransferCommands.h"
#include "core/AppServices.h"
#include "harvest/linux/LinuxShortcutSuppliers.h"
#include "platform/linux/LinuxPlatform.h"
#include "shared/GuardedMain.h"
#include "store/StoreStartupError.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>

using namespace tavlen;

namespace {

const char USAGE[] =
    "usage: tavlenctl COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  import FILE                      import the custom shortcuts of an export file\n"
    "  export FILE [--app ID | --all]   export the custom shortcuts of one application,\n"
    "                                   or of all of them (the default)\n"
    "  apps                             list the running applications: id, toolkit, whether\n"
    "                                   they can be read, where their shortcuts come from\n"
    "                                   and how many each source gives, or why there are none\n"
    "  menus [--app APP] [--json]       print the menu entries with shortcuts of a running\n"
    "                                   application (the frontmost one by default); --json\n"
    "                                   records its whole menu bar as a fixture\n"
    "  sheet [--app APP] [--format text|markdown|json] [--png FILE | --pdf FILE]\n"
    "                                   print the sheet the shortcut panel would show,\n"
    "                                   or draw all of it into a PNG picture or, in\n"
    "                                   pages for printing, into a PDF document\n"
    "  check-shortcuts FILE             check a shortcut list of an application, naming\n"
    "                                   each fault with its line and column or its\n"
    "                                   place in the list\n"
    "  help                             show this text\n"
    "  version                          show the version\n"
    "\n"
    "APP is an application id, its program's name or the Name of its desktop entry,\n"
    "whatever the case.\n"
    "\n"
    "Menus are read with a deadline of one second: an application that does not answer\n"
    "in time, or quits while it is read, is named on standard error, and so is the\n"
    "reason when an application shows nothing (not on the accessibility bus, no menu\n"
    "bar), with what to do.\n"
    "\n"
    "Exit status:\n"
    "  0  done\n"
    "  1  failed: no such application, an application that cannot be read, a file not\n"
    "     read or written, a shortcut list with faults\n"
    "  2  wrong usage\n"
    "  3  the application did not answer within the deadline (what it answered is shown)\n"
    "  4  the application quit while its menus were read\n"
    "  70 an unexpected error (such as memory running out), named on standard error";

using Command = std::function<int(const QStringList& arguments, AppServices& services)>;

} // namespace

static int runTavlenctl(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // Only drawing needs the GUI classes; it draws without a window, so no display is needed.
    std::unique_ptr<QCoreApplication> app;
    if (arguments.value(0) == QLatin1String("sheet") && ctl::sheetNeedsPicture(arguments.mid(1))) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("tavlenctl"));

    const QString command = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (command.isEmpty() || command == QLatin1String("help") || command == QLatin1String("--help") ||
        command == QLatin1String("-h")) {
        ctl::printOut(QString::fromLatin1(USAGE));
        return command.isEmpty() ? 2 : 0;
    }
    if (command == QLatin1String("version") || command == QLatin1String("--version")) {
        ctl::printOut(QStringLiteral("tavlenctl " TAVLEN_VERSION));
        return 0;
    }

    linux_platform::LinuxPlatform platform;
    // Checks a file alone: it neither opens the store nor needs a desktop.
    if (command == QLatin1String("check-shortcuts"))
        return ctl::runCheckShortcuts(arguments, platform.services().files);
    const linux_harvest::LinuxShortcutSuppliers suppliers(platform.dataFolders(), platform.services().files);
    const std::map<QString, Command> commands = {
        {QStringLiteral("import"), ctl::runImport},
        {QStringLiteral("export"), ctl::runExport},
        {QStringLiteral("apps"),
         [&platform, &suppliers](const QStringList& args, AppServices& services) {
             return ctl::runApps(args, services, platform.accessibility(), platform.workspace(),
                                 suppliers.all());
         }},
        {QStringLiteral("menus"),
         [&platform, &suppliers](const QStringList& args, AppServices& services) {
             return ctl::runMenus(args, services, platform.accessibility(), platform.workspace(),
                                  suppliers.all());
         }},
        {QStringLiteral("sheet"),
         [&platform, &suppliers](const QStringList& args, AppServices& services) {
             return ctl::runSheet(args, services, platform, suppliers.all());
         }},
    };
    const auto found = commands.find(command);
    if (found == commands.end()) {
        ctl::printError(QStringLiteral("tavlenctl: unknown command '%1'").arg(command));
        ctl::printError(QString::fromLatin1(USAGE));
        return 2;
    }

    try {
        AppServices services(platform.services());
        return found->second(arguments, services);
    } catch (const StoreStartupError& error) {
        ctl::printError(error.message());
        return 1;
    }
}

int main(int argc, char** argv)
{
    return tavlen::guardedMain("tavlenctl", [&] { return runTavlenctl(argc, argv); });
}
