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
#include "core/LinuxRowServices.h"
#include "core/windows/CustomPanel.h"
#include "core/windows/WidgetWindowSystem.h"
#include "harvest/MenuSource.h"
#include "harvest/ThreadedMenuReader.h"
#include "platform/KeyInput.h"
#include "platform/MacKeys.h"
#include "platform/NotificationCenter.h"
#include "platform/Timers.h"
#include "platform/Workspace.h"
#include "platform/fake/FakeInstanceLock.h"
#include "platform/fake/FakeKeyEventSource.h"
#include "platform/fake/FakeLoginItems.h"
#include "platform/fake/FakeSystemSettingsOpener.h"
#include "platform/linux/AtspiAccessibility.h"
#include "platform/linux/LinuxPlatform.h"
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
#include <QLabel>
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
#include <csignal>

using namespace tavlen;
using namespace std::chrono_literals;
using Steady = std::chrono::steady_clock;

namespace {

// When each step of one showing of the panel happened.
struct PanelStamps {
    std::optional<Steady::time_point> holdFired;
    std::optional<Steady::time_point> shown;
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
// window shown (its sheet was built while the hold delay ran, or is built now), exposed by the
// X server, and its first paint.
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
            if (auto* panel = qobject_cast<CustomPanel*>(watched);
                panel && isShortcutPanel(panel->windowTitle()))
                stampOnce(m_stamps.shown);
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

// The resident application, wired as its main wires it, but for the keys, the single-instance
// lock, the login item and the settings pages, which are the benchmark's own; Geany in front of
// it.
class ResidentTavlen {
public:
    ResidentTavlen() = default;
    ResidentTavlen(const ResidentTavlen&) = delete;
    ResidentTavlen& operator=(const ResidentTavlen&) = delete;
    ~ResidentTavlen()
    {
        if (m_geany.processId() > 0)
            ::kill(static_cast<pid_t>(m_geany.processId()), SIGCONT);
    }

    // Empty when everything runs and Geany is frontmost; else what is missing.
    QString start()
    {
        if (QString missing = requirementMissing(); !missing.isEmpty())
            return missing;
        if (!m_windowManager.ensureRunning())
            return QStringLiteral("no window manager runs on the display, and openbox did not start");
        if (!m_geany.start())
            return QStringLiteral("geany did not start");
        if (!m_platform.accessibility().isProcessTrusted(true) ||
            !m_geany.waitForMenuBar(m_platform.accessibility()))
            return QStringLiteral("Geany's menu bar does not show on the accessibility bus");
        try {
            m_services.emplace(m_platform.services());
        } catch (const StoreStartupError& error) {
            return error.message();
        }
        const Platform& base = m_services->platform();
        m_menus.emplace(m_menuReader, m_platform.timers(), base.clock);
        m_rowServices.emplace(
            linuxRowServices(m_platform, *m_services, m_notifications, m_platform.workspace(), *m_menus));
        m_windows.emplace(*m_rowServices, m_stacking, m_systemSettings);
        m_delegate.emplace(AppServicesForController{
            *m_services, m_notifications, m_platform.workspace(), m_platform.accessibility(), m_instanceLock,
            m_loginItems, globalKeys, m_localKeys, timers, *m_windows, QCoreApplication::applicationPid(),
            [this] { prefetchFrontmostMenus(*m_rowServices, true); }});
        QObject::connect(&m_platform.workspace(), &Workspace::frontmostApplicationChanged, &*m_menus,
                         [this] { prefetchFrontmostMenus(*m_rowServices, false); });
        if (!m_delegate->applicationDidFinishLaunching())
            return QStringLiteral("the controller did not start");
        prefetchFrontmostMenus(*m_rowServices, false);
        timers.setHoldDelay(
            std::chrono::milliseconds(std::llround(UserDefaults(base.defaults).keyHoldingDelay() * 1000)));
        // The intro fade comes and goes first.
        runFor(AppDelegate::IntroDelay + AppDelegate::IntroFadeDuration + 300ms);
        if (!m_geany.activate() || !runUntil([this] { return geanyFrontmost(); }, 10s))
            return QStringLiteral("Geany does not become the frontmost application");
        // Brought to the front, Geany is read ahead: its menus are kept from then on.
        if (!runUntil([this] { return m_menus->isKept(m_geany.processId()); }, 5s))
            return QStringLiteral("Geany's menus were not read ahead when it came to the front");
        return {};
    }

