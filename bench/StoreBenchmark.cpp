// The store's per-call costs on a store the size a long-time user reaches, and the import of a
// large export file.

#include "platform/fake/FakeApplicationDirectory.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeFileLocations.h"
#include "platform/fake/FakeKeyboardLayout.h"
#include "platform/linux/LocalFileSystem.h"
#include "store/DatabaseManager.h"
#include "store/ShortcutTransfer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace tavlen;

namespace {

constexpr int STORED_ROWS = 10000;
constexpr int IMPORTED_SHORTCUTS = 5000;

const QString APP = QStringLiteral("org.gnome.TextEditor");

// A store on a real file whose Hotkeys table holds STORED_ROWS rows, spread over ten
// applications the way a harvest of a few large applications leaves them.
struct FilledStore {
    FilledStore() : locations(dir.path())
    {
        store = std::make_unique<DatabaseManager>(locations, files);
        for (int i = 0; i < STORED_ROWS; ++i) {
            const QString app = i % 10 == 0 ? APP : QStringLiteral("app.%1").arg(i % 10);
            store->saveHotkeyState(app, QStringLiteral("Menu entry %1").arg(i), QStringLiteral("⌃ %1").arg(i),
                                   i % 3 == 0, i % 7 == 0);
        }
    }

    QTemporaryDir dir;
    fake::FakeFileLocations locations;
    linux_platform::LocalFileSystem files;
    std::unique_ptr<DatabaseManager> store;
};

FilledStore& filledStore()
{
    static FilledStore filled;
    return filled;
}

void BM_SaveHotkeyState(benchmark::State& state)
{
    DatabaseManager& store = *filledStore().store;
    int i = 0;
    for (auto _ : state) {
        // Alternates the flags of existing rows: the count finds the row, the update rewrites it.
        store.saveHotkeyState(APP, QStringLiteral("Menu entry %1").arg((i % 1000) * 10),
                              QStringLiteral("⌃ %1").arg((i % 1000) * 10), i % 2 == 0, false);
        ++i;
    }
}
BENCHMARK(BM_SaveHotkeyState)->Unit(benchmark::kMicrosecond);

void BM_GetHotkeyStates(benchmark::State& state)
{
    DatabaseManager& store = *filledStore().store;
    qsizetype rows = 0;
    for (auto _ : state) {
        const auto states = store.getHotkeyStates(APP);
        rows = states.size();
        benchmark::DoNotOptimize(states);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_GetHotkeyStates)->Unit(benchmark::kMicrosecond);

QByteArray exportFile()
{
    QJsonArray rows;
    for (int i = 0; i < IMPORTED_SHORTCUTS; ++i)
        rows.append(
            QJsonArray{QStringLiteral("Shortcut %1").arg(i), QStringLiteral("shift+command"), i % 128});
    QJsonObject captions;
    captions.insert(QStringLiteral("Text Editor Shortcuts"), rows);
    QJsonObject top;
    top.insert(APP, captions);
    return QJsonDocument(top).toJson();
}

void BM_ImportFiveThousandShortcuts(benchmark::State& state)
{
    const QByteArray content = exportFile();
    fake::FakeKeyboardLayout keyboard;
    fake::FakeApplicationDirectory applications;
    fake::FakeClock clock;
    linux_platform::LocalFileSystem files;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        fake::FakeFileLocations locations(dir.path());
        auto store = std::make_unique<DatabaseManager>(locations, files);
        const QString path = dir.filePath(QStringLiteral("big.tavlen"));
        files.writeAtomically(path, content);
        state.ResumeTiming();

        const auto error = transfer::importFile(path, *store, true, files, keyboard, applications, clock);
        if (error)
            state.SkipWithError(qPrintable(*error));
    }
    state.counters["shortcuts"] = IMPORTED_SHORTCUTS;
}
BENCHMARK(BM_ImportFiveThousandShortcuts)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
