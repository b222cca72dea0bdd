// Reading the shortcuts window of GNOME's calculator (GTK 4, no menu bar) from its process: the
// first read, which scans every ELF file the process runs (about 130), and the reads after it,
// which each panel makes and which find the scans kept. Needs an X display
// (scripts/with-session.sh gives one) and gnome-calculator; starts its own calculator.

#include "harvest/linux/ShortcutsWindowSupplier.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

using tavlen::SupplierRequest;
using tavlen::linux_harvest::ShortcutsWindowSupplier;

namespace {

class Calculator {
public:
    bool start()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") ||
            QStandardPaths::findExecutable(QStringLiteral("gnome-calculator")).isEmpty())
            return false;
        // Settings of its own, so that it fetches no exchange rates from the network.
        const QString settings = m_home.filePath(QStringLiteral("glib-2.0/settings"));
        QDir().mkpath(settings);
        QFile keyfile(settings + QStringLiteral("/keyfile"));
        if (!keyfile.open(QIODevice::WriteOnly))
            return false;
        keyfile.write("[org/gnome/calculator]\nrefresh-interval=0\n");
        keyfile.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.path());
        environment.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
        environment.insert(QStringLiteral("GDK_BACKEND"), QStringLiteral("x11"));
        m_process.setProcessEnvironment(environment);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(QStringLiteral("gnome-calculator"), {});
        if (!m_process.waitForStarted(10000))
            return false;
        // Until it has loaded its libraries: the benchmark measures a running program.
        QThread::sleep(3);
        return m_process.state() == QProcess::Running;
    }

    ~Calculator()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    SupplierRequest request() const
    {
        return {m_process.processId(), QStringLiteral("org.gnome.Calculator")};
    }

private:
    QTemporaryDir m_home;
    QProcess m_process;
};

void BM_ShortcutsWindowFirstRead(benchmark::State& state)
{
    Calculator calculator;
    if (!calculator.start()) {
        state.SkipWithError("needs an X display and gnome-calculator");
        return;
    }
    for (auto _ : state) {
        ShortcutsWindowSupplier supplier;
        benchmark::DoNotOptimize(supplier.groups(calculator.request(), {}));
        state.counters["files"] = double(supplier.fileScans());
    }
}
BENCHMARK(BM_ShortcutsWindowFirstRead)->Unit(benchmark::kMillisecond);

void BM_ShortcutsWindowKeptRead(benchmark::State& state)
{
    Calculator calculator;
    if (!calculator.start()) {
        state.SkipWithError("needs an X display and gnome-calculator");
        return;
    }
    ShortcutsWindowSupplier supplier;
    supplier.groups(calculator.request(), {});
    const qsizetype scans = supplier.fileScans();
    for (auto _ : state)
        benchmark::DoNotOptimize(supplier.groups(calculator.request(), {}));
    if (supplier.fileScans() != scans)
        state.SkipWithError("a kept read scanned a file again");
}
BENCHMARK(BM_ShortcutsWindowKeptRead)->Unit(benchmark::kMicrosecond);

} // namespace
