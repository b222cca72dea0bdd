#include "core/AppDelegate.h"

#include "core/AppServices.h"
#include "platform/KeyInput.h"
#include "platform/MacKeys.h"
#include "platform/NotificationNames.h"
#include "platform/fake/FakeFileLocations.h"
#include "platform/linux/LocalFileSystem.h"
#include "settings/AppSettings.h"
#include "support/FakeDesktop.h"
#include "support/FakeWindowSystem.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using tavlen::AppDelegate;
using tavlen::KeyEvent;
using tavlen::PanelContent;
using tavlen::RunningApplication;
using tavlen::StatusMenuEntry;
using tavlen::WindowLevel;
using tavlen::test::FakeWindowSystem;
namespace fake = tavlen::fake;
namespace mac_keys = tavlen::mac_keys;
namespace Names = tavlen::NotificationNames;

namespace {

constexpr qint64 OwnPid = 4242;
const RunningApplication Geany{QStringLiteral("geany"), QStringLiteral("Geany"), 100};
const RunningApplication Editor{QStringLiteral("org.gnome.TextEditor"), QStringLiteral("Text Editor"), 200};
const RunningApplication TavlenItself{QStringLiteral("tavlen"), QStringLiteral("Tavlen"), OwnPid};

class AppDelegateTest : public ::testing::Test, protected tavlen::test::FakeDesktop {
protected:
    AppDelegateTest()
    {
        defaults.setValue(QStringLiteral("activationKeyType"), 1);
        defaults.setValue(QStringLiteral("keyHoldingDelay"), 0.25);
        workspace.setFrontmostApplication(Geany);
    }

    AppDelegate& delegate()
    {
        if (!m_delegate)
            m_delegate = std::make_unique<AppDelegate>(tavlen::AppDelegateServices{
                *services, notifications, workspace, accessibility, lock, loginItems, globalKeys, localKeys,
                timers, windows, OwnPid, [this] { ++prefetches; }});
        return *m_delegate;
    }

    // Launches and lets the intro fade run out.
    AppDelegate& launched()
    {
        EXPECT_TRUE(delegate().applicationDidFinishLaunching());
        timers.advance(2s);
        return delegate();
    }

    void wait(std::chrono::milliseconds by) { timers.advance(by); }
    tavlen::AppSettings& settings() { return services->appSettings(); }
    int openCount(const char* kind) const
    {
        return static_cast<int>(windows.open(QString::fromLatin1(kind)).size());
    }
    std::shared_ptr<FakeWindowSystem::WindowState> only(const char* kind) const
    {
        const auto found = windows.open(QString::fromLatin1(kind));
        return found.size() == 1 ? found.front() : nullptr;
    }
    void command(qint64 flags, quint16 key = mac_keys::Command)
    {
        globalKeys.deliver(KeyEvent{KeyEvent::Type::FlagsChanged, flags, key});
    }
    // The activation gesture's tap and second press, typed into Tavlen's own window.
    void localTapThenPress()
    {
        const auto local = [this](qint64 flags) {
            localKeys.deliver(KeyEvent{KeyEvent::Type::FlagsChanged, flags, mac_keys::Command});
        };
        local(tavlen::EventFlag::Command);
        local(0);
        wait(100ms);
        local(tavlen::EventFlag::Command);
    }

