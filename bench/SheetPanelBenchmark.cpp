// The shortcut panel's sheet for Geany's recorded menus, built and painted once offscreen: the
// work between a press of the panel's gesture and its first frame, less the window itself.

#include "BenchHarness.h"
#include "platform/MenuFixture.h"
#include "sheet/MenuItemViewModel.h"
#include "sheet/view/SheetPicture.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <variant>

using namespace tavlen;

namespace {

// Geany's recorded menu bar.
MenuFixture geanyFixture()
{
    QFile file(QStringLiteral(TAVLEN_TEST_DATA_DIR "/menus/geany.json"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("Geany's menu fixture is missing");
    auto parsed = MenuFixture::parse(file.readAll());
    if (!std::holds_alternative<MenuFixture>(parsed))
        qFatal("Geany's menu fixture does not parse");
    return std::get<MenuFixture>(parsed);
}

// Harvest, grouping, widgets and the first paint of a 1152 × 613 panel.
void BM_GeanyShortcutPanelFirstPaint(benchmark::State& state)
{
    bench::BenchHarness harness(geanyFixture());
    for (auto _ : state) {
        MenuItemViewModel model(harness.workspace, harness.menuSource, harness.store, harness.settings,
                                harness.applications, harness.clock, 0);
        const QImage image = SheetPicture::render(model, harness.services(), QSizeF(1440, 875));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_GeanyShortcutPanelFirstPaint)->Unit(benchmark::kMillisecond);

} // namespace
