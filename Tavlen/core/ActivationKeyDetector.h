#pragma once

#include "core/PanelScroll.h"
#include "platform/KeyEvent.h"
#include "platform/Timers.h"
#include "settings/UserDefaults.h"

#include <QDateTime>
#include <QMetaObject>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

namespace tavlen {

class Clock;
class KeyEventSource;
class UserDefaultsStore;

// Turns presses of the modifier keys into the controller's panel commands: Command pressed
// twice and held (or pressed and held, `activationKeyType` 2) opens the shortcut panel,
// Command three times toggles the persistent panel (`activationPersistentKeyType` 1), Control
// three times opens the settings window while the menu icon is hidden. Typing any key, letting
// go of the modifiers or pressing another combination closes the shortcut panel and breaks the
// gesture in progress. In Tavlen's own windows, which have nothing else to do with them, Page Up,
// Page Down, Home and End scroll the open panel instead (`scrollPanel`, emitted inside the
// handler).
//
// The settings are read at every event, so a change takes effect at once. The commands go out
// as signals: `closeShortcutPanel` and `togglePersistentPanel` are emitted inside the handler,
// `showShortcutPanel`, `openSettingsWindow` and the close that follows a release are emitted
// from the event loop after the handler has returned, in the order they were scheduled, so a
// release always wins over a hold timer that fired just before it.
class ActivationKeyDetector : public QObject {
    Q_OBJECT
public:
    // Two presses are one gesture when the second comes less than this after the first.
    static constexpr qint64 QuickPressMilliseconds = 500;
    // Type 1 opens at once on the second press when the hold delay is shorter than this.
    static constexpr double ImmediateOpenThreshold = 0.1;
    static constexpr double MinimumHoldDelayType1 = 0.25;
    static constexpr double MinimumHoldDelayType2 = 0.5;

    ActivationKeyDetector(UserDefaultsStore& defaults, const Clock& clock, Timers& timers,
                          QObject* parent = nullptr);
    ~ActivationKeyDetector() override;
    ActivationKeyDetector(const ActivationKeyDetector&) = delete;
    ActivationKeyDetector& operator=(const ActivationKeyDetector&) = delete;

    // Listens to both sources until removeEventMonitors. Monitors installed before are removed
    // first, so that no event is ever handled twice.
    void installEventMonitors(KeyEventSource& global, KeyEventSource& local);
    void removeEventMonitors();
    bool eventMonitorsInstalled() const;

    // Raises settings that are out of range: an `activationKeyType` below 1 becomes 1 with a
    // hold delay of 0.25 s; the delay is at least 0.25 s for type 1 and 0.5 s for type 2.
    // Writes only what it changes.
    void normalizeActivationSettings();

    // Events meant for other applications, and for Tavlen's own windows.
    void handleGlobalEvent(const KeyEvent& event);
    void handleLocalEvent(const KeyEvent& event);

    // The gesture state, for the controller's diagnostics and the tests.
    const std::optional<QDateTime>& lastCommandKeyPressTime() const { return m_lastCommandKeyPressTime; }
    const std::optional<QDateTime>& lastControlKeyPressTimes() const { return m_lastControlKeyPressTimes; }
    qint64 keyCMDPressTimes() const { return m_keyCMDPressTimes; }
    qint64 keyCMDPressTimesLocal() const { return m_keyCMDPressTimesLocal; }
    qint64 keyCTRLPressTimes() const { return m_keyCTRLPressTimes; }
    bool keyPressTimerPending() const { return m_keyPressTimer.has_value(); }

Q_SIGNALS:
    // `isGlobal` is false when the gesture happened in one of Tavlen's own windows.
    void showShortcutPanel(bool isGlobal);
    void closeShortcutPanel();
    void togglePersistentPanel();
    void openSettingsWindow();
    // The second quick press of "twice and hold": the shortcut panel opens once the hold
    // delay has passed, unless the gesture is broken off. The menus can be read meanwhile.
    void shortcutPanelLikely(bool isGlobal);
    void scrollPanel(PanelScroll step);

private:
    enum class Monitor { Global, Local };

    void handleEvent(const KeyEvent& event, Monitor monitor);
    void handleKey(Monitor monitor);
    void handleCommandPress(Monitor monitor);
    void handleControlPress();
    void handleRelease();
    void handleOther(Monitor monitor);

    bool isQuickPress(const std::optional<QDateTime>& previous, const QDateTime& now) const;
    void startHoldTimer(Monitor monitor);
    void cancelKeyPressTimer();
    // Runs `action` from the event loop unless this object is gone by then.
    void schedule(std::function<void()> action);
    void scheduleShow(Monitor monitor);
    void scheduleHide();

    UserDefaults m_defaults;
    const Clock& m_clock;
    Timers& m_timers;

    std::optional<QDateTime> m_lastCommandKeyPressTime;
    std::optional<QDateTime> m_lastControlKeyPressTimes;
    std::optional<Timers::Id> m_keyPressTimer;
    qint64 m_keyCMDPressTimes = 0;
    qint64 m_keyCMDPressTimesLocal = 0;
    qint64 m_keyCTRLPressTimes = 0;
    QMetaObject::Connection m_eventMonitorGlobal;
    QMetaObject::Connection m_eventMonitorLocal;

    // Timers and scheduled commands hold this weakly: whatever fires after the detector is
    // gone does nothing.
    std::shared_ptr<const bool> m_alive = std::make_shared<const bool>(true);
};

} // namespace tavlen