    QTemporaryDir dir;
    fake::FakeFileLocations locations{dir.path()};
    tavlen::linux_platform::LocalFileSystem files;
    std::unique_ptr<tavlen::AppServices> services = std::make_unique<tavlen::AppServices>(
        tavlen::Platform{clock, locations, files, defaults, applications, keyboard});
    FakeWindowSystem windows;
    int prefetches = 0;

private:
    std::unique_ptr<AppDelegate> m_delegate;
};

TEST_F(AppDelegateTest, LaunchShowsTheIntroAndTheIconAndStartsListening)
{
    defaults.setValue(QStringLiteral("limitTitles"), 60.0);
    defaults.setValue(QStringLiteral("activationKeyType"), 0);

    ASSERT_TRUE(delegate().applicationDidFinishLaunching());

    EXPECT_TRUE(delegate().appHasInstance());
    EXPECT_TRUE(lock.isHeld());
    EXPECT_EQ(accessibility.promptCount(), 1);
    ASSERT_NE(windows.liveStatusItem(), nullptr);
    EXPECT_TRUE(delegate().detector().eventMonitorsInstalled());
    EXPECT_EQ(defaults.value(QStringLiteral("limitTitles")).toDouble(), 45.0);
    EXPECT_EQ(defaults.value(QStringLiteral("activationKeyType")).toInt(), 1);

    // The intro waits a second, fades for another, and is gone.
    const auto intro = only("intro");
    ASSERT_NE(intro, nullptr);
    EXPECT_TRUE(intro->visible);
    wait(999ms);
    EXPECT_EQ(intro->fadeDuration, -1ms);
    wait(1ms);
    EXPECT_EQ(intro->fadeDuration, 1000ms);
    wait(999ms);
    EXPECT_FALSE(intro->closed);
    wait(1ms);
    EXPECT_TRUE(intro->closed);
    EXPECT_EQ(windows.terminations, 0);
}

TEST_F(AppDelegateTest, LimitTitlesWithinRangeIsLeftAlone)
{
    defaults.setValue(QStringLiteral("limitTitles"), 45.0);
    launched();
    EXPECT_EQ(defaults.value(QStringLiteral("limitTitles")).toDouble(), 45.0);
}

TEST_F(AppDelegateTest, ASecondInstanceSaysSoAndEndsWithoutTouchingAnything)
{
    lock.setHeldElsewhere(true);
    QStringList notices;
    QObject::connect(&delegate(), &AppDelegate::notice, [&](const QString& text) { notices.append(text); });

    EXPECT_FALSE(delegate().applicationDidFinishLaunching());
    EXPECT_EQ(notices, QStringList{AppDelegate::alreadyRunningMessage()}) << "said on standard error too";

    EXPECT_EQ(windows.alerts, QStringList{QStringLiteral(
                                  "Tavlen is Already Running | The app is already running. Please quit the "
                                  "currently running instance before launching the app again.")});
    EXPECT_EQ(windows.terminations, 1);
    EXPECT_TRUE(windows.windows.empty());
    EXPECT_TRUE(windows.statusItems.empty());
    EXPECT_FALSE(delegate().detector().eventMonitorsInstalled());
    EXPECT_EQ(accessibility.promptCount(), 0);
    // Nobody listens for commands in the refused process.
    notifications.post(QString(Names::openSettingsWindow));
    wait(1s);
    EXPECT_EQ(windows.made(QStringLiteral("settings")), 0);
}

TEST_F(AppDelegateTest, ShowHotkeysOpensThePanelHalfASecondLaterAndOnlyOnce)
{
    launched();
    delegate().handleXPCServiceNotification(QString(Names::showHotkeysMessage));
    EXPECT_TRUE(windows.prepared.isEmpty()) << "nothing is built inside the handler";
    wait(499ms);
    EXPECT_EQ(openCount("hotkeys"), 0);
    EXPECT_EQ(windows.prepared, QList<PanelContent>{PanelContent::hotkeys(true)});
    wait(1ms);
    const auto panel = only("hotkeys");
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->visible);
    EXPECT_EQ(panel->content, PanelContent::hotkeys(true));
    EXPECT_EQ(panel->level, WindowLevel::MainMenu);
    EXPECT_EQ(delegate().menuToggleShortcutsTitle(), QStringLiteral("Hide Shortcuts Panel"));

    // Running: the command never closes, and the open panel stays the one there is.
    delegate().handleXPCServiceNotification(QString(Names::showHotkeysMessage));
    wait(1s);
    EXPECT_EQ(windows.made(QStringLiteral("hotkeys")), 1);
    EXPECT_EQ(windows.prepared.size(), 1) << "an open panel needs no other";
    EXPECT_FALSE(panel->closed);
}

TEST_F(AppDelegateTest, ShowHotkeysWhilePausedClosesAnOpenPanel)
{
    launched();
    delegate().showShortcutPanel(true);
    delegate().togglePauseAction();
    wait(0ms);
    ASSERT_TRUE(settings().pauseMonitoring());

    delegate().handleXPCServiceNotification(QString(Names::showHotkeysMessage));
    wait(0ms);
    EXPECT_EQ(openCount("hotkeys"), 0);
    EXPECT_EQ(delegate().menuToggleShortcutsTitle(), QStringLiteral("Show Shortcuts Panel"));

    // Paused with no panel open, the same command opens one.
    delegate().handleXPCServiceNotification(QString(Names::showHotkeysMessage));
    wait(500ms);
    EXPECT_EQ(openCount("hotkeys"), 1);
}

