// A full walk of Geany's menu bar over the accessibility bus, making the calls the harvest makes:
// children, title, child count, and the five key attributes of every leaf. Needs an X display
// and a session bus (scripts/with-session.sh gives both); starts its own Geany.

#include "GeanyInstance.h"
#include "platform/AccessibilityError.h"
#include "platform/linux/AtspiAccessibility.h"
#include "support/AccessibilityTree.h"

#include <QDeadlineTimer>
#include <benchmark/benchmark.h>

using namespace tavlen;
using tavlen::linux_platform::AtspiAccessibility;

namespace {

using test::childrenOf;

// The harvest's walk, without building records; answers the number of elements visited.
qint64 walk(Accessibility& ax, const AXElement& element, int level)
{
    qint64 visited = 0;
    const std::vector<AXElement> children = childrenOf(ax, element);
    for (std::size_t i = level == 1 ? 1 : 0; i < children.size(); ++i) {
        const AXElement& child = children[i];
        ++visited;
        AXValue title;
        if (ax.copyAttributeValue(child, QStringLiteral("AXTitle"), title) != AXErrorCode::Success ||
            !title.get<QString>()) {
            visited += walk(ax, child, level + 1);
            continue;
        }
        if (level == 1) {
            visited += walk(ax, child, 2);
            continue;
        }
        qint64 count = 0;
        if (ax.attributeValueCount(child, QStringLiteral("AXChildren"), count) == AXErrorCode::Success &&
            count > 0) {
            visited += walk(ax, child, level + 1);
            continue;
        }
        std::vector<AXValue> values;
        ax.copyMultipleAttributeValues(child, test::menuEntryKeyAttributes, values);
        benchmark::DoNotOptimize(values);
    }
    return visited;
}

void BM_AtspiWalkGeanyMenuBar(benchmark::State& state)
{
    if (const QString missing = bench::GeanyInstance::missingRequirement(); !missing.isEmpty()) {
        state.SkipWithError(qPrintable(missing));
        return;
    }
    AtspiAccessibility ax;
    if (!ax.isProcessTrusted(true)) {
        state.SkipWithError("the accessibility bus cannot be switched on");
        return;
    }
    bench::GeanyInstance geany;
    if (!geany.start()) {
        state.SkipWithError("geany did not start");
        return;
    }
    geany.waitForMenuBar(ax);

    qint64 elements = 0;
    ax.resetStatistics();
    for (auto _ : state) {
        // Every walk is a read of its own and asks Geany afresh, as every read of a menu bar does.
        ax.beginRead(QDeadlineTimer(QDeadlineTimer::Forever));
        const AXElement menuBar = geany.menuBar(ax);
        if (menuBar.isNull()) {
            state.SkipWithError("Geany's menu bar did not appear");
            break;
        }
        elements = walk(ax, menuBar, 1);
        ax.endRead();
    }
    const auto statistics = ax.statistics();
    const double walks = static_cast<double>(state.iterations());
    const double perWalk = std::max(1.0, walks * static_cast<double>(elements));
    state.counters["elements"] = static_cast<double>(elements);
    state.counters["messages_per_element"] = static_cast<double>(statistics.messages) / perWalk;
    state.counters["round_trips_per_element"] = static_cast<double>(statistics.roundTrips) / perWalk;
    state.counters["round_trips_per_walk"] =
        static_cast<double>(statistics.roundTrips) / std::max(1.0, walks);
}

} // namespace

BENCHMARK(BM_AtspiWalkGeanyMenuBar)->Unit(benchmark::kMillisecond)->UseRealTime();
