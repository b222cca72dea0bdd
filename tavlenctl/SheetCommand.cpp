#include "SheetCommand.h"

#include "ConsoleOutput.h"
#include "PinnedWorkspace.h"
#include "TargetApplication.h"
#include "core/AppServices.h"
#include "platform/Accessibility.h"
#include "sheet/MenuItemViewModel.h"
#include "sheet/SheetText.h"

#include <cstdio>

namespace tavlen::ctl {

namespace {

struct SheetOptions {
    QString app;
    SheetText::Format format = SheetText::Format::Text;
};

std::optional<SheetOptions> parseOptions(const QStringList& arguments)
{
    SheetOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--app") && hasValue && options.app.isEmpty()) {
            options.app = arguments.at(++i);
        } else if (argument == QLatin1String("--format") && hasValue) {
            const auto format = SheetText::formatNamed(arguments.at(++i));
            if (!format)
                return std::nullopt;
            options.format = *format;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

} // namespace

int runSheet(const QStringList& arguments, AppServices& services, Accessibility& accessibility,
             Workspace& workspace)
{
    const auto options = parseOptions(arguments);
    if (!options) {
        printError(QStringLiteral("usage: tavlenctl sheet [--app ID] [--format text|markdown|json]"));
        return 2;
    }

    const std::optional<RunningApplication> app = targetApplication(options->app, workspace, accessibility);
    if (!app)
        return 1;

    const Platform& platform = services.platform();
    PinnedWorkspace pinned(workspace, *app);
    MenuItemViewModel model(pinned, accessibility, services.databaseManager(), services.appSettings(),
                            platform.applications, platform.clock);
    model.loadSheet();
    const SheetText sheet =
        SheetText::fromModel(model, platform.keyboard, services.appSettings().showLocalizedCustomShortcuts());
    const QByteArray bytes = sheet.render(options->format);
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
    return 0;
}

} // namespace tavlen::ctl