TEST_F(AppDelegateTest, WhilePausedAnyPressClosesThePanelTheCommandOpenedAndResumingKeepsTheIcon)
{
    launched();
    delegate().togglePauseAction();
    wait(0ms);
    ASSERT_TRUE(settings().pauseMonitoring());
    const auto open = [this] {
        delegate().handleXPCServiceNotification(QString(Names::showHotkeysMessage));
        wait(500ms);
        return openCount("hotkeys") == 1;
    };

    // Escape typed anywhere, in Tavlen's windows too.
    ASSERT_TRUE(open());
    globalKeys.deliver(KeyEvent{KeyEvent::Type::KeyUp, 0, mac_keys::Return});
    command(0);
    wait(0ms);
    EXPECT_EQ(openCount("hotkeys"), 1) << "letting go of the command's own keys is no request";
    localKeys.deliver(KeyEvent{KeyEvent::Type::KeyDown, 0, mac_keys::Escape});
    EXPECT_EQ(openCount("hotkeys"), 1) << "the panel goes from the event loop, not inside the key";
    wait(0ms);
    EXPECT_EQ(openCount("hotkeys"), 0);

    // The gesture's first press.
    ASSERT_TRUE(open());
    command(tavlen::EventFlag::Command);
    wait(0ms);
    EXPECT_EQ(openCount("hotkeys"), 0);

    // A click into another window: the user has moved on.
    ASSERT_TRUE(open());
    Q_EMIT workspace.frontmostApplicationChanged(); // the same application again changes nothing
    wait(0ms);
    EXPECT_EQ(openCount("hotkeys"), 1);
    workspace.setFrontmostApplication(Editor);
    wait(0ms);
    EXPECT_EQ(openCount("hotkeys"), 0);
    workspace.setFrontmostApplication(Geany);

    // Resuming with a panel open keeps the icon where it was and listens again.
    ASSERT_TRUE(open());
    const auto icon = windows.liveStatusItem();
    ASSERT_NE(icon, nullptr);
    delegate().togglePauseAction();
    wait(0ms);
    EXPECT_FALSE(settings().pauseMonitoring());
    EXPECT_EQ(windows.liveStatusItem(), icon);
    EXPECT_TRUE(delegate().detector().eventMonitorsInstalled());
    globalKeys.deliver(KeyEvent{KeyEvent::Type::KeyDown, 0, mac_keys::Escape});
    wait(0ms);
    EXPECT_EQ(openCount("hotkeys"), 0);
}

TEST_F(AppDelegateTest, PageKeysInTavlensWindowsScrollTheShortcutPanelElseThePersistentOne)
{
    using tavlen::PanelScroll;
    launched();
    const auto page = [this](quint16 key) {
        localKeys.deliver(KeyEvent{KeyEvent::Type::KeyDown, 0, key});
        localKeys.deliver(KeyEvent{KeyEvent::Type::KeyUp, 0, key});
        wait(0ms);
    };
    page(mac_keys::PageDown); // nothing open: nothing to scroll, nothing breaks

    delegate().togglePersistentPanel();
    wait(0ms);
    const auto persistent = only("persistent");
    ASSERT_NE(persistent, nullptr);
    page(mac_keys::PageDown);
    EXPECT_EQ(persistent->scrolls, QList<PanelScroll>{PanelScroll::PageDown});

    delegate().showShortcutPanel(false);
    const auto hotkeys = only("hotkeys");
    ASSERT_NE(hotkeys, nullptr);
    page(mac_keys::End);
    EXPECT_EQ(hotkeys->scrolls, QList<PanelScroll>{PanelScroll::End});
    EXPECT_EQ(persistent->scrolls.size(), 1);
    EXPECT_FALSE(hotkeys->closed) << "a page key is no key that closes the panel";
}

