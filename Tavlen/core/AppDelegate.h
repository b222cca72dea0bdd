#pragma once

#include "core/ActivationKeyDetector.h"
#include "core/WindowSystem.h"
#include "harvest/ActiveApp.h"
#include "platform/NotificationCenter.h"
#include "settings/UserDefaults.h"

#include <QMetaObject>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace tavlen {

class Accessibility;
class AppServices;
class AppSettings;
class InstanceLock;
class KeyEventSource;
class LoginItems;
class Timers;
class Workspace;

// Everything the controller works through. Each object must outlive the controller.
struct AppDelegateServices {
    AppServices& services;
    NotificationCenter& notifications;
    Workspace& workspace;
    Accessibility& accessibility;
    InstanceLock& instanceLock;
    LoginItems& loginItems;
    // Keys typed into other applications, and into Tavlen's own windows.
    KeyEventSource& globalKeys;
    KeyEventSource& localKeys;
    Timers& timers;
    WindowSystem& windows;
    // This process, so that its own windows count as Tavlen whatever id the desktop gives them.
    qint64 ownProcessIdentifier = 0;
    // Has the frontmost application's menus read ahead of the shortcut panel, while the
    // gesture's hold delay runs, so that the panel finds them kept; may be empty.
    std::function<void()> prefetchMenus;
};

// The resident instance: refuses to run twice, keeps the status item and its menu, turns the
// gestures, the status menu, the commands of other processes and of Tavlen's own views into
// panels and windows, pauses and resumes monitoring, imports opened files and says goodbye
// with a fade at quit.
//
// Window work requested from a handler is scheduled on the event loop (the timers), never done
// inside the handler: a panel never appears or goes away in the middle of a key event.
class AppDelegate : public QObject {
    Q_OBJECT
    Q_PROPERTY(
        QString menuToggleShortcutsTitle READ menuToggleShortcutsTitle NOTIFY menuToggleShortcutsTitleChanged)
    Q_PROPERTY(QString menuTogglePersistentTitle READ menuTogglePersistentTitle NOTIFY
                   menuTogglePersistentTitleChanged)
    Q_PROPERTY(QString menuTogglePauseTitle READ menuTogglePauseTitle NOTIFY menuTogglePauseTitleChanged)

public:
    static constexpr int PauseItemTag = 505;
    static constexpr std::chrono::milliseconds ShowShortcutsDelay{500};
    static constexpr std::chrono::milliseconds IntroDelay{1000};
    static constexpr std::chrono::milliseconds IntroFadeDuration{1000};
    static constexpr std::chrono::milliseconds OutroFadeDuration{2000};
    static constexpr double MaximumLimitTitles = 45.0;

    static QString alreadyRunningTitle() { return QStringLiteral("Tavlen is Already Running"); }
    static QString alreadyRunningMessage()
    {
        return QStringLiteral("The app is already running. Please quit the currently running instance "
                              "before launching the app again.");
    }
    static QString importAlertTitle() { return QStringLiteral("Tavlen Import file"); }
    static QString singleFileMessage()
    {
        return QStringLiteral("Can only process a single file at the time.");
    }
    static QString noStatusAreaNotice()
    {
        return QStringLiteral("Tavlen: the desktop shows no tray icons, so Tavlen has no menu icon. The "
                              "gestures and \"tavlen --show-shortcuts\" still work.");
    }

    explicit AppDelegate(const AppDelegateServices& services, QObject* parent = nullptr);
    ~AppDelegate() override;
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    // The launch sequence. False when another instance runs: the user has been told and the
    // process is asked to end.
    bool applicationDidFinishLaunching();
    // Every way of ending the process that is not the user's quit command (signals, logout).
    void applicationWillTerminate();
    // Imports the one file given, and shows the result; false when nothing was imported.
    bool openFiles(const QStringList& paths);

    // Commands.
    void showSettingsAction();
    void showShortcutsAction();
    void hideShortcutsAction();
    void toggleShortcutsAction();
    void togglePersistentAction();
    void pauseNotificationAction();
    void resumeNotificationAction();
    void togglePauseAction();
    void quitAction();
    void handleXPCServiceNotification(const QString& message);
    // Where the session shows Tavlen no keys typed elsewhere, no key release can close a panel
    // that "tavlen --show-shortcuts" opened: the same command then closes it.
    void setCommandClosesPanel(bool closes) { m_commandClosesPanel = closes; }
    void userDefaultsDidChange();
    void handleWindowChanged();
    void shortcutPanelLikely(bool isGlobal);
    // The shortcut panel's sheet while that panel is open, else the persistent panel's.
    void scrollPanel(PanelScroll step);