    bool geanyFrontmost()
    {
        const std::optional<RunningApplication> front = m_platform.workspace().frontmostApplication();
        return front && front->processIdentifier == m_geany.processId();
    }
    qint64 geanyPid() const { return m_geany.processId(); }
    AppDelegate& delegate() { return *m_delegate; }

    // The moments of the next panel, those of the last one forgotten.
    PanelStamps& freshStamps()
    {
        stamps = {};
        return stamps;
    }

    // Super twice, held; the panel should open when the hold delay ends.
    void pressTwiceAndHold()
    {
        globalKeys.deliver(commandDown);
        globalKeys.deliver(commandUp);
        globalKeys.deliver(commandDown);
        m_lastPress = Steady::now();
    }

    // Releases Super, waits for the panel to close and for the quick-press window to pass.
    bool release()
    {
        globalKeys.deliver(commandUp);
        if (!runUntil([this] { return !m_delegate->shortcutPanelOpen(); }, 5s))
            return false;
        // The next gesture's first press must not count as a quick press after this one's
        // second, and the closed panel's widgets go once the loop has run.
        runFor(std::max(std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::milliseconds(ActivationKeyDetector::QuickPressMilliseconds + 100) -
                            (Steady::now() - m_lastPress)),
                        100ms));
        return true;
    }

    // The sheet on screen: its rows, and the line saying why it may be incomplete.
    qint64 rows() const { return sheetRows(*m_delegate); }
    QString notice() const
    {
        const auto* panel = dynamic_cast<const CustomPanel*>(m_delegate->shortcutPanel());
        const auto* hotkeys = panel ? qobject_cast<const HotkeysView*>(panel->content()) : nullptr;
        const MenuItemView* sheet = hotkeys ? hotkeys->sheet() : nullptr;
        return sheet && sheet->noticeLabel()->isVisibleTo(sheet) ? sheet->noticeLabel()->text() : QString();
    }

private:
    using AppServicesForController = AppDelegateServices;
    static inline const KeyEvent commandDown{KeyEvent::Type::FlagsChanged, EventFlag::Command,
                                             mac_keys::Command};
    static inline const KeyEvent commandUp{KeyEvent::Type::FlagsChanged, 0, mac_keys::Command};