TEST_F(AppDelegateTest, WhereNoKeysAreSeenTheCommandClosesThePanelItOpened)
{
    launched();
    delegate().setCommandClosesPanel(true);
    delegate().handleXPCServiceNotification(QString(Names::showHotkeysMessage));
    wait(500ms);
    ASSERT_EQ(openCount("hotkeys"), 1);

    delegate().handleXPCServiceNotification(QString(Names::showHotkeysMessage));
    wait(0ms);
    EXPECT_EQ(openCount("hotkeys"), 0);

    // The panel has the keyboard: a key typed into it closes it, and so does a click elsewhere,
    // which takes the keyboard away.
    const auto open = [this] {
        delegate().handleXPCServiceNotification(QString(Names::showHotkeysMessage));
        wait(500ms);
        const auto panel = only("hotkeys");
        return panel && panel->visible && panel->keyboardLost ? panel : nullptr;
    };
    ASSERT_NE(open(), nullptr);
    localKeys.deliver(KeyEvent{KeyEvent::Type::KeyDown, 0, mac_keys::DownArrow});
    localKeys.deliver(KeyEvent{KeyEvent::Type::KeyUp, 0, mac_keys::DownArrow});
    wait(0ms);
    EXPECT_EQ(openCount("hotkeys"), 0);

    const auto panel = open();
    ASSERT_NE(panel, nullptr);
    panel->keyboardLost();
    wait(0ms);
    EXPECT_EQ(openCount("hotkeys"), 0);

    // Where keys are seen everywhere, the panel leaves the keyboard where it is.
    delegate().setCommandClosesPanel(false);
    delegate().handleXPCServiceNotification(QString(Names::showHotkeysMessage));
    wait(500ms);
    ASSERT_NE(only("hotkeys"), nullptr);
    EXPECT_FALSE(only("hotkeys")->keyboardLost);
}

TEST_F(AppDelegateTest, TogglePersistentAndUnknownMessages)
{
    launched();
    delegate().handleXPCServiceNotification(QStringLiteral("showhotkeys"));
    delegate().handleXPCServiceNotification(QString());
    wait(1s);
    EXPECT_EQ(windows.made(QStringLiteral("hotkeys")), 0);
    EXPECT_EQ(windows.made(QStringLiteral("persistent")), 0);

    delegate().handleXPCServiceNotification(QString(Names::togglePersistentMessage));
    EXPECT_EQ(openCount("persistent"), 0) << "the toggle runs from the event loop, not inside the handler";
    wait(0ms);
    const auto panel = only("persistent");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->content, PanelContent::persistent(QStringLiteral("geany")));
    EXPECT_EQ(delegate().currentApp().bundleIdentifier(), QStringLiteral("geany"));
    EXPECT_EQ(delegate().menuTogglePersistentTitle(), QStringLiteral("Hide Persistent Panel"));

    delegate().handleXPCServiceNotification(QString(Names::togglePersistentMessage));
    wait(0ms);
    EXPECT_TRUE(panel->closed);
    EXPECT_EQ(delegate().menuTogglePersistentTitle(), QStringLiteral("Show Persistent Panel"));
}

TEST_F(AppDelegateTest, PauseAndResumeFollowTheBlockedFlag)
{
    launched();
    delegate().togglePauseAction();
    EXPECT_FALSE(settings().pauseMonitoring()) << "pausing is scheduled, not done in the handler";
    wait(0ms);
    EXPECT_TRUE(settings().pauseMonitoring());
    EXPECT_FALSE(delegate().detector().eventMonitorsInstalled());
    EXPECT_EQ(delegate().menuTogglePauseTitle(), QStringLiteral("Resume"));

    // The recorder is open: nothing may change the state.
    settings().setBlockedMonitoring(true);
    delegate().togglePauseAction();
    delegate().resumeNotificationAction();
    notifications.post(QString(Names::toggleApp));
    wait(0ms);
    EXPECT_TRUE(settings().pauseMonitoring());
    EXPECT_FALSE(delegate().detector().eventMonitorsInstalled());
    EXPECT_EQ(delegate().menuTogglePauseTitle(), QStringLiteral("Resume"));

    settings().setBlockedMonitoring(false);
    notifications.post(QString(Names::toggleApp));
    wait(0ms);
    EXPECT_FALSE(settings().pauseMonitoring());
    EXPECT_TRUE(delegate().detector().eventMonitorsInstalled());
    EXPECT_EQ(delegate().menuTogglePauseTitle(), QStringLiteral("Pause"));

    notifications.post(QString(Names::pauseApp));
    wait(0ms);
    EXPECT_TRUE(settings().pauseMonitoring());
    notifications.post(QString(Names::resumeApp));
    wait(0ms);
    EXPECT_FALSE(settings().pauseMonitoring());
}

