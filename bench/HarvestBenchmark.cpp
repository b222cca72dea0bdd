// One harvest and prune of a large menu bar through the in-memory adapter: the cost of the
// harvest's own logic (notation, records, pruning) without a bus underneath.

#include "LargeMenuFixture.h"
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

struct Harness {
    Harness()
        : locations(dir.path())
        , settings(defaults, locations, files, applications,
                   [](const char*) { return std::optional<QString>(); })
        , store(locations, files)
    {
        accessibility.setLoggingCalls(false);
        accessibility.addApplication(bench::largeMenuFixture({APP, QStringLiteral("Large"), PID}));
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
