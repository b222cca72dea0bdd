#include "MenusCommand.h"

#include "ConsoleOutput.h"
#include "ExitStatus.h"
#include "TargetApplication.h"
#include "core/AppServices.h"
#include "harvest/HotkeyManager.h"
#include "harvest/InlineMenuReader.h"
#include "harvest/MenuSource.h"
#include "platform/Accessibility.h"
#include "platform/MenuFixture.h"
#include "platform/Workspace.h"
#include "sheet/PrintableText.h"

#include <QJsonDocument>

namespace tavlen::ctl {

namespace {

struct MenusOptions {
    QString app;
    bool json = false;
};

std::optional<MenusOptions> parseOptions(const QStringList& arguments)
{
    MenusOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--app") && i + 1 < arguments.size() && options.app.isEmpty())
            options.app = arguments.at(++i);
        else if (argument == QLatin1String("--json"))
            options.json = true;
        else
            return std::nullopt;
    }
    return options;
}

// Menus and submenus with no entry anywhere below them, which the sheet does not show either.
QList<MenuItem> withoutEmptyMenus(const QList<MenuItem>& items)
{
    QList<MenuItem> kept;
    for (const MenuItem& item : items) {
        if (item.keys) {
            kept << item;
            continue;
        }
        MenuItem menu = item;
        menu.submenu = withoutEmptyMenus(item.submenu);
        if (!menu.submenu.isEmpty())
            kept << std::move(menu);
    }
    return kept;
}

// One line per record, indented by its level: the title, then the shortcut, with disabled
// entries marked. Menus and submenu holders have no shortcut column.
void printTree(const QList<MenuItem>& items, QStringList& lines)
{
    for (const MenuItem& item : items) {
        const QString indent(static_cast<qsizetype>(qMax<qint64>(item.level - 1, 0)) * 2, QLatin1Char(' '));
        QString line =
            indent + (item.title.isEmpty() ? QStringLiteral("(untitled)") : printableText(item.title));
        if (item.keys) {
            line = line.leftJustified(48, QLatin1Char(' ')) + QLatin1Char(' ') +
                   (item.keys->isEmpty() ? QStringLiteral("-") : printableText(*item.keys));
            if (!item.isActive)
                line += QStringLiteral("  (disabled)");
        }
        lines.append(line);
        printTree(item.submenu, lines);
    }
}

} // namespace

int runMenus(const QStringList& arguments, AppServices& services, Accessibility& accessibility,
             Workspace& workspace, const ShortcutSuppliers& suppliers)
{
    const auto options = parseOptions(arguments);
    if (!options) {
        printError(QStringLiteral("usage: tavlenctl menus [--app ID] [--json]"));
        return Usage;
    }

    const std::optional<RunningApplication> app = targetApplication(options->app, workspace, accessibility);
    if (!app)
        return Failed;

    if (options->json) {
        // A recording asks for everything, so it has the whole deadline of a read to itself.
        accessibility.beginRead(QDeadlineTimer(MenuSource::READ_DEADLINE_MS));
        AXValue menuBar;
        const AXElement application = accessibility.createApplication(app->processIdentifier);
        accessibility.copyAttributeValue(application, QStringLiteral("AXMenuBar"), menuBar);
        const AXElement* element = menuBar.get<AXElement>();
        const QJsonObject fixture =
            MenuFixture::record(accessibility, element ? *element : AXElement(), *app);
        const Accessibility::ReadTrouble trouble = accessibility.endRead();
        printOut(QString::fromUtf8(QJsonDocument(fixture).toJson(QJsonDocument::Indented)).trimmed());
        return readStatus(*app, trouble.gone       ? MenuReadOutcome::Gone
                                : trouble.timedOut ? MenuReadOutcome::TimedOut
                                                   : MenuReadOutcome::Complete);
    }

    HotkeyManager manager(app->localizedName, app->identifier, workspace,
                          services.databaseManager().applicationRecorder(),
                          services.appSettings().harvestSettings(), services.platform().clock);
    if (!manager.recordApplication(app->identifier)) {
        printError(QStringLiteral("No running application has the id '%1'.").arg(app->identifier));
        return Failed;
    }
    const MenuRead read = readMenusNow(
        accessibility,
        {app->processIdentifier, manager.walkLimits(), MenuSource::READ_DEADLINE_MS, app->identifier},
        nullptr, suppliers);
    const QList<MenuItem> items = withoutEmptyMenus(HotkeyManager::pruneMenuItems(read.items));
    QStringList lines{
        QStringLiteral("%1 (%2, pid %3)")
            .arg(printableText(app->localizedName.isEmpty() ? app->identifier : app->localizedName),
                 printableText(app->identifier))
            .arg(app->processIdentifier)};
    printTree(items, lines);
    if (items.isEmpty())
        lines.append(QStringLiteral("(no menu entries with shortcuts)"));
    printOut(lines.join(QLatin1Char('\n')));
    return absenceStatus(*app, read.absence, readStatus(*app, read.outcome));
}

} // namespace tavlen::ctl