TEST_F(AppDelegateTest, ChangedSettingsReinstallMonitorsOnlyWhileRunning)
{
    launched();
    delegate().togglePauseAction();
    wait(0ms);
    defaults.setValue(QStringLiteral("showAppIcon"), false);
    EXPECT_FALSE(delegate().detector().eventMonitorsInstalled());

    defaults.setValue(QStringLiteral("launchAtLogin"), true);
    EXPECT_EQ(loginItems.requests(), QList<bool>{true});
    EXPECT_TRUE(loginItems.isEnabled());
}

TEST_F(AppDelegateTest, StatusMenuIsBuiltOnTheFirstClickWithBoundTitles)
{
    launched();
    const auto item = windows.liveStatusItem();
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->menu.has_value());

    item->clicked();
    ASSERT_TRUE(item->menu.has_value());
    EXPECT_EQ(item->opened, 1);
    const auto& entries = item->menu->entries;
    QStringList shape;
    for (const StatusMenuEntry& entry : entries)
        shape.append(entry.kind == StatusMenuEntry::Kind::Separator
                         ? QStringLiteral("---")
                         : entry.title +
                               (entry.titleProperty.isEmpty()
                                    ? QString()
                                    : QStringLiteral(" <") + QString::fromLatin1(entry.titleProperty) +
                                          QLatin1Char('>')));
    EXPECT_EQ(shape, (QStringList{QStringLiteral("Settings"), QStringLiteral("---"),
                                  QStringLiteral("Pause <menuTogglePauseTitle>"),
                                  QStringLiteral("Show Shortcuts Panel <menuToggleShortcutsTitle>"),
                                  QStringLiteral("Show Persistent Panel <menuTogglePersistentTitle>"),
                                  QStringLiteral("---"), QStringLiteral("Quit")}));
    EXPECT_EQ(entries[2].tag, AppDelegate::PauseItemTag);
    EXPECT_EQ(entries[6].shortcut, QStringLiteral("Ctrl+Q"));
    EXPECT_EQ(item->menu->titleSource, &delegate());
    // Bound titles are read from the source, so they must name real properties of it.
    for (const StatusMenuEntry& entry : entries) {
        if (!entry.titleProperty.isEmpty()) {
            EXPECT_EQ(delegate().property(entry.titleProperty.constData()).toString(), entry.title);
        }
    }

    // The pause entry is disabled while the recorder blocks monitoring, each time the menu opens.
    EXPECT_TRUE(item->enabled.at(AppDelegate::PauseItemTag));
    settings().setBlockedMonitoring(true);
    item->clicked();
    EXPECT_FALSE(item->enabled.at(AppDelegate::PauseItemTag));
    EXPECT_EQ(item->opened, 2);

    // The toggle entry opens the panel after the delay, and then closes it.
    entries[3].action();
    wait(500ms);
    EXPECT_EQ(openCount("hotkeys"), 1);
    EXPECT_EQ(delegate().property("menuToggleShortcutsTitle").toString(),
              QStringLiteral("Hide Shortcuts Panel"));
    entries[3].action();
    wait(0ms);
    EXPECT_EQ(openCount("hotkeys"), 0);
}

TEST_F(AppDelegateTest, HidingTheIconRemovesItAndShowingItMakesAFreshOne)
{
    launched();
    windows.liveStatusItem()->clicked();
    defaults.setValue(QStringLiteral("hideMenuIcon"), true);
    EXPECT_EQ(windows.liveStatusItem(), nullptr);
    defaults.setValue(QStringLiteral("hideMenuIcon"), false);
    const auto item = windows.liveStatusItem();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(windows.statusItems.size(), 2u);
    EXPECT_FALSE(item->menu.has_value());
    item->clicked();
    EXPECT_TRUE(item->menu.has_value());
}

