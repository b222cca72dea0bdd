#include "TransferCommands.h"

#include "ConsoleOutput.h"
#include "core/AppServices.h"
#include "store/GlobalApp.h"
#include "store/ShortcutTransfer.h"

namespace tavlen::ctl {

namespace {

// The title the editor would show for an application: its stored title, else its installed
// name, else the id itself.
QString applicationTitle(const QString& identifier, AppServices& services)
{
    if (identifier == QLatin1String(global_app::IDENTIFIER))
        return QString::fromLatin1(global_app::TITLE);
    const auto apps = services.databaseManager().getApps();
    for (const auto& [id, title] : apps) {
        if (id == identifier)
            return title;
    }
    return transfer::applicationName(identifier, services.platform().applications).value_or(identifier);
}

} // namespace

int runImport(const QStringList& arguments, AppServices& services)
{
    if (arguments.isEmpty()) {
        printError(QStringLiteral("usage: tavlenctl import FILE"));
        return 2;
    }
    if (arguments.size() > 1) {
        printError(QString::fromLatin1(transfer::MULTIPLE_FILES_MESSAGE));
        return 1;
    }
    const QString& path = arguments.first();
    const Platform& platform = services.platform();
    const auto error = transfer::importFile(
        path, services.databaseManager(), services.appSettings().showLocalizedCustomShortcuts(),
        platform.files, platform.keyboard, platform.applications, platform.clock);
    const QString message = transfer::importResultMessage(path, error);
    if (error) {
        printError(message);
        return 1;
    }
    printOut(message);
    return 0;
}

int runExport(const QStringList& arguments, AppServices& services)
{
    const QString usage = QStringLiteral("usage: tavlenctl export FILE [--app ID | --all]");
    QString path;
    std::optional<QString> app;
    bool all = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--app") && i + 1 < arguments.size() && !app) {
            app = arguments.at(++i);
        } else if (argument == QLatin1String("--all")) {
            all = true;
        } else if (!argument.startsWith(QLatin1String("--")) && path.isEmpty()) {
            path = argument;
        } else {
            printError(usage);
            return 2;
        }
    }
    if (path.isEmpty() || (app && all) || (app && app->isEmpty())) {
        printError(usage);
        return 2;
    }

    std::optional<QString> failure;
    transfer::ExportSummary summary;
    if (app) {
        failure = transfer::exportShortcuts(applicationTitle(*app, services), *app, path, false,
                                            services.databaseManager(), services.platform().files, &summary);
    } else {
        failure = transfer::exportShortcuts(QString::fromLatin1(global_app::TITLE),
                                            QString::fromLatin1(global_app::IDENTIFIER), path, true,
                                            services.databaseManager(), services.platform().files, &summary);
    }
    if (failure) {
        printError(QStringLiteral("Could not export to '%1': %2").arg(path, *failure));
        return 1;
    }
    QString said = QStringLiteral("Exported %1 shortcut%2 to '%3'")
                       .arg(summary.exported)
                       .arg(summary.exported == 1 ? QString() : QStringLiteral("s"), path);
    if (summary.leftOut > 0)
        said += QStringLiteral("; %1 stored row%2 could not be read and %3 left out")
                    .arg(summary.leftOut)
                    .arg(summary.leftOut == 1 ? QString() : QStringLiteral("s"),
                         summary.leftOut == 1 ? QStringLiteral("was") : QStringLiteral("were"));
    printOut(said + QLatin1Char('.'));
    return 0;
}

} // namespace tavlen::ctl
