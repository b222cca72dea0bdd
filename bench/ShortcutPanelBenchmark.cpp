// The shortcut panel as the user meets it: from the moment the activation gesture's hold timer
// fires to the panel's first frame on the X server, with Geany frontmost. Everything between is
// real: the controller and the widget windows, the store in a temporary home, the harvest over
// the accessibility bus, the window manager. Only the keys are typed by the benchmark, through
// the global key source. Needs Qt on X11 and a session bus (scripts/with-session.sh gives
// both), geany, xdotool and xprop; starts openbox when no window manager runs.
//
// The span ends when the first paint cycle of the panel has been flushed: Qt paints a window
// only once the X server has exposed it (after the window manager mapped it), and flushes the
// backing store to the window at the end of the same cycle, before control returns to the
// event loop. A call queued at the first QEvent::Paint therefore runs just after the pixels
// were sent to the window.

#include "GeanyInstance.h"
#include "core/AppDelegate.h"
#include "core/AppServices.h"
#include "core/NotificationCenter.h"
#include "core/windows/CustomPanel.h"
#include "core/windows/WidgetWindowSystem.h"
#include "harvest/MenuSource.h"
#include "harvest/ThreadedMenuReader.h"
#include "platform/Timers.h"
#include "platform/Workspace.h"
#include "platform/fake/FakeInstanceLock.h"
#include "platform/fake/FakeKeyEventSource.h"
#include "platform/fake/FakeLoginItems.h"
#include "platform/linux/AtspiAccessibility.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/LinuxRowServices.h"
#include "platform/linux/X11WindowStacking.h"
#include "settings/UserDefaults.h"
#include "sheet/MenuItemViewModel.h"
#include "sheet/MenuPrefetch.h"
#include "sheet/RowServices.h"
#include "sheet/view/HotkeysView.h"
#include "sheet/view/MenuItemView.h"
#include "store/StoreStartupError.h"
#include "support/TempEnvironment.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>

using namespace tavlen;
using namespace std::chrono_literals;
using Steady = std::chrono::steady_clock;

namespace {

constexpr qint64 CommandFlag = 0x100000;
constexpr quint16 CommandKeyCode = 55;

// When each step of one showing of the panel happened.
struct PanelStamps {
    std::optional<Steady::time_point> holdFired;
    std::optional<Steady::time_point> harvestStarted;
    std::optional<Steady::time_point> harvested;
    std::optional<Steady::time_point> widgetsBuilt;
    std::optional<Steady::time_point> exposed;
    std::optional<Steady::time_point> firstPaint;
    std::optional<Steady::time_point> painted;
};

void stampOnce(std::optional<Steady::time_point>& stamp)
{
    if (!stamp)
        stamp = Steady::now();
}

double milliseconds(Steady::time_point from, Steady::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The real timers, noting when the callback of the detector's hold timer starts: the timer
// started with the hold delay (the controller's own timers have other delays).
class HoldTimerProbe final : public Timers {
public:
    HoldTimerProbe(Timers& timers, PanelStamps& stamps) : m_timers(timers), m_stamps(stamps) {}

    void setHoldDelay(std::chrono::milliseconds delay) { m_holdDelay = delay; }

    Id singleShot(std::chrono::milliseconds delay, std::function<void()> callback) override
    {
        if (delay != m_holdDelay)
            return m_timers.singleShot(delay, std::move(callback));
        return m_timers.singleShot(delay, [this, callback = std::move(callback)] {
            stampOnce(m_stamps.holdFired);
            callback();
        });
    }

    void cancel(Id id) override { m_timers.cancel(id); }

private:
    Timers& m_timers;
    PanelStamps& m_stamps;
    std::chrono::milliseconds m_holdDelay{-1};
};

bool isShortcutPanel(const QString& windowTitle)
{
    return windowTitle == CustomPanel::shortcutsTitle();
}

// Watches every event of the application for the steps of the shortcut panel's showing: its
// sheet coming on screen (which loads the model, harvest first), the window exposed, and the
// first paint.
class PanelProbe final : public QObject {
public:
    explicit PanelProbe(PanelStamps& stamps) : m_stamps(stamps) { qApp->installEventFilter(this); }
    ~PanelProbe() override { qApp->removeEventFilter(this); }
    PanelProbe(const PanelProbe&) = delete;
    PanelProbe& operator=(const PanelProbe&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            if (auto* sheet = qobject_cast<MenuItemView*>(watched); sheet && !m_stamps.harvestStarted)
                watchSheet(*sheet);
            break;
        case QEvent::Expose:
            if (const auto* window = qobject_cast<QWindow*>(watched);
                window && window->isExposed() && isShortcutPanel(window->title()))
                stampOnce(m_stamps.exposed);
            break;
        case QEvent::Paint:
            if (const auto* widget = qobject_cast<QWidget*>(watched);
                widget && !m_stamps.firstPaint && isShortcutPanel(widget->window()->windowTitle())) {
                stampOnce(m_stamps.firstPaint);
                QMetaObject::invokeMethod(
                    this, [this] { stampOnce(m_stamps.painted); }, Qt::QueuedConnection);
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    // The sheet loads its model while it is being shown, after this filter has seen the event:
    // the columns are set just before the harvest, the groups just after, and `loaded` is
    // announced once the sheet (connected first) has built its widgets.
    void watchSheet(MenuItemView& sheet)
    {
        if (!isShortcutPanel(sheet.window()->windowTitle()))
            return;
        MenuItemViewModel& model = sheet.viewModel();
        connect(&model, &MenuItemViewModel::columnsChanged, this,
                [this] { stampOnce(m_stamps.harvestStarted); });
        connect(&model, &MenuItemViewModel::groupedMenuItemsChanged, this,
                [this] { stampOnce(m_stamps.harvested); });
        connect(&model, &MenuItemViewModel::loadedChanged, this,
                [this] { stampOnce(m_stamps.widgetsBuilt); });
    }

    PanelStamps& m_stamps;
};

// Runs the event loop until `done` holds; false when `timeout` passed first.
bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(5ms);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired())
            loop.quit();
    });
    poll.start();
    if (!done())
        loop.exec();
    return done();
}

