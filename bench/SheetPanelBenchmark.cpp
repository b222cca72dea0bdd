// The shortcut panel's sheet for Geany's recorded menus, built and painted once offscreen: the
// work between a press of the panel's gesture and its first frame, less the window itself.

#include "core/NotificationCenter.h"
#include "harvest/MenuFixture.h"
#include "platform/fake/FakeAccessibility.h"
#include "platform/fake/FakeApplicationDirectory.h"
#include "platform/fake/FakeApplicationLauncher.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeFileLocations.h"
#include "platform/fake/FakeKeySender.h"
#include "platform/fake/FakeKeyboardLayout.h"
#include "platform/fake/FakeTimers.h"
#include "platform/fake/FakeUserDefaults.h"
#include "platform/fake/FakeWindowActivator.h"
#include "platform/fake/FakeWorkspace.h"
#include "platform/linux/LocalFileSystem.h"
#include "settings/AppSettings.h"
#include "sheet/MenuItemViewModel.h"
#include "sheet/RowServices.h"
#include "sheet/view/SheetPicture.h"
#include "store/DatabaseManager.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <variant>

using namespace tavlen;

namespace {

struct PanelHarness {
    PanelHarness()
        : locations(dir.path())
        , settings(defaults, locations, files, applications,
                   [](const char*) { return std::optional<QString>(); })
        , store(locations, files)
        , timers(&clock)
        , activator(&workspace)
    {
        QFile file(QStringLiteral(TAVLEN_TEST_DATA_DIR "/menus/geany.json"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("Geany's menu fixture is missing");
        auto parsed = MenuFixture::parse(file.readAll());
        if (!std::holds_alternative<MenuFixture>(parsed))
            qFatal("Geany's menu fixture does not parse");
        const MenuFixture& fixture = std::get<MenuFixture>(parsed);
        accessibility.setLoggingCalls(false);
        accessibility.addApplication(fixture);
        workspace.setFrontmostApplication(fixture.application);
    }

    RowServices services()
    {
        return RowServices{store, settings, accessibility, applications, launcher,  notifications, locations,
                           files, keyboard, clock,         workspace,    keySender, activator,     timers};
    }

    QTemporaryDir dir;
    fake::FakeFileLocations locations;
    linux_platform::LocalFileSystem files;
    fake::FakeUserDefaults defaults;
    fake::FakeApplicationDirectory applications;
    AppSettings settings;
    DatabaseManager store;
    fake::FakeAccessibility accessibility;
    fake::FakeApplicationLauncher launcher;
    NotificationCenter notifications;
    fake::FakeKeyboardLayout keyboard;
    fake::FakeClock clock;
    fake::FakeTimers timers;
    fake::FakeWorkspace workspace;
    fake::FakeKeySender keySender;
    fake::FakeWindowActivator activator;
};

// Harvest, grouping, widgets and the first paint of a 1152 × 613 panel.
void BM_GeanyShortcutPanelFirstPaint(benchmark::State& state)
{
    PanelHarness harness;
    for (auto _ : state) {
        MenuItemViewModel model(harness.workspace, harness.accessibility, harness.store, harness.settings,
                                harness.applications, harness.clock, 0);
        const QImage image = SheetPicture::render(model, harness.services(), QSizeF(1440, 875));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_GeanyShortcutPanelFirstPaint)->Unit(benchmark::kMillisecond);

} // namespace