    // Windows.
    void showShortcutPanel(bool isGlobal);
    void closeShortcutPanel();
    void togglePersistentPanel();
    void showPersistentPanel();
    void closePersistentPanel();
    void repositionPersistentPanel();
    void openSettingsWindow();
    void showIntroFade();
    void playOutroAndQuit();

    // The status item.
    void updateStatusItem(bool hidden);
    void showMenu();
    void menuWillOpen();
    StatusMenu buildStatusMenu();

    void installEventMonitors();
    void removeEventMonitors();

    const QString& menuToggleShortcutsTitle() const { return m_menuToggleShortcutsTitle; }
    const QString& menuTogglePersistentTitle() const { return m_menuTogglePersistentTitle; }
    const QString& menuTogglePauseTitle() const { return m_menuTogglePauseTitle; }

    ActiveApp& currentApp() { return m_currentApp; }
    ActivationKeyDetector& detector() { return m_detector; }
    bool appHasInstance() const { return m_appHasInstance; }
    bool shortcutPanelOpen() const { return m_windowHotkeysController != nullptr; }
    bool persistentPanelOpen() const { return m_windowPersistentController != nullptr; }
    PanelWindow* shortcutPanel() const { return m_windowHotkeysController.get(); }
    PanelWindow* persistentPanel() const { return m_windowPersistentController.get(); }
    ManagedWindow* settingsWindow() const { return m_windowSettingsController.get(); }
    FadeWindow* fadingWindow() const { return m_fadingWindowController.get(); }
    StatusItem* statusItem() const { return m_statusItem.get(); }

Q_SIGNALS:
    void menuToggleShortcutsTitleChanged();
    void menuTogglePersistentTitleChanged();
    void menuTogglePauseTitleChanged();
    // Something the user should read on the terminal; said once per process at most.
    void notice(const QString& text);

private:
    bool checkSingleInstance();
    void registerObservers();
    void unregisterObservers();
    void closeFadeWindow();
    // Unless monitoring is blocked, from the event loop: records the choice, listens or stops
    // listening to the keys, and names the menu entry that undoes it.
    void setMonitoringPaused(bool paused);
    // While the gestures are not listened to (paused), a panel opened by a command would have
    // nothing that closes it: any key pressed anywhere, the gesture's Command key included, does.
    void keyWhileNotListening(const KeyEvent& event);
    void placePersistentPanel(PanelWindow& panel);
    // The application that is frontmost, "none" when there is none, Tavlen's own identifier
    // for Tavlen's windows.
    QString frontmostIdentifier() const;
    void schedule(std::chrono::milliseconds delay, std::function<void()> action);
    void setMenuToggleShortcutsTitle(const QString& title);
    void setMenuTogglePersistentTitle(const QString& title);
    void setMenuTogglePauseTitle(const QString& title);

    AppDelegateServices m_services;
    AppSettings& m_appSettings;

    std::unique_ptr<StatusItem> m_statusItem;
    bool m_statusMenuAttached = false;
    std::unique_ptr<ManagedWindow> m_windowSettingsController;
    std::unique_ptr<PanelWindow> m_windowHotkeysController;
    std::unique_ptr<FadeWindow> m_fadingWindowController;
    std::unique_ptr<PanelWindow> m_windowPersistentController;
    QMetaObject::Connection m_persistentObserver;
    QMetaObject::Connection m_userDefaultsObserver;
    QMetaObject::Connection m_globalKeysWhilePaused;
    QMetaObject::Connection m_localKeysWhilePaused;
    std::vector<NotificationCenter::Token> m_notificationTokens;

    UserDefaults m_userDefaults;
    ActiveApp m_currentApp;
    ActivationKeyDetector m_detector;
    bool m_appHasInstance = false;
    // Ending is one request however many arrive, and from wherever: the first ends the process,
    // the others wait for it.
    bool m_terminating = false;
    // Requests set what is wanted and one scheduled step makes it so: a burst of toggles ends in
    // the state its count says, with at most one panel built for it.
    std::optional<bool> m_persistentWanted;
    bool m_persistentStepScheduled = false;
    bool m_showShortcutsScheduled = false;
    bool m_commandClosesPanel = false;
    // The application in front when the shortcut panel opened.
    QString m_shortcutPanelFront;
    bool m_noticeGiven = false;

    QString m_menuToggleShortcutsTitle = QStringLiteral("Show Shortcuts Panel");
    QString m_menuTogglePersistentTitle = QStringLiteral("Show Persistent Panel");
    QString m_menuTogglePauseTitle = QStringLiteral("Pause");

    // Scheduled work holds this weakly, so nothing runs once the controller is gone.
    std::shared_ptr<const bool> m_alive = std::make_shared<const bool>(true);
};

} // namespace tavlen