void runFor(std::chrono::milliseconds duration)
{
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs `program` and answers what it printed; empty when it could not run in time.
QString output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// An EWMH window manager on the display: the one that runs, or openbox started here and ended
// with this object. The frontmost application is the one whose window it calls active.
class WindowManager {
public:
    WindowManager() = default;
    ~WindowManager()
    {
        if (m_openbox.state() == QProcess::NotRunning)
            return;
        m_openbox.terminate();
        if (!m_openbox.waitForFinished(5000)) {
            m_openbox.kill();
            m_openbox.waitForFinished(1000);
        }
    }
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    bool ensureRunning()
    {
        if (running())
            return true;
        m_openbox.setStandardOutputFile(QProcess::nullDevice());
        m_openbox.setStandardErrorFile(QProcess::nullDevice());
        m_openbox.start(QStringLiteral("openbox"), {});
        if (!m_openbox.waitForStarted(5000))
            return false;
        const QDeadlineTimer deadline(10000);
        while (!running()) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(50);
        }
        return true;
    }

private:
    // The root window names the window manager's check window, which names itself while the
    // window manager runs. A window manager that has ended leaves the root's property behind.
    static bool running()
    {
        const QString property = QStringLiteral("_NET_SUPPORTING_WM_CHECK");
        const auto checkWindow = [&](const QStringList& window) {
            const QString printed = output(QStringLiteral("xprop"), window + QStringList{property});
            const qsizetype at = printed.indexOf(QStringLiteral("window id # "));
            return at < 0 ? QString() : printed.mid(at + 12).section(QLatin1Char(','), 0, 0).trimmed();
        };
        const QString window = checkWindow({QStringLiteral("-root")});
        return !window.isEmpty() && checkWindow({QStringLiteral("-id"), window}) == window;
    }

    QProcess m_openbox;
};

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The rows the panel on screen shows; -1 when it shows something other than a sheet.
qint64 sheetRows(const AppDelegate& delegate)
{
    const auto* panel = dynamic_cast<const CustomPanel*>(delegate.shortcutPanel());
    const auto* hotkeys = panel ? qobject_cast<const HotkeysView*>(panel->content()) : nullptr;
    if (!hotkeys || !hotkeys->sheet())
        return -1;
    return hotkeys->sheet()->elementRows().size();
}