    test::TempEnvironment m_home;
    WindowManager m_windowManager;
    bench::GeanyInstance m_geany;
    linux_platform::LinuxPlatform m_platform;
    std::optional<AppServices> m_services;
    NotificationCenter m_notifications;
    ThreadedMenuReader m_menuReader{[] { return std::make_unique<linux_platform::AtspiAccessibility>(); }};
    std::optional<MenuSource> m_menus;
    std::optional<RowServices> m_rowServices;
    fake::FakeInstanceLock m_instanceLock;
    fake::FakeLoginItems m_loginItems;
    fake::FakeKeyEventSource m_localKeys;
    linux_platform::X11WindowStacking m_stacking{
        qApp->nativeInterface<QNativeInterface::QX11Application>()
            ? qApp->nativeInterface<QNativeInterface::QX11Application>()->connection()
            : nullptr};
    fake::FakeSystemSettingsOpener m_systemSettings;
    std::optional<WidgetWindowSystem> m_windows;
    Steady::time_point m_lastPress;

public:
    // After the platform, which the timers wrap, and before the controller, which uses them.
    PanelStamps stamps;
    fake::FakeKeyEventSource globalKeys;
    HoldTimerProbe timers{m_platform.timers(), stamps};

private:
    std::optional<AppDelegate> m_delegate;
};

// Starts the resident application for a benchmark; false, with the benchmark skipped, when it
// cannot run here.
bool started(benchmark::State& state, ResidentTavlen& tavlen)
{
    if (const QString error = tavlen.start(); !error.isEmpty()) {
        state.SkipWithError(qPrintable(error));
        return false;
    }
    return true;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Geany seen before: its menus are kept, and the panel is built while the hold delay runs.
void BM_ShortcutPanelGestureToFirstPaint(benchmark::State& state)
{
    ResidentTavlen tavlen;
    if (!started(state, tavlen))
        return;
    PanelProbe probe(tavlen.stamps);
    std::vector<double> spans, beforeShow, mapped, paint;
    qint64 rows = -1;
    for (auto _ : state) {
        PanelStamps& stamps = tavlen.freshStamps();
        tavlen.pressTwiceAndHold();
        if (!runUntil([&] { return stamps.painted.has_value(); }, 10s) || !stamps.holdFired) {
            state.SkipWithError("the shortcut panel did not paint");
            break;
        }
        const double span = milliseconds(*stamps.holdFired, *stamps.painted);
        state.SetIterationTime(span / 1000.0);
        spans.push_back(span);
        if (stamps.shown && stamps.exposed) {
            beforeShow.push_back(milliseconds(*stamps.holdFired, *stamps.shown));
            mapped.push_back(milliseconds(*stamps.shown, *stamps.exposed));
            paint.push_back(milliseconds(*stamps.exposed, *stamps.painted));
        }
        rows = tavlen.rows();
        if (rows <= 0) {
            state.SkipWithError("the panel does not show Geany's sheet");
            break;
        }
        if (!tavlen.release()) {
            state.SkipWithError("the shortcut panel did not close on release");
            break;
        }
        if (!tavlen.geanyFrontmost()) {
            state.SkipWithError("Geany is no longer the frontmost application");
            break;
        }
    }
    if (spans.empty())
        return;
    state.counters["median_ms"] = median(spans);
    state.counters["first_ms"] = spans.front();
    state.counters["rows"] = static_cast<double>(rows);
    // The split, medians: the controller until the panel is shown (with the sheet, when it was
    // not built while the hold delay ran), the window manager until the window is exposed, and
    // the paint.
    state.counters["to_show_ms"] = median(beforeShow);
    state.counters["map_ms"] = median(mapped);
    state.counters["paint_ms"] = median(paint);
}
BENCHMARK(BM_ShortcutPanelGestureToFirstPaint)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(8);

// `tavlen --show-shortcuts` as the resident instance receives it (the service's notification),
// Geany seen before. The controller waits half a second before it opens the panel, as the
// status menu's command does; `opening_ms` is what follows that wait.
void BM_ShortcutPanelFromRelayToFirstPaint(benchmark::State& state)
{
    ResidentTavlen tavlen;
    if (!started(state, tavlen))
        return;
    PanelProbe probe(tavlen.stamps);
    std::vector<double> openings;
    for (auto _ : state) {
        PanelStamps& stamps = tavlen.freshStamps();
        const Steady::time_point received = Steady::now();
        tavlen.delegate().handleXPCServiceNotification(QStringLiteral("showHotkeys"));
        if (!runUntil([&] { return stamps.painted.has_value(); }, 10s)) {
            state.SkipWithError("the shortcut panel did not paint");
            break;
        }
        if (tavlen.rows() <= 0) {
            state.SkipWithError("the shortcut panel does not show Geany's sheet");
            break;
        }
        state.SetIterationTime(milliseconds(received, *stamps.painted) / 1000.0);
        openings.push_back(milliseconds(received, *stamps.painted) -
                           static_cast<double>(AppDelegate::ShowShortcutsDelay.count()));
        tavlen.delegate().closeShortcutPanel();
        runFor(200ms);
    }
    state.counters["opening_ms"] = median(openings);
}
BENCHMARK(BM_ShortcutPanelFromRelayToFirstPaint)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(8);

// A stopped Geany (SIGSTOP), seen before: the panel shows what was kept and says that Geany did
// not answer; the first gesture waits for the read's deadline, later ones know at once.
void BM_ShortcutPanelStoppedApplication(benchmark::State& state)
{
    ResidentTavlen tavlen;
    if (!started(state, tavlen))
        return;
    PanelProbe probe(tavlen.stamps);
    ::kill(static_cast<pid_t>(tavlen.geanyPid()), SIGSTOP);
    std::vector<double> noticed;
    for (auto _ : state) {
        PanelStamps& stamps = tavlen.freshStamps();
        tavlen.pressTwiceAndHold();
        const Steady::time_point pressed = Steady::now();
        if (!runUntil([&] { return stamps.painted.has_value() && !tavlen.notice().isEmpty(); }, 10s)) {
            state.SkipWithError("the panel did not say that Geany did not answer");
            break;
        }
        const double span = milliseconds(pressed, Steady::now());
        state.SetIterationTime(span / 1000.0);
        noticed.push_back(span);
        if (!tavlen.release()) {
            state.SkipWithError("the shortcut panel did not close on release");
            break;
        }
    }
    ::kill(static_cast<pid_t>(tavlen.geanyPid()), SIGCONT);
    if (noticed.empty())
        return;
    state.counters["first_ms"] = noticed.front();
    state.counters["median_ms"] = median(noticed);
}
BENCHMARK(BM_ShortcutPanelStoppedApplication)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(4);

} // namespace