TEST_F(AppDelegateTest, WithoutATrayTheUserIsToldOnce)
{
    windows.trayAvailable = false;
    QStringList notices;
    QObject::connect(&delegate(), &AppDelegate::notice, [&](const QString& text) { notices.append(text); });
    launched();
    defaults.setValue(QStringLiteral("hideMenuIcon"), true);
    defaults.setValue(QStringLiteral("hideMenuIcon"), false);
    EXPECT_EQ(notices, QStringList{AppDelegate::noStatusAreaNotice()});
}

TEST_F(AppDelegateTest, OpeningFilesImportsExactlyOne)
{
    launched();
    const QString path = dir.filePath(QStringLiteral("mine.tavlen"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"geany": {"x": [["Say hello", "command", 4]]}})");
    file.close();

    EXPECT_FALSE(delegate().openFiles({path, path}));
    EXPECT_EQ(windows.alerts, QStringList{QStringLiteral(
                                  "Tavlen Import file | Can only process a single file at the time.")});
    EXPECT_TRUE(services->databaseManager().getCustomHotkeys(QStringLiteral("geany"), true).isEmpty());

    EXPECT_TRUE(delegate().openFiles({path}));
    EXPECT_EQ(windows.alerts.last(),
              QStringLiteral("Tavlen Import file | File 'mine.tavlen' imported successfully."));
    EXPECT_EQ(services->databaseManager().getCustomHotkeys(QStringLiteral("geany"), true).size(), 1);

    EXPECT_FALSE(delegate().openFiles({dir.filePath(QStringLiteral("missing.tavlen"))}));
    EXPECT_TRUE(windows.alerts.last().startsWith(
        QStringLiteral("Tavlen Import file | File 'missing.tavlen' import failed. ")));

    delegate().openFiles({});
    EXPECT_EQ(windows.alerts.size(), 3);
}

TEST_F(AppDelegateTest, PersistentPanelIsPlacedOnTheLeftOrRight)
{
    launched();
    delegate().showPersistentPanel();
    const auto panel = only("persistent");
    ASSERT_NE(panel, nullptr);
    // 1700 / 17 = 100 in from the left; centred on 500 and raised by 100.
    EXPECT_EQ(panel->frame.topLeft(), QPointF(100, 500 - 350 - 100));
    EXPECT_TRUE(panel->visible);

    defaults.setValue(QStringLiteral("showPersistentWindowOnTheRight"), true);
    EXPECT_EQ(panel->frame.topLeft(), QPointF(1700 - 100 - 425, 50));

    delegate().closePersistentPanel();
    windows.hasScreen = false;
    delegate().showPersistentPanel();
    EXPECT_EQ(only("persistent")->frame.topLeft(), QPointF(0, 0))
        << "without a screen it stays where it was made";
}

TEST_F(AppDelegateTest, PanelsFollowTheFrontmostApplicationButNotTavlen)
{
    launched();
    delegate().showPersistentPanel();
    const auto panel = only("persistent");
    ASSERT_NE(panel, nullptr);
    defaults.setValue(QStringLiteral("showPersistentWindowOnTheRight"), true);
    const QPointF placed = panel->frame.topLeft();

    workspace.setFrontmostApplication(Editor);
    EXPECT_EQ(panel->contentBuilds, 2);
    EXPECT_EQ(panel->content, PanelContent::persistent(Editor.identifier));
    EXPECT_EQ(panel->level, WindowLevel::Floating);
    EXPECT_EQ(panel->frame.topLeft(), placed);
    EXPECT_EQ(delegate().currentApp().bundleIdentifier(), Editor.identifier);

    // Tavlen's own window (by process, whatever id the desktop gives it) changes nothing,
    // and coming back to the same application rebuilds nothing.
    workspace.setFrontmostApplication(TavlenItself);
    workspace.setFrontmostApplication(Editor);
    EXPECT_EQ(panel->contentBuilds, 2);

    // With both panels open the persistent panel takes the change; the shortcut panel is not
    // rebuilt, it follows currentApp.
    delegate().showShortcutPanel(true);
    const auto hotkeys = only("hotkeys");
    workspace.setFrontmostApplication(Geany);
    EXPECT_EQ(panel->contentBuilds, 3);
    EXPECT_EQ(hotkeys->contentBuilds, 1);

    delegate().closePersistentPanel();
    workspace.setFrontmostApplication(Editor);
    EXPECT_EQ(hotkeys->contentBuilds, 2);
    EXPECT_EQ(hotkeys->content, PanelContent::hotkeys(true));
    EXPECT_EQ(hotkeys->level, WindowLevel::Floating);

    workspace.setFrontmostApplication(std::nullopt);
    EXPECT_EQ(delegate().currentApp().bundleIdentifier(), QStringLiteral("none"));
}

