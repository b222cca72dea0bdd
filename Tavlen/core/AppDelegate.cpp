#include "core/AppDelegate.h"

#include "core/AppServices.h"
#include "core/LaunchAtLogin.h"
#include "core/ModifierClass.h"
#include "core/PersistentPanelPlacement.h"
#include "platform/Accessibility.h"
#include "platform/InstanceLock.h"
#include "platform/KeyEventSource.h"
#include "platform/NotificationNames.h"
#include "platform/Timers.h"
#include "platform/UserDefaultsStore.h"
#include "platform/Workspace.h"
#include "settings/AppSettings.h"
#include "store/ShortcutTransfer.h"

using namespace std::chrono_literals;

namespace tavlen {

namespace {

const QString ShowShortcutsTitle = QStringLiteral("Show Shortcuts Panel");
const QString HideShortcutsTitle = QStringLiteral("Hide Shortcuts Panel");
const QString ShowPersistentTitle = QStringLiteral("Show Persistent Panel");
const QString HidePersistentTitle = QStringLiteral("Hide Persistent Panel");
const QString PauseTitle = QStringLiteral("Pause");
const QString ResumeTitle = QStringLiteral("Resume");

} // namespace

AppDelegate::AppDelegate(const AppDelegateServices& services, QObject* parent)
    : QObject(parent)
    , m_services(services)
    , m_appSettings(services.services.appSettings())
    , m_userDefaults(services.services.platform().defaults)
    , m_currentApp(QString(AppSettings::APP_IDENTIFIER))
    , m_detector(services.services.platform().defaults, services.services.platform().clock, services.timers)
{
    connect(&m_detector, &ActivationKeyDetector::showShortcutPanel, this, &AppDelegate::showShortcutPanel);
    connect(&m_detector, &ActivationKeyDetector::closeShortcutPanel, this, &AppDelegate::closeShortcutPanel);
    connect(&m_detector, &ActivationKeyDetector::togglePersistentPanel, this,
            &AppDelegate::togglePersistentPanel);
    connect(&m_detector, &ActivationKeyDetector::openSettingsWindow, this, &AppDelegate::openSettingsWindow);
    connect(&m_detector, &ActivationKeyDetector::shortcutPanelLikely, this,
            &AppDelegate::shortcutPanelLikely);
    connect(&m_detector, &ActivationKeyDetector::scrollPanel, this, &AppDelegate::scrollPanel);
}

AppDelegate::~AppDelegate()
{
    unregisterObservers();
}

bool AppDelegate::applicationDidFinishLaunching()
{
    // The relay arguments never reach here: main hands them to the service before a
    // controller exists. There is no update framework, and no window opens by itself at start.
    if (!checkSingleInstance())
        return false;
    showIntroFade();
    registerObservers();
    // The answer is not needed here; asking switches the accessibility bus on, and the panels
    // show the no-access view for as long as it stays off.
    m_services.accessibility.isProcessTrusted(true);
    updateStatusItem(m_userDefaults.hideMenuIcon());
    m_detector.normalizeActivationSettings();
    removeEventMonitors();
    installEventMonitors();
    if (m_userDefaults.limitTitles() > MaximumLimitTitles)
        m_userDefaults.setLimitTitles(MaximumLimitTitles);
    return true;
}

bool AppDelegate::checkSingleInstance()
{
    m_appHasInstance = true;
    if (m_services.instanceLock.acquire())
        return true;
    // Said where a terminal or a log sees it too: the alert may go unseen.
    Q_EMIT notice(alreadyRunningMessage());
    m_services.windows.showAlert(alreadyRunningTitle(), alreadyRunningMessage());
    m_services.windows.terminate();
    return false;
}

void AppDelegate::registerObservers()
{
    NotificationCenter& center = m_services.notifications;
    const auto observe = [this, &center](QLatin1String name, void (AppDelegate::*handler)()) {
        m_notificationTokens.push_back(center.addObserver(
            QString(name), [this, handler](const QString&, const QVariantMap&) { (this->*handler)(); }));
    };
    observe(NotificationNames::openSettingsWindow, &AppDelegate::showSettingsAction);
    observe(NotificationNames::quitApp, &AppDelegate::quitAction);
    observe(NotificationNames::closePanel, &AppDelegate::hideShortcutsAction);
    observe(NotificationNames::toggleApp, &AppDelegate::togglePauseAction);
    observe(NotificationNames::pauseApp, &AppDelegate::pauseNotificationAction);
    observe(NotificationNames::resumeApp, &AppDelegate::resumeNotificationAction);

    m_userDefaultsObserver =
        connect(&m_services.services.platform().defaults, &UserDefaultsStore::valueChanged, this,
                [this] { userDefaultsDidChange(); });
    m_persistentObserver = connect(&m_services.workspace, &Workspace::frontmostApplicationChanged, this,
                                   &AppDelegate::handleWindowChanged);
    m_globalKeysWhilePaused =
        connect(&m_services.globalKeys, &KeyEventSource::keyEvent, this, &AppDelegate::keyWhileNotListening);
    m_localKeysWhilePaused =
        connect(&m_services.localKeys, &KeyEventSource::keyEvent, this, &AppDelegate::keyWhileNotListening);
}

void AppDelegate::unregisterObservers()
{
    for (const NotificationCenter::Token token : std::exchange(m_notificationTokens, {}))
        m_services.notifications.removeObserver(token);
    disconnect(m_userDefaultsObserver);
    disconnect(m_persistentObserver);
    disconnect(m_globalKeysWhilePaused);
    disconnect(m_localKeysWhilePaused);
}

void AppDelegate::keyWhileNotListening(const KeyEvent& event)
{
    if (m_detector.eventMonitorsInstalled() || !shortcutPanelOpen())
        return;
    // Letting go of keys is not a request: the command's own Return may still be coming up.
    const bool press = event.type == KeyEvent::Type::KeyDown ||
                       (event.type == KeyEvent::Type::FlagsChanged &&
                        classifyModifiers(event.modifierFlags) != ModifierClass::Released);
    if (press)
        hideShortcutsAction();
}

void AppDelegate::applicationWillTerminate()
{
    if (m_terminating)
        return;
    unregisterObservers();
    m_services.windows.orderOutAllWindows();
    removeEventMonitors();
    playOutroAndQuit();
}

bool AppDelegate::openFiles(const QStringList& paths)
{
    if (paths.isEmpty())
        return true;
    if (paths.size() > 1) {
        m_services.windows.showAlert(importAlertTitle(), singleFileMessage());
        return false;
    }
    AppServices& services = m_services.services;
    const Platform& platform = services.platform();
    const std::optional<QString> error = transfer::importFile(
        paths.front(), services.databaseManager(), m_appSettings.showLocalizedCustomShortcuts(),
        platform.files, platform.keyboard, platform.applications, platform.clock);
    m_services.windows.showAlert(importAlertTitle(), transfer::importResultMessage(paths.front(), error));
    return !error.has_value();
}

// Commands

void AppDelegate::showSettingsAction()
{
    openSettingsWindow();
}

void AppDelegate::showShortcutsAction()
{
    // Requests that come while one is on its way are that one.
    if (m_showShortcutsScheduled)
        return;
    m_showShortcutsScheduled = true;
    // The half second before the panel opens is time enough to build it.
    schedule(0ms, [this] {
        if (!shortcutPanelOpen())
            m_services.windows.preparePanel(PanelContent::hotkeys(true));
    });
    schedule(ShowShortcutsDelay, [this] {
        m_showShortcutsScheduled = false;
        showShortcutPanel(true);
    });
}

void AppDelegate::hideShortcutsAction()
{
    schedule(0ms, [this] { closeShortcutPanel(); });
}

void AppDelegate::toggleShortcutsAction()
{
    if (shortcutPanelOpen())
        hideShortcutsAction();
    else
        showShortcutsAction();
}

void AppDelegate::togglePersistentAction()
{
    togglePersistentPanel();
}

void AppDelegate::pauseNotificationAction()
{
    setMonitoringPaused(true);
}

void AppDelegate::resumeNotificationAction()
{
    setMonitoringPaused(false);
}

void AppDelegate::setMonitoringPaused(bool paused)
{
    if (m_appSettings.blockedMonitoring())
        return;
    schedule(0ms, [this, paused] {
        m_appSettings.setPauseMonitoring(paused);
        if (paused)
            removeEventMonitors();
        else
            installEventMonitors();
        setMenuTogglePauseTitle(paused ? ResumeTitle : PauseTitle);
    });
}

void AppDelegate::togglePauseAction()
{
    if (m_appSettings.blockedMonitoring())
        return;
    if (m_appSettings.pauseMonitoring())
        resumeNotificationAction();
    else
        pauseNotificationAction();
}

void AppDelegate::quitAction()
{
    if (m_terminating)
        return;
    m_services.windows.orderOutAllWindows();
    removeEventMonitors();
    playOutroAndQuit();
}

void AppDelegate::handleXPCServiceNotification(const QString& message)
{
    if (message == NotificationNames::showHotkeysMessage) {
        // While paused, or where no key typed elsewhere is seen, no key release would ever close
        // the panel, so the same command does.
        if ((m_appSettings.pauseMonitoring() || m_commandClosesPanel) && shortcutPanelOpen())
            hideShortcutsAction();
        else
            showShortcutsAction();
    } else if (message == NotificationNames::togglePersistentMessage) {
        togglePersistentPanel();
    }
}

void AppDelegate::userDefaultsDidChange()
{
    applyLaunchAtLogin(m_userDefaults.launchAtLogin(), m_services.loginItems);
    updateStatusItem(m_userDefaults.hideMenuIcon());
    m_detector.normalizeActivationSettings();
    if (!m_appSettings.pauseMonitoring()) {
        removeEventMonitors();
        installEventMonitors();
    }
    repositionPersistentPanel();
}

QString AppDelegate::frontmostIdentifier() const
{
    const std::optional<RunningApplication> front = m_services.workspace.frontmostApplication();
    if (!front)
        return QStringLiteral("none");
    if (m_services.ownProcessIdentifier != 0 && front->processIdentifier == m_services.ownProcessIdentifier)
        return QString(AppSettings::APP_IDENTIFIER);
    return front->identifier.isEmpty() ? QStringLiteral("none") : front->identifier;
}

void AppDelegate::handleWindowChanged()
{
    const QString front = frontmostIdentifier();
    const bool isTavlen = front == AppSettings::APP_IDENTIFIER;
    // Paused, a shortcut panel is one a command opened and nothing else would close: a click
    // into another window is the user moving on, and takes it away rather than refilling it.
    const bool closesShortcutPanel = m_windowHotkeysController && !m_detector.eventMonitorsInstalled() &&
                                     !isTavlen && front != m_shortcutPanelFront;
    if (closesShortcutPanel)
        hideShortcutsAction();
    if (m_windowPersistentController && !isTavlen && front != m_currentApp.bundleIdentifier()) {
        m_currentApp.setBundleIdentifier(front);
        m_windowPersistentController->replaceContent(PanelContent::persistent(front));
        m_windowPersistentController->setLevel(WindowLevel::Floating);
    }
    // When both panels are open the persistent panel has already taken the new application,
    // and the shortcut panel's content follows it through currentApp.
    if (m_windowHotkeysController && !closesShortcutPanel && !isTavlen &&
        front != m_currentApp.bundleIdentifier()) {
        m_currentApp.setBundleIdentifier(front);
        m_windowHotkeysController->replaceContent(PanelContent::hotkeys(true));
        m_windowHotkeysController->setLevel(WindowLevel::Floating);
    }
}

void AppDelegate::shortcutPanelLikely(bool isGlobal)
{
    // Tavlen's own windows show the legend, which needs no menus; an open panel has its sheet.
    if (!isGlobal || shortcutPanelOpen() || !m_services.prefetchMenus)
        return;
    schedule(0ms, [this] {
        if (shortcutPanelOpen())
            return;
        m_services.prefetchMenus();
        // Built while the hold delay runs, the panel has only to be shown when it ends.
        m_services.windows.preparePanel(PanelContent::hotkeys(true));
    });
}

void AppDelegate::scrollPanel(PanelScroll step)
{
    if (m_windowHotkeysController)
        m_windowHotkeysController->scroll(step);
    else if (m_windowPersistentController)
        m_windowPersistentController->scroll(step);
}

// Windows

void AppDelegate::showShortcutPanel(bool isGlobal)
{
    if (m_windowHotkeysController)
        return;
    m_shortcutPanelFront = frontmostIdentifier();
    std::unique_ptr<PanelWindow> panel = m_services.windows.createPanel(PanelContent::hotkeys(isGlobal));
    panel->setLevel(WindowLevel::MainMenu);
    // Where keys typed in other windows go unseen, the panel takes the keyboard so that the
    // next key press reaches it, and a click elsewhere, which takes the keyboard away, closes it.
    if (m_commandClosesPanel || m_appSettings.pauseMonitoring())
        panel->takeKeyboard([this] { hideShortcutsAction(); });
    panel->orderFront();
    m_windowHotkeysController = std::move(panel);
    setMenuToggleShortcutsTitle(HideShortcutsTitle);
}

void AppDelegate::closeShortcutPanel()
{
    if (!m_windowHotkeysController)
        return;
    m_windowHotkeysController->orderOut();
    // A panel with the keyboard may be closed by a key typed into it, while that key is still
    // being delivered to it: it goes once the event is over.
    schedule(0ms, [closing = std::shared_ptr<PanelWindow>(std::move(m_windowHotkeysController))] {});
    setMenuToggleShortcutsTitle(ShowShortcutsTitle);
}

void AppDelegate::togglePersistentPanel()
{
    m_persistentWanted = !m_persistentWanted.value_or(m_windowPersistentController != nullptr);
    if (m_persistentStepScheduled)
        return;
    m_persistentStepScheduled = true;
    schedule(0ms, [this] {
        m_persistentStepScheduled = false;
        if (std::exchange(m_persistentWanted, std::nullopt).value_or(false))
            showPersistentPanel();
        else
            closePersistentPanel();
    });
}

void AppDelegate::showPersistentPanel()
{
    if (m_windowPersistentController)
        return;
    const QString front = frontmostIdentifier();
    m_currentApp.setBundleIdentifier(front);
    std::unique_ptr<PanelWindow> panel = m_services.windows.createPanel(PanelContent::persistent(front));
    panel->setLevel(WindowLevel::MainMenu);
    placePersistentPanel(*panel);
    panel->orderFront();
    m_windowPersistentController = std::move(panel);
    setMenuTogglePersistentTitle(HidePersistentTitle);
}

void AppDelegate::closePersistentPanel()
{
    if (!m_windowPersistentController)
        return;
    m_windowPersistentController->orderOut();
    m_windowPersistentController.reset();
    setMenuTogglePersistentTitle(ShowPersistentTitle);
}

void AppDelegate::repositionPersistentPanel()
{
    if (m_windowPersistentController)
        placePersistentPanel(*m_windowPersistentController);
}

void AppDelegate::placePersistentPanel(PanelWindow& panel)
{
    // Without a screen there is nothing to place against; the panel stays where it was made.
    const std::optional<QRectF> visibleFrame = m_services.windows.mainScreenVisibleFrame();
    if (!visibleFrame)
        return;
    panel.setTopLeft(persistentPanelTopLeft(*visibleFrame, panel.frame().size(),
                                            m_userDefaults.showPersistentWindowOnTheRight()));
}

void AppDelegate::openSettingsWindow()
{
    m_services.windows.activateApplication();
    if (!m_windowSettingsController) {
        m_windowSettingsController = m_services.windows.createSettingsWindow([this] {
            // The window stays, hidden, and shows again on the next request.
            if (m_windowSettingsController)
                m_windowSettingsController->orderOut();
            m_services.windows.deactivateApplication();
            handleWindowChanged();
        });
    }
    m_windowSettingsController->orderFront();
}

void AppDelegate::showIntroFade()
{
    if (m_fadingWindowController)
        return;
    m_fadingWindowController = m_services.windows.createFadeWindow(FadeWindow::Kind::Intro);
    m_fadingWindowController->orderFront();
    FadeWindow* window = m_fadingWindowController.get();
    schedule(IntroDelay, [this, window] {
        if (m_fadingWindowController.get() != window)
            return;
        window->fadeOut(IntroFadeDuration);
        schedule(IntroFadeDuration, [this, window] {
            if (m_fadingWindowController.get() == window)
                closeFadeWindow();
        });
    });
}

void AppDelegate::playOutroAndQuit()
{
    if (m_terminating)
        return;
    m_terminating = true;
    // A quit during the intro ends at once: the outro would play over it.
    if (m_fadingWindowController) {
        closeFadeWindow();
        m_services.windows.terminate();
        return;
    }
    m_fadingWindowController = m_services.windows.createFadeWindow(FadeWindow::Kind::Outro);
    m_fadingWindowController->orderFront();
    m_fadingWindowController->fadeOut(OutroFadeDuration);
    schedule(OutroFadeDuration, [this] {
        closeFadeWindow();
        schedule(0ms, [this] { m_services.windows.terminate(); });
    });
}

void AppDelegate::closeFadeWindow()
{
    if (!m_fadingWindowController)
        return;
    m_fadingWindowController->orderOut();
    m_fadingWindowController.reset();
}

// Status item

void AppDelegate::updateStatusItem(bool hidden)
{
    if (hidden && m_statusItem) {
        m_statusItem.reset();
        m_statusMenuAttached = false;
    } else if (!hidden && !m_statusItem) {
        m_statusItem = m_services.windows.createStatusItem([this] { showMenu(); });
        m_statusMenuAttached = false;
        if (m_statusItem && !m_services.windows.statusAreaAvailable() && !m_noticeGiven) {
            m_noticeGiven = true;
            Q_EMIT notice(noStatusAreaNotice());
        }
    }
}

void AppDelegate::showMenu()
{
    if (!m_statusItem)
        return;
    if (!m_statusMenuAttached) {
        m_statusItem->setMenu(buildStatusMenu());
        m_statusMenuAttached = true;
    }
    m_statusItem->openMenu();
}

void AppDelegate::menuWillOpen()
{
    if (m_statusItem)
        m_statusItem->setEntryEnabled(PauseItemTag, !m_appSettings.blockedMonitoring());
}

StatusMenu AppDelegate::buildStatusMenu()
{
    const auto action = [this](QString title, QByteArray property, void (AppDelegate::*handler)(),
                               int tag = 0, QString shortcut = {}) {
        return StatusMenuEntry{StatusMenuEntry::Kind::Action,
                               std::move(title),
                               std::move(property),
                               std::move(shortcut),
                               tag,
                               [this, handler] { (this->*handler)(); }};
    };
    StatusMenu menu;
    menu.titleSource = this;
    menu.willOpen = [this] { menuWillOpen(); };
    menu.entries = {
        action(QStringLiteral("Settings"), {}, &AppDelegate::showSettingsAction),
        StatusMenuEntry::separator(),
        action(m_menuTogglePauseTitle, "menuTogglePauseTitle", &AppDelegate::togglePauseAction, PauseItemTag),
        action(m_menuToggleShortcutsTitle, "menuToggleShortcutsTitle", &AppDelegate::toggleShortcutsAction),
        action(m_menuTogglePersistentTitle, "menuTogglePersistentTitle",
               &AppDelegate::togglePersistentAction),
        StatusMenuEntry::separator(),
        action(QStringLiteral("Quit"), {}, &AppDelegate::quitAction, 0, QStringLiteral("Ctrl+Q")),
    };
    return menu;
}

void AppDelegate::installEventMonitors()
{
    m_detector.installEventMonitors(m_services.globalKeys, m_services.localKeys);
}

void AppDelegate::removeEventMonitors()
{
    m_detector.removeEventMonitors();
}

// Helpers

void AppDelegate::schedule(std::chrono::milliseconds delay, std::function<void()> action)
{
    std::weak_ptr<const bool> alive = m_alive;
    m_services.timers.singleShot(delay, [alive, action = std::move(action)] {
        if (alive.lock())
            action();
    });
}

void AppDelegate::setMenuToggleShortcutsTitle(const QString& title)
{
    if (std::exchange(m_menuToggleShortcutsTitle, title) != title)
        Q_EMIT menuToggleShortcutsTitleChanged();
}

void AppDelegate::setMenuTogglePersistentTitle(const QString& title)
{
    if (std::exchange(m_menuTogglePersistentTitle, title) != title)
        Q_EMIT menuTogglePersistentTitleChanged();
}

void AppDelegate::setMenuTogglePauseTitle(const QString& title)
{
    if (std::exchange(m_menuTogglePauseTitle, title) != title)
        Q_EMIT menuTogglePauseTitleChanged();
}

} // namespace tavlen
