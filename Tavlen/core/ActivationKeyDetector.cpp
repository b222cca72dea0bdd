#include "core/ActivationKeyDetector.h"

#include "core/ModifierClass.h"
#include "platform/Clock.h"
#include "platform/KeyEventSource.h"

#include <algorithm>
#include <cmath>

namespace tavlen {

namespace {

// Stored after a key was typed: far enough back that the next Command press is a first press.
QDateTime epochTimestamp()
{
    return QDateTime::fromMSecsSinceEpoch(0, Qt::UTC);
}

// The stored delay as a timer interval. Values the settings pane can never produce (negative,
// not a number, absurdly large) must not reach the timer as undefined or overflowing counts.
std::chrono::milliseconds holdDelayInterval(double seconds)
{
    constexpr double longestMilliseconds = 24.0 * 60 * 60 * 1000;
    const double milliseconds = seconds * 1000.0;
    if (!(milliseconds > 0.0))
        return std::chrono::milliseconds(0);
    return std::chrono::milliseconds(std::llround(std::min(milliseconds, longestMilliseconds)));
}

} // namespace

ActivationKeyDetector::ActivationKeyDetector(UserDefaultsStore& defaults, const Clock& clock, Timers& timers,
                                             QObject* parent)
    : QObject(parent), m_defaults(defaults), m_clock(clock), m_timers(timers)
{}

ActivationKeyDetector::~ActivationKeyDetector()
{
    removeEventMonitors();
    cancelKeyPressTimer();
}

void ActivationKeyDetector::installEventMonitors(KeyEventSource& global, KeyEventSource& local)
{
    removeEventMonitors();
    m_eventMonitorGlobal =
        connect(&global, &KeyEventSource::keyEvent, this, &ActivationKeyDetector::handleGlobalEvent);
    m_eventMonitorLocal =
        connect(&local, &KeyEventSource::keyEvent, this, &ActivationKeyDetector::handleLocalEvent);
}

void ActivationKeyDetector::removeEventMonitors()
{
    disconnect(m_eventMonitorGlobal);
    disconnect(m_eventMonitorLocal);
}

bool ActivationKeyDetector::eventMonitorsInstalled() const
{
    return static_cast<bool>(m_eventMonitorGlobal) || static_cast<bool>(m_eventMonitorLocal);
}

void ActivationKeyDetector::normalizeActivationSettings()
{
    if (m_defaults.activationKeyType() < 1) {
        m_defaults.setActivationKeyType(1);
        m_defaults.setKeyHoldingDelay(MinimumHoldDelayType1);
    }
    const int type = m_defaults.activationKeyType();
    const double delay = m_defaults.keyHoldingDelay();
    // Written as "not at least" so that a delay that is not a number is repaired too.
    if (type == 1 && !(delay >= MinimumHoldDelayType1))
        m_defaults.setKeyHoldingDelay(MinimumHoldDelayType1);
    else if (type == 2 && !(delay >= MinimumHoldDelayType2))
        m_defaults.setKeyHoldingDelay(MinimumHoldDelayType2);
}

void ActivationKeyDetector::handleGlobalEvent(const KeyEvent& event)
{
    handleEvent(event, Monitor::Global);
}

void ActivationKeyDetector::handleLocalEvent(const KeyEvent& event)
{
    // Keys typed elsewhere belong to that application; in Tavlen's windows a panel taller than
    // its room has no other way to be read from the keyboard.
    if (event.type != KeyEvent::Type::FlagsChanged && event.keyCode) {
        if (const std::optional<PanelScroll> step = panelScrollForKey(*event.keyCode)) {
            if (event.type == KeyEvent::Type::KeyDown)
                Q_EMIT scrollPanel(*step);
            return;
        }
    }
    handleEvent(event, Monitor::Local);
}

void ActivationKeyDetector::handleEvent(const KeyEvent& event, Monitor monitor)
{
    if (event.type != KeyEvent::Type::FlagsChanged) {
        handleKey(monitor);
        return;
    }
    switch (classifyModifiers(event.modifierFlags)) {
    case ModifierClass::CommandAlone:
        handleCommandPress(monitor);
        break;
    case ModifierClass::ControlAlone:
        // No settings gesture inside Tavlen's own windows.
        if (monitor == Monitor::Global)
            handleControlPress();
        else
            handleOther(monitor);
        break;
    case ModifierClass::Released:
        handleRelease();
        break;
    case ModifierClass::Other:
        handleOther(monitor);
        break;
    }
}

void ActivationKeyDetector::handleKey(Monitor monitor)
{
    if (monitor == Monitor::Global) {
        m_keyCTRLPressTimes = 0;
        m_keyCMDPressTimes = 0;
    }
    cancelKeyPressTimer();
    m_lastCommandKeyPressTime = epochTimestamp();
    Q_EMIT closeShortcutPanel();
}

void ActivationKeyDetector::handleCommandPress(Monitor monitor)
{
    const QDateTime now = m_clock.now();

    if (m_defaults.activationPersistentKeyType() == 1) {
        qint64& count = monitor == Monitor::Global ? m_keyCMDPressTimes : m_keyCMDPressTimesLocal;
        if (!isQuickPress(m_lastCommandKeyPressTime, now)) {
            count = 0;
        } else if (++count >= 2) {
            // The timestamp stays at the second press, so a fourth quick press counts 1 and a
            // fifth toggles again.
            count = 0;
            cancelKeyPressTimer();
            Q_EMIT closeShortcutPanel();
            Q_EMIT togglePersistentPanel();
            return;
        }
    }

    cancelKeyPressTimer();
    if (m_defaults.activationKeyType() != 1) {
        startHoldTimer(monitor);
    } else if (!isQuickPress(m_lastCommandKeyPressTime, now)) {
        // The first press of a pair: it also closes a panel opened from the status menu.
        Q_EMIT closeShortcutPanel();
    } else {
        // The second press resets the global count even inside Tavlen's windows, so the local
        // hold timer need not.
        if (monitor == Monitor::Local)
            m_keyCMDPressTimes = 0;
        if (m_defaults.keyHoldingDelay() >= ImmediateOpenThreshold) {
            startHoldTimer(monitor);
            Q_EMIT shortcutPanelLikely(monitor == Monitor::Global);
        } else {
            m_keyCMDPressTimes = 0;
            scheduleShow(monitor);
        }
    }
    m_lastCommandKeyPressTime = now;
}

void ActivationKeyDetector::handleControlPress()
{
    if (!m_defaults.hideMenuIcon()) {
        m_keyCTRLPressTimes = 0;
        return;
    }
    const QDateTime now = m_clock.now();
    if (!isQuickPress(m_lastControlKeyPressTimes, now)) {
        m_keyCTRLPressTimes = 0;
        m_lastControlKeyPressTimes = now;
        return;
    }
    if (++m_keyCTRLPressTimes >= 2) {
        m_keyCTRLPressTimes = 0;
        cancelKeyPressTimer();
        Q_EMIT closeShortcutPanel();
        schedule([this] { Q_EMIT openSettingsWindow(); });
        return;
    }
    m_lastControlKeyPressTimes = now;
}

void ActivationKeyDetector::handleRelease()
{
    cancelKeyPressTimer();
    scheduleHide();
}

void ActivationKeyDetector::handleOther(Monitor monitor)
{
    m_lastCommandKeyPressTime.reset();
    if (monitor == Monitor::Global) {
        m_lastControlKeyPressTimes.reset();
        m_keyCTRLPressTimes = 0;
    }
    cancelKeyPressTimer();
    scheduleHide();
    handleRelease();
}

bool ActivationKeyDetector::isQuickPress(const std::optional<QDateTime>& previous, const QDateTime& now) const
{
    return previous.has_value() && previous->msecsTo(now) < QuickPressMilliseconds;
}

void ActivationKeyDetector::startHoldTimer(Monitor monitor)
{
    const bool typeOne = m_defaults.activationKeyType() == 1;
    const auto interval = holdDelayInterval(m_defaults.keyHoldingDelay());
    m_keyPressTimer =
        m_timers.singleShot(interval, [this, monitor, typeOne, alive = std::weak_ptr<const bool>(m_alive)] {
            if (alive.expired())
                return;
            m_keyPressTimer.reset();
            // Inside Tavlen's windows the second press of type 1 has already reset the count.
            if (monitor == Monitor::Global || !typeOne)
                m_keyCMDPressTimes = 0;
            scheduleShow(monitor);
        });
}

void ActivationKeyDetector::cancelKeyPressTimer()
{
    if (m_keyPressTimer) {
        m_timers.cancel(*m_keyPressTimer);
        m_keyPressTimer.reset();
    }
}

void ActivationKeyDetector::schedule(std::function<void()> action)
{
    m_timers.singleShot(std::chrono::milliseconds(0),
                        [alive = std::weak_ptr<const bool>(m_alive), action = std::move(action)] {
                            if (!alive.expired())
                                action();
                        });
}

void ActivationKeyDetector::scheduleShow(Monitor monitor)
{
    const bool isGlobal = monitor == Monitor::Global;
    schedule([this, isGlobal] { Q_EMIT showShortcutPanel(isGlobal); });
}

void ActivationKeyDetector::scheduleHide()
{
    schedule([this] { Q_EMIT closeShortcutPanel(); });
}

} // namespace tavlen