TEST_F(AppDelegateTest, SettingsWindowIsMadeOnceAndClosingHidesIt)
{
    launched();
    notifications.post(QString(Names::openSettingsWindow));
    delegate().openSettingsWindow();
    EXPECT_EQ(windows.made(QStringLiteral("settings")), 1);
    EXPECT_EQ(windows.activations, 2);
    const auto window = only("settings");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->visible);

    delegate().showPersistentPanel();
    workspace.setFrontmostApplication(Editor);
    windows.settingsWillClose();
    EXPECT_FALSE(window->visible);
    EXPECT_FALSE(window->closed);
    EXPECT_EQ(windows.deactivations, 1);
    EXPECT_EQ(only("persistent")->content, PanelContent::persistent(Editor.identifier));

    delegate().openSettingsWindow();
    EXPECT_TRUE(window->visible);
    EXPECT_EQ(windows.made(QStringLiteral("settings")), 1);
}

TEST_F(AppDelegateTest, TheGestureOpensThePanelAndReleasingClosesItButNoOtherWindow)
{
    launched();
    delegate().openSettingsWindow();
    using tavlen::EventFlag::Command;
    command(Command);
    command(0);
    wait(100ms);
    command(Command);
    wait(250ms);
    ASSERT_EQ(openCount("hotkeys"), 1);
    EXPECT_EQ(only("hotkeys")->content, PanelContent::hotkeys(true));

    command(0);
    wait(0ms);
    EXPECT_EQ(openCount("hotkeys"), 0);
    EXPECT_TRUE(only("settings")->visible);

    // The same gesture typed into Tavlen's own window asks for the legend; a while later, so
    // that its presses do not count as the third of three that toggle the persistent panel.
    wait(1s);
    localTapThenPress();
    wait(1s);
    ASSERT_EQ(openCount("hotkeys"), 1);
    EXPECT_FALSE(only("hotkeys")->content.isGlobal);
}

TEST_F(AppDelegateTest, MenusAreReadWhileTheGestureIsHeldButNotForAnOpenPanel)
{
    launched();
    using tavlen::EventFlag::Command;
    command(Command);
    command(0);
    EXPECT_EQ(prefetches, 0) << "one press is no gesture yet";
    wait(100ms);
    command(Command);
    EXPECT_EQ(prefetches, 0) << "read from the event loop, not inside the key handler";
    wait(0ms);
    EXPECT_EQ(prefetches, 1);
    ASSERT_EQ(windows.prepared.size(), 1) << "the panel is built while the hold delay runs";
    EXPECT_EQ(windows.prepared.front(), PanelContent::hotkeys(true));
    EXPECT_EQ(openCount("hotkeys"), 0);
    wait(250ms);
    ASSERT_EQ(openCount("hotkeys"), 1);

    // A panel that opened meanwhile (from the tray, between the two presses) has its sheet.
    command(0);
    wait(600ms);
    command(Command);
    command(0);
    wait(100ms);
    delegate().showShortcutPanel(true);
    command(Command);
    wait(0ms);
    EXPECT_EQ(prefetches, 1);
    command(0);
    wait(0ms);

    // Nor does the gesture inside Tavlen's own window, which shows the legend.
    wait(600ms);
    localTapThenPress();
    wait(0ms);
    EXPECT_EQ(prefetches, 1);
    EXPECT_EQ(windows.prepared.size(), 1);
}

TEST_F(AppDelegateTest, LocalNotificationsReachTheirHandlers)
{
    launched();
    delegate().showShortcutPanel(true);
    notifications.post(QString(Names::closePanel));
    EXPECT_EQ(openCount("hotkeys"), 1) << "closing is scheduled";
    wait(0ms);
    EXPECT_EQ(openCount("hotkeys"), 0);

    notifications.post(QString(Names::quitApp));
    EXPECT_EQ(windows.orderOutAllCount, 1);
    EXPECT_EQ(openCount("outro"), 1);
}

