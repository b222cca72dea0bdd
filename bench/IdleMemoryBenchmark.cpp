// The resident application's memory once it sits idle: the built tavlen started in a temporary
// home on the X display, with Geany running, read from /proc a few seconds after it said it is
// running (the intro fade is over by then). The time is the start-up, until that line. Needs
// an X display and a session bus (scripts/with-session.sh gives both) and geany.

#include "GeanyInstance.h"
#include "platform/linux/AtspiAccessibility.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

using namespace tavlen;

namespace {

// Long enough after start-up for the intro fade (two seconds) to have ended and its window to
// have gone.
constexpr int IdleMilliseconds = 5000;

// One "Name:   1234 kB" line of /proc/PID/status, in mebibytes; none when it cannot be read.
std::optional<double> statusMegabytes(qint64 pid, const QByteArray& name)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray prefix = name + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (!line.startsWith(prefix))
            continue;
        const QList<QByteArray> fields = line.mid(prefix.size()).simplified().split(' ');
        bool ok = false;
        const double kilobytes = fields.value(0).toDouble(&ok);
        if (ok && fields.value(1) == "kB")
            return kilobytes / 1024.0;
    }
    return std::nullopt;
}

// Everything tavlen writes goes into `home`; Qt draws on the display whatever the benchmarks
// themselves use.
QProcessEnvironment temporaryHome(const QString& home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return environment;
}

bool waitForLine(QProcess& process, const QByteArray& text, int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    QByteArray printed;
    while (!printed.contains(text)) {
        if (deadline.hasExpired() || process.state() == QProcess::NotRunning)
            return false;
        process.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
        printed += process.readAllStandardOutput();
    }
    return true;
}

// False when the process did not end by itself, cleanly, after SIGTERM: the outro plays for two
// seconds, then the event loop ends.
bool stop(QProcess& process)
{
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Starts tavlen in `home` and waits until it says it is running; false (the process stopped)
// when it does not.
bool startTavlen(QProcess& tavlen, const QTemporaryDir& home)
{
    tavlen.setWorkingDirectory(home.path());
    tavlen.setProcessEnvironment(temporaryHome(home.path()));
    tavlen.setStandardErrorFile(QProcess::nullDevice());
    tavlen.start(QStringLiteral(TAVLEN_EXECUTABLE), {});
    if (waitForLine(tavlen, "is running", 30000))
        return true;
    stop(tavlen);
    return false;
}

// What /proc says of tavlen once it has sat idle, in mebibytes.
struct IdleMemory {
    double resident = 0;
    double peak = 0;
    double anonymous = 0;
};

// One reading: tavlen started in a home of its own, `whileStarting` done with it running, then
// left idle, read and stopped. The iteration's time is the start-up and `whileStarting`. False,
// with the benchmark skipped, when any step failed.
bool readIdleMemory(benchmark::State& state, IdleMemory& memory,
                    const std::function<void(QProcess&)>& whileStarting = {})
{
    QTemporaryDir home;
    QProcess tavlen;
    QElapsedTimer clock;
    clock.start();
    if (!startTavlen(tavlen, home)) {
        state.SkipWithError("tavlen did not say it is running");
        return false;
    }
    if (whileStarting)
        whileStarting(tavlen);
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    if (tavlen.waitForFinished(IdleMilliseconds)) {
        state.SkipWithError("tavlen ended by itself");
        return false;
    }
    const std::optional<double> resident = statusMegabytes(tavlen.processId(), "VmRSS");
    const std::optional<double> peak = statusMegabytes(tavlen.processId(), "VmHWM");
    const std::optional<double> anonymous = statusMegabytes(tavlen.processId(), "RssAnon");
    if (!stop(tavlen)) {
        state.SkipWithError("tavlen did not end cleanly on SIGTERM");
        return false;
    }
    if (!resident || !peak || !anonymous) {
        state.SkipWithError("tavlen's memory cannot be read from /proc");
        return false;
    }
    memory = {*resident, *peak, *anonymous};
    return true;
}

void BM_IdleMemoryResidentTavlen(benchmark::State& state)
{
    if (const QString missing = bench::GeanyInstance::missingRequirement(); !missing.isEmpty()) {
        state.SkipWithError(qPrintable(missing));
        return;
    }
    bench::GeanyInstance geany;
    linux_platform::AtspiAccessibility ax;
    if (!geany.start() || !ax.isProcessTrusted(true) || !geany.waitForMenuBar(ax)) {
        state.SkipWithError("geany did not start, or does not show on the accessibility bus");
        return;
    }

    IdleMemory memory;
    for (auto _ : state) {
        if (!readIdleMemory(state, memory))
            break;
    }
    state.counters["rss_mb"] = memory.resident;
    state.counters["hwm_mb"] = memory.peak;
    // What is the process's alone: the rest of the resident set is mostly the shared libraries'
    // pages, which other Qt applications share.
    state.counters["anon_mb"] = memory.anonymous;
}
BENCHMARK(BM_IdleMemoryResidentTavlen)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// The same, with ten applications' menus kept: ten Geanys, each brought to the front in turn
// (which has tavlen read its menus ahead), then left idle. Starts openbox for the notion of a
// frontmost window when no window manager runs (a second one quits at once).
void BM_IdleMemoryTenApplicationsKept(benchmark::State& state)
{
    constexpr int applications = 10;
    if (const QString missing = bench::GeanyInstance::missingRequirement(); !missing.isEmpty()) {
        state.SkipWithError(qPrintable(missing));
        return;
    }
    QProcess windowManager;
    windowManager.setStandardOutputFile(QProcess::nullDevice());
    windowManager.setStandardErrorFile(QProcess::nullDevice());
    windowManager.start(QStringLiteral("openbox"), {});
    std::vector<std::unique_ptr<bench::GeanyInstance>> geanys;
    linux_platform::AtspiAccessibility ax;
    for (int i = 0; i < applications; ++i) {
        geanys.push_back(std::make_unique<bench::GeanyInstance>());
        if (!geanys.back()->start()) {
            state.SkipWithError("geany did not start");
            return;
        }
    }
    for (const auto& geany : geanys) {
        if (!ax.isProcessTrusted(true) || !geany->waitForMenuBar(ax)) {
            state.SkipWithError("geany does not show on the accessibility bus");
            return;
        }
    }

    IdleMemory memory;
    // Each stays in front long enough for the read ahead (it waits 300 ms) and the read.
    const auto bringEachToTheFront = [&geanys](QProcess& tavlen) {
        for (const auto& geany : geanys) {
            geany->activate();
            tavlen.waitForFinished(1000);
        }
    };
    for (auto _ : state) {
        if (!readIdleMemory(state, memory, bringEachToTheFront))
            break;
    }
    windowManager.terminate();
    windowManager.waitForFinished(5000);
    state.counters["applications"] = applications;
    state.counters["rss_mb"] = memory.resident;
    state.counters["anon_mb"] = memory.anonymous;
}
BENCHMARK(BM_IdleMemoryTenApplicationsKept)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

} // namespace
