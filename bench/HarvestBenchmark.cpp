// One harvest and prune of a large menu bar through the in-memory adapter: the cost of the
// harvest's own logic (notation, records, pruning) without a bus underneath.

#include "harvest/HotkeyManager.h"
#include "harvest/MenuFixture.h"
#include "platform/fake/FakeAccessibility.h"
#include "platform/fake/FakeApplicationDirectory.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeFileLocations.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeUserDefaults.h"
#include "platform/fake/FakeWorkspace.h"
#include "platform/linux/LocalFileSystem.h"
#include "settings/AppSettings.h"
#include "store/DatabaseManager.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace tavlen;

namespace {

const QString APP = QStringLiteral("org.example.Large");
constexpr qint64 PID = 4242;

// 10 menus of 10 submenus of 99 entries each, and the system menu: 10,021 elements. Every third
// entry has no shortcut, the rest cycle through characters, named keys and function keys.
MenuFixture largeFixture()
{
    MenuFixture fixture;
    fixture.application = {APP, QStringLiteral("Large"), PID};
    MenuFixture::Element bar;
    MenuFixture::Element system;
    system.title = QStringLiteral("System");
    bar.children.append(system);
    int n = 0;
    for (int m = 0; m < 10; ++m) {
        MenuFixture::Element menu;
        menu.title = QStringLiteral("Menu %1").arg(m);
        for (int s = 0; s < 10; ++s) {
            MenuFixture::Element submenu;
            submenu.title = QStringLiteral("Submenu %1.%2").arg(m).arg(s);
            for (int e = 0; e < 99; ++e, ++n) {
                MenuFixture::Element entry;
                entry.title = QStringLiteral("Entry %1").arg(n);
                entry.enabled = n % 5 != 0;
                switch (n % 3) {
                case 0:
                    break;
                case 1:
                    entry.cmdChar = QString(QChar(u'A' + n % 26));
                    entry.cmdModifiers = static_cast<quint64>(n % 16);
                    break;
                default:
                    entry.cmdVirtualKey = n % 2 ? 36 : 122;
                    entry.cmdGlyph = n % 2 ? 36 : 111;
                    entry.cmdModifiers = 8;
                    break;
                }
                submenu.children.append(entry);
            }
            menu.children.append(submenu);
        }
        bar.children.append(menu);
    }
    fixture.menuBar = bar;
    return fixture;
}

struct Harness {
    Harness()
        : locations(dir.path())
        , settings(defaults, locations, files, applications,
                   [](const char*) { return std::optional<QString>(); })
        , store(locations, files)
    {
        accessibility.addApplication(largeFixture());
        workspace.addRunningApplication({APP, QStringLiteral("Large"), PID});
    }

    QTemporaryDir dir;
    fake::FakeFileLocations locations;
    linux_platform::LocalFileSystem files;
    fake::FakeUserDefaults defaults;
    fake::FakeApplicationDirectory applications;
    AppSettings settings;
    DatabaseManager store;
    fake::FakeAccessibility accessibility;
    fake::FakeWorkspace workspace;
    fake::FakeClock clock;
};

void BM_HarvestAndPrune(benchmark::State& state)
{
    Harness harness;
    harness.settings.setShowAllMenus(state.range(0) != 0);
    qsizetype menus = 0;
    for (auto _ : state) {
        harness.accessibility.clearCalls();
        HotkeyManager manager(QStringLiteral("Large"), APP, harness.accessibility, harness.workspace,
                              harness.store, harness.settings, harness.clock);
        const QList<MenuItem> items = HotkeyManager::pruneMenuItems(manager.harvestMenuBar(APP));
        menus = items.size();
        benchmark::DoNotOptimize(items);
    }
    if (menus != 10)
        state.SkipWithError("the harvest lost menus");
    state.counters["elements"] = 10021;
}
BENCHMARK(BM_HarvestAndPrune)->Arg(0)->Arg(1)->ArgNames({"showAllMenus"})->Unit(benchmark::kMillisecond);

} // namespace