TEST_F(AppDelegateTest, QuitHidesEverythingThenPlaysTheOutroOnce)
{
    launched();
    delegate().showPersistentPanel();
    const auto panel = only("persistent");

    delegate().quitAction();
    EXPECT_FALSE(panel->visible);
    EXPECT_FALSE(delegate().detector().eventMonitorsInstalled());
    const auto outro = only("outro");
    ASSERT_NE(outro, nullptr);
    EXPECT_TRUE(outro->visible);
    EXPECT_EQ(outro->fadeDuration, 2000ms);
    wait(1999ms);
    EXPECT_EQ(windows.terminations, 0);
    wait(1ms);
    EXPECT_TRUE(outro->closed);
    EXPECT_EQ(windows.terminations, 1);

    // The end of the event loop asks again: no second outro, no second end.
    delegate().applicationWillTerminate();
    wait(5s);
    EXPECT_EQ(windows.made(QStringLiteral("outro")), 1);
    EXPECT_EQ(windows.terminations, 1);
}

TEST_F(AppDelegateTest, QuittingDuringTheIntroEndsAtOnce)
{
    ASSERT_TRUE(delegate().applicationDidFinishLaunching());
    wait(500ms);
    delegate().quitAction();
    EXPECT_EQ(windows.terminations, 1);
    EXPECT_EQ(windows.made(QStringLiteral("outro")), 0);
    EXPECT_EQ(openCount("intro"), 0);
    wait(5s);
    EXPECT_EQ(windows.terminations, 1) << "the intro's timers must not act on a window that is gone";
}

TEST_F(AppDelegateTest, FurtherRequestsToEndWhileTheOutroPlaysAreTheSameRequest)
{
    launched();
    delegate().applicationWillTerminate();
    const auto outro = only("outro");
    ASSERT_NE(outro, nullptr);
    wait(500ms);
    // A logout's SIGTERM and SIGHUP, a user's second Quit: the outro goes on and ends the process.
    delegate().applicationWillTerminate();
    delegate().quitAction();
    delegate().applicationWillTerminate();
    EXPECT_EQ(windows.terminations, 0);
    EXPECT_EQ(windows.orderOutAllCount, 1);
    EXPECT_TRUE(outro->visible);
    EXPECT_EQ(windows.made(QStringLiteral("outro")), 1);
    // Observers are gone: a command that arrives now does nothing.
    notifications.post(QString(Names::openSettingsWindow));
    EXPECT_EQ(windows.made(QStringLiteral("settings")), 0);
    wait(1500ms);
    EXPECT_TRUE(outro->closed);
    EXPECT_EQ(windows.terminations, 1);
}

TEST_F(AppDelegateTest, ABurstOfRequestsEndsInTheStateItAsksForWithOnePanelBuilt)
{
    launched();
    for (int i = 0; i < 2001; ++i)
        delegate().handleXPCServiceNotification(QString(Names::togglePersistentMessage));
    wait(0ms);
    EXPECT_EQ(windows.made(QStringLiteral("persistent")), 1);
    EXPECT_EQ(openCount("persistent"), 1) << "an odd count of toggles opens the panel";
    for (int i = 0; i < 500; ++i)
        delegate().handleXPCServiceNotification(QString(Names::togglePersistentMessage));
    wait(0ms);
    EXPECT_EQ(windows.made(QStringLiteral("persistent")), 1) << "an even count leaves it as it was";
    EXPECT_EQ(openCount("persistent"), 1);
    delegate().handleXPCServiceNotification(QString(Names::togglePersistentMessage));
    wait(0ms);
    EXPECT_EQ(openCount("persistent"), 0);

    for (int i = 0; i < 500; ++i)
        delegate().handleXPCServiceNotification(QString(Names::showHotkeysMessage));
    wait(1s);
    EXPECT_EQ(windows.prepared.size(), 1);
    EXPECT_EQ(windows.made(QStringLiteral("hotkeys")), 1);
    EXPECT_EQ(openCount("hotkeys"), 1);
}

} // namespace
