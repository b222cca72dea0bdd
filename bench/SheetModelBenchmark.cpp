// The sheet model on a 10,000-element menu bar through the in-memory adapter: one whole load
// (harvest, stored flags, flattening, grouping, custom shortcuts, column split) followed by the
// layout the view draws, and the model's own share without the harvest.

#include "BenchHarness.h"
#include "LargeMenuFixture.h"
#include "platform/KeyInput.h"
#include "platform/MenuFixture.h"
#include "sheet/MenuItemViewModel.h"
#include "sheet/SheetLayout.h"

#include <benchmark/benchmark.h>

using namespace tavlen;

namespace {

const QString APP = QStringLiteral("org.example.LargeSheet");
constexpr qint64 PID = 4343;

struct Harness : bench::BenchHarness {
    Harness() : BenchHarness(bench::largeMenuFixture({APP, QStringLiteral("Large Sheet"), PID}))
    {
        applications.install({APP, QStringLiteral("Large Sheet"), QStringLiteral("/apps/large.desktop"),
                              QStringLiteral("large")});

        // Some stored flags and custom shortcuts, as a user who has used the sheet has them.
        MenuItemViewModel probe = model(0);
        int i = 0;
        for (const MenuItem& entry : probe.flattenMenuItems(probe.fetchMenuItems(), true)) {
            if (entry.keys && !entry.keys->isEmpty() && ++i % 20 == 0)
                store.saveHotkeyState(i % 40 == 0 ? QStringLiteral("global") : APP, entry.title, *entry.keys,
                                      i % 60 == 0, i % 60 != 0);
        }
        for (int k = 0; k < 20; ++k)
            store.saveCustomHotkey(k % 2 ? APP : QStringLiteral("global"),
                                   QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper(),
                                   QStringLiteral("Custom %1").arg(k), QStringLiteral("⌘ %1").arg(k), k,
                                   EventFlag::Command, true, false);
    }

    MenuItemViewModel model(qint64 force)
    {
        return MenuItemViewModel(workspace, menuSource, store, settings, applications, clock, force);
    }
};

void BM_SheetLoadAndLayout(benchmark::State& state)
{
    Harness harness;
    qsizetype entries = 0;
    for (auto _ : state) {
        MenuItemViewModel model(harness.workspace, harness.menuSource, harness.store, harness.settings,
                                harness.applications, harness.clock, 0);
        model.loadSheet();
        const SheetLayout layout = model.layout();
        entries = model.groupedMenuItems().size();
        benchmark::DoNotOptimize(layout);
    }
    if (entries < 6000)
        state.SkipWithError("the sheet lost entries");
    state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_SheetLoadAndLayout)->Unit(benchmark::kMillisecond);

// Flattening, grouping, the column split and the layout of an already harvested tree.
void BM_SheetGroupingAndLayout(benchmark::State& state)
{
    Harness harness;
    MenuItemViewModel model(harness.workspace, harness.menuSource, harness.store, harness.settings,
                            harness.applications, harness.clock, 0);
    model.loadSheet();
    const QList<MenuItem> harvested = model.fetchMenuItems();
    const SheetLayoutOptions options{true, true, true, 13.0};
    qsizetype rows = 0;
    for (auto _ : state) {
        SheetContent content = model.content();
        content.groupedMenuItems = model.groupMenuItems(model.flattenMenuItems(harvested, true));
        content.columnHeight =
            entriesPerColumn(content.columns, content.columnsAmount, content.groupedMenuItems.size());
        const SheetLayout layout = layOutSheet(content, options);
        rows = 0;
        for (const SheetMenuColumn& column : layout.menuColumns) {
            for (const SheetSection& section : column.sections)
                rows += section.rows.size();
        }
        benchmark::DoNotOptimize(layout);
    }
    if (rows == 0)
        state.SkipWithError("no rows laid out");
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_SheetGroupingAndLayout)->Unit(benchmark::kMillisecond);

} // namespace
