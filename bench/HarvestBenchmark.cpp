// One harvest and prune of a large menu bar through the in-memory adapter: the cost of the
// harvest's own logic (notation, records, pruning) without a bus underneath.

#include "BenchHarness.h"
#include "LargeMenuFixture.h"
#include "harvest/HotkeyManager.h"
#include "platform/MenuFixture.h"

#include <benchmark/benchmark.h>
#include <memory>

using namespace tavlen;

namespace {

const QString APP = QStringLiteral("org.example.Large");
constexpr qint64 PID = 4242;

struct Harness : bench::BenchHarness {
    Harness() : BenchHarness(bench::largeMenuFixture({APP, QStringLiteral("Large"), PID})) {}
};

void BM_HarvestAndPrune(benchmark::State& state)
{
    Harness harness;
    harness.settings.setShowAllMenus(state.range(0) != 0);
    qsizetype menus = 0;
    for (auto _ : state) {
        harness.accessibility.clearCalls();
        HotkeyManager manager(QStringLiteral("Large"), APP, harness.accessibility, harness.workspace,
                              harness.store.applicationRecorder(), harness.settings.harvestSettings(),
                              harness.clock);
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
