#include "SheetCommand.h"

#include "ConsoleOutput.h"
#include "ExitStatus.h"
#include "PinnedWorkspace.h"
#include "TargetApplication.h"
#include "core/AppServices.h"
#include "core/LinuxRowServices.h"
#include "harvest/InlineMenuReader.h"
#include "harvest/MenuSource.h"
#include "platform/Accessibility.h"
#include "platform/NotificationCenter.h"
#include "platform/linux/LinuxPlatform.h"
#include "sheet/MenuItemViewModel.h"
#include "sheet/RowServices.h"
#include "sheet/SheetText.h"
#include "sheet/view/SheetPicture.h"

#include <cstdio>

namespace tavlen::ctl {

namespace {

// Pictures are drawn for the visible frame of a common laptop screen, whatever screen (if any)
// tavlenctl runs on, so that they come out the same everywhere.
const QSizeF PICTURE_SCREEN_FRAME(1440, 875);

struct SheetOptions {
    QString app;
    SheetText::Format format = SheetText::Format::Text;
    QString png;
    QString pdf;
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
        } else if (argument == QLatin1String("--png") && hasValue && options.png.isEmpty()) {
            options.png = arguments.at(++i);
        } else if (argument == QLatin1String("--pdf") && hasValue && options.pdf.isEmpty()) {
            options.pdf = arguments.at(++i);
        } else {
            return std::nullopt;
        }
    }
    return options;
}

} // namespace

bool sheetNeedsPicture(const QStringList& arguments)
{
    const auto options = parseOptions(arguments);
    return options && (!options->png.isEmpty() || !options->pdf.isEmpty());
}

int runSheet(const QStringList& arguments, AppServices& services,
             linux_platform::LinuxPlatform& platformServices, const ShortcutSuppliers& suppliers)
{
    Accessibility& accessibility = platformServices.accessibility();
    Workspace& workspace = platformServices.workspace();
    const auto options = parseOptions(arguments);
    if (!options) {
        printError(QStringLiteral(
            "usage: tavlenctl sheet [--app ID] [--format text|markdown|json] [--png FILE | --pdf FILE]"));
        return Usage;
    }

    const std::optional<RunningApplication> app = targetApplication(options->app, workspace, accessibility);
    if (!app)
        return Failed;

    const Platform& platform = services.platform();
    PinnedWorkspace pinned(workspace, *app);
    // The command line may wait for the read, which its deadline bounds.
    InlineMenuReader reader(accessibility, suppliers);
    MenuSource menus(reader, platformServices.timers(), platform.clock);
    MenuItemViewModel model(pinned, menus, services.databaseManager(), services.appSettings(),
                            platform.applications, platform.clock);
    model.loadSheet();

    if (!options->png.isEmpty() || !options->pdf.isEmpty()) {
        NotificationCenter notifications;
        const RowServices rowServices =
            linuxRowServices(platformServices, services, notifications, pinned, menus);
        const QString& path = options->png.isEmpty() ? options->pdf : options->png;
        QString error;
        const bool written =
            options->png.isEmpty()
                ? SheetPicture::savePdf(model, rowServices, PICTURE_SCREEN_FRAME, path, error)
                : SheetPicture::save(model, rowServices, PICTURE_SCREEN_FRAME, path, error);
        if (!written) {
            printError(QStringLiteral("Could not write the sheet to '%1': %2").arg(path, error));
            return Failed;
        }
        printOut(QStringLiteral("Wrote the sheet of %1 to '%2'.").arg(app->identifier, path));
        return absenceStatus(*app, model.menuAbsence(), readStatus(*app, model.menuStatus()));
    }
    const SheetText sheet =
        SheetText::fromModel(model, platform.keyboard, services.appSettings().showLocalizedCustomShortcuts());
    const QByteArray bytes = sheet.render(options->format);
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
    return absenceStatus(*app, model.menuAbsence(), readStatus(*app, model.menuStatus()));
}

} // namespace tavlen::ctl