QString requirementMissing()
{
    if (QString missing = bench::GeanyInstance::missingRequirement(); !missing.isEmpty())
        return missing;
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return QStringLiteral("needs Qt on X11 (QT_QPA_PLATFORM=xcb)");
    for (const char* tool : {"xdotool", "xprop", "openbox"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return QStringLiteral("needs %1").arg(QString::fromLatin1(tool));
    }
    return {};
}

void BM_ShortcutPanelGestureToFirstPaint(benchmark::State& state)
{
    if (const QString missing = requirementMissing(); !missing.isEmpty()) {
        state.SkipWithError(qPrintable(missing));
        return;
    }
    test::TempEnvironment home;
    WindowManager windowManager;
    if (!windowManager.ensureRunning()) {
        state.SkipWithError("no window manager runs on the display, and openbox did not start");
        return;
    }
    bench::GeanyInstance geany;
    if (!geany.start()) {
        state.SkipWithError("geany did not start");
        return;
    }
    linux_platform::LinuxPlatform platform;
    if (!platform.accessibility().isProcessTrusted(true) || !geany.waitForMenuBar(platform.accessibility())) {
        state.SkipWithError("Geany's menu bar does not show on the accessibility bus");
        return;
    }
    std::optional<AppServices> services;
    try {
        services.emplace(platform.services());
    } catch (const StoreStartupError& error) {
        state.SkipWithError(qPrintable(error.message()));
        return;
    }
    const Platform& base = services->platform();

    // Wired as the application's main wires it, but for the keys, the single-instance lock and
    // the login item, which are the benchmark's own.
    NotificationCenter notifications;
    ThreadedMenuReader menuReader([] { return std::make_unique<linux_platform::AtspiAccessibility>(); });
    MenuSource menus(menuReader, platform.timers(), base.clock);
    const RowServices rowServices =
        linux_platform::rowServices(platform, *services, notifications, platform.workspace(), menus);
    fake::FakeInstanceLock instanceLock;
    fake::FakeLoginItems loginItems;
    fake::FakeKeyEventSource globalKeys;
    fake::FakeKeyEventSource localKeys;
    linux_platform::X11WindowStacking stacking;
    WidgetWindowSystem windows(rowServices, stacking);
    PanelStamps stamps;
    HoldTimerProbe timers(platform.timers(), stamps);
    AppDelegate delegate({*services, notifications, platform.workspace(), platform.accessibility(),
                          instanceLock, loginItems, globalKeys, localKeys, timers, windows,
                          QCoreApplication::applicationPid(),
                          [&rowServices] { prefetchFrontmostMenus(rowServices, true); }});
    if (!delegate.applicationDidFinishLaunching()) {
        state.SkipWithError("the controller did not start");
        return;
    }
    timers.setHoldDelay(
        std::chrono::milliseconds(std::llround(UserDefaults(base.defaults).keyHoldingDelay() * 1000)));
    // The intro fade comes and goes first.
    runFor(AppDelegate::IntroDelay + AppDelegate::IntroFadeDuration + 300ms);

    Workspace& workspace = platform.workspace();
    const auto geanyFrontmost = [&] {
        const std::optional<RunningApplication> front = workspace.frontmostApplication();
        return front && front->processIdentifier == geany.processId();
    };
    if (!geany.activate() || !runUntil(geanyFrontmost, 10s)) {
        state.SkipWithError("Geany does not become the frontmost application");
        return;
    }

    const KeyEvent commandDown{KeyEvent::Type::FlagsChanged, CommandFlag, CommandKeyCode};
    const KeyEvent commandUp{KeyEvent::Type::FlagsChanged, 0, CommandKeyCode};
    PanelProbe probe(stamps);
    auto* atspi = dynamic_cast<linux_platform::AtspiAccessibility*>(&platform.accessibility());
    if (atspi)
        atspi->resetStatistics();
    std::vector<double> spans, beforeHarvest, harvest, widgets, mapped, paint;
    qint64 rows = -1;
    for (auto _ : state) {
        stamps = {};
        globalKeys.deliver(commandDown);
        globalKeys.deliver(commandUp);
        globalKeys.deliver(commandDown);
        const Steady::time_point lastPress = Steady::now();
        if (!runUntil([&] { return stamps.painted.has_value(); }, 10s) || !stamps.holdFired) {
            state.SkipWithError("the shortcut panel did not paint");
            break;
        }
        const double span = milliseconds(*stamps.holdFired, *stamps.painted);
        state.SetIterationTime(span / 1000.0);
        spans.push_back(span);
        if (stamps.harvestStarted && stamps.harvested && stamps.widgetsBuilt && stamps.exposed) {
            beforeHarvest.push_back(milliseconds(*stamps.holdFired, *stamps.harvestStarted));
            harvest.push_back(milliseconds(*stamps.harvestStarted, *stamps.harvested));
            widgets.push_back(milliseconds(*stamps.harvested, *stamps.widgetsBuilt));
            mapped.push_back(milliseconds(*stamps.widgetsBuilt, *stamps.exposed));
            paint.push_back(milliseconds(*stamps.exposed, *stamps.painted));
        }
        rows = sheetRows(delegate);
        if (rows <= 0) {
            state.SkipWithError("the panel does not show Geany's sheet");
            break;
        }

        globalKeys.deliver(commandUp);
        if (!runUntil([&] { return !delegate.shortcutPanelOpen(); }, 5s)) {
            state.SkipWithError("the shortcut panel did not close on release");
            break;
        }
        // The next gesture's first press must not count as a quick press after this one's
        // second, and the closed panel's widgets go once the loop has run.
        runFor(std::max(std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::milliseconds(ActivationKeyDetector::QuickPressMilliseconds + 100) -
                            (Steady::now() - lastPress)),
                        100ms));
        if (!geanyFrontmost()) {
            state.SkipWithError("Geany is no longer the frontmost application");
            break;
        }
    }
    if (spans.empty())
        return;
    state.counters["median_ms"] = median(spans);
    state.counters["first_ms"] = spans.front();
    state.counters["rows"] = static_cast<double>(rows);
    if (atspi) {
        const double showings = static_cast<double>(spans.size());
        state.counters["messages"] = static_cast<double>(atspi->statistics().messages) / showings;
        state.counters["round_trips"] = static_cast<double>(atspi->statistics().roundTrips) / showings;
    }
    // The split, medians: the controller and the panel's window up to the harvest, the harvest
    // (with the grouping), the sheet's widgets, the layout and the window manager until the
    // window is exposed, and the paint.
    state.counters["before_harvest_ms"] = median(beforeHarvest);
    state.counters["harvest_ms"] = median(harvest);
    state.counters["widgets_ms"] = median(widgets);
    state.counters["map_ms"] = median(mapped);
    state.counters["paint_ms"] = median(paint);
}
BENCHMARK(BM_ShortcutPanelGestureToFirstPaint)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(8);

} // namespace
