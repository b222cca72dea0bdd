#include "core/windows/TrayStatusItem.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

using namespace tavlen;

namespace {

// A controller's titles, as the bound entries read them.
class TitleSource : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString pauseTitle READ pauseTitle NOTIFY pauseTitleChanged)
    Q_PROPERTY(QString panelTitle READ panelTitle NOTIFY panelTitleChanged)

public:
    const QString& pauseTitle() const { return m_pauseTitle; }
    const QString& panelTitle() const { return m_panelTitle; }
    void setPauseTitle(const QString& title)
    {
        m_pauseTitle = title;
        Q_EMIT pauseTitleChanged();
    }
    void setPanelTitle(const QString& title)
    {
        m_panelTitle = title;
        Q_EMIT panelTitleChanged();
    }

Q_SIGNALS:
    void pauseTitleChanged();
    void panelTitleChanged();

private:
    QString m_pauseTitle = QStringLiteral("Pause");
    QString m_panelTitle = QStringLiteral("Show Shortcuts Panel");
};

constexpr int PauseTag = 505;

StatusMenuEntry entry(const QString& title, std::function<void()> action = {},
                      const QByteArray& property = {}, int tag = 0, const QString& shortcut = {})
{
    return {StatusMenuEntry::Kind::Action, title, property, shortcut, tag, std::move(action)};
}

QStringList texts(const QMenu& menu)
{
    QStringList result;
    for (const QAction* action : menu.actions())
        result.append(action->isSeparator() ? QStringLiteral("---") : action->text());
    return result;
}

class TrayStatusItemTest : public ::testing::Test {
protected:
    StatusMenu controllerMenu()
    {
        StatusMenu menu;
        menu.titleSource = &source;
        menu.willOpen = [this] { ++opened; };
        menu.entries = {
            entry(QStringLiteral("Settings"), [this] { ++settingsRuns; }),
            StatusMenuEntry::separator(),
            // Built with a title that is already out of date: the property wins.
            entry(QStringLiteral("stale"), {}, "pauseTitle", PauseTag),
            entry(QStringLiteral("stale"), {}, "panelTitle"),
            StatusMenuEntry::separator(),
            entry(QStringLiteral("Quit"), {}, {}, 0, QStringLiteral("Ctrl+Q")),
        };
        return menu;
    }

    TitleSource source;
    int clicks = 0;
    int opened = 0;
    int settingsRuns = 0;
    TrayStatusItem item{[this] { ++clicks; }};
};

} // namespace

TEST_F(TrayStatusItemTest, MenuShowsTheEntriesInOrderAndBoundTitlesFollowTheirProperties)
{
    item.setMenu(controllerMenu());
    QMenu* menu = item.menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(item.trayIcon().contextMenu(), menu);
    EXPECT_EQ(texts(*menu), (QStringList{"Settings", "---", "Pause", "Show Shortcuts Panel", "---", "Quit"}));
    EXPECT_EQ(menu->actions().at(5)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_TRUE(menu->actions().at(0)->shortcut().isEmpty());

    source.setPauseTitle(QStringLiteral("Resume"));
    source.setPanelTitle(QStringLiteral("Hide Shortcuts Panel"));
    EXPECT_EQ(texts(*menu),
              (QStringList{"Settings", "---", "Resume", "Hide Shortcuts Panel", "---", "Quit"}));

    menu->actions().at(0)->trigger();
    EXPECT_EQ(settingsRuns, 1);
    // An entry without an action does nothing when chosen.
    menu->actions().at(2)->trigger();
}

TEST_F(TrayStatusItemTest, EntriesAreEnabledByTagAndWillOpenRunsEachTimeBeforeTheMenuShows)
{
    item.setMenu(controllerMenu());
    QMenu* menu = item.menu();
    item.setEntryEnabled(PauseTag, false);
    EXPECT_FALSE(menu->actions().at(2)->isEnabled());
    EXPECT_TRUE(menu->actions().at(3)->isEnabled());
    item.setEntryEnabled(12345, false);
    item.setEntryEnabled(PauseTag, true);
    EXPECT_TRUE(menu->actions().at(2)->isEnabled());

    EXPECT_EQ(opened, 0);
    item.openMenu();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(opened, 1);
    menu->hide();
    item.openMenu();
    menu->hide();
    EXPECT_EQ(opened, 2);
}

TEST_F(TrayStatusItemTest, ClicksGoToTheCallbackOnlyUntilAMenuIsAttached)
{
    Q_EMIT item.trayIcon().activated(QSystemTrayIcon::Trigger);
    Q_EMIT item.trayIcon().activated(QSystemTrayIcon::Context);
    EXPECT_EQ(clicks, 2);

    item.setMenu(controllerMenu());
    Q_EMIT item.trayIcon().activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(item.menu()->isVisible());
    EXPECT_EQ(opened, 1);
    item.menu()->hide();
}

TEST_F(TrayStatusItemTest, AReplacedMenuNoLongerFollowsTheOldTitleSource)
{
    item.setMenu(controllerMenu());
    StatusMenu fixed;
    fixed.entries = {entry(QStringLiteral("Settings"))};
    item.setMenu(fixed);
    // The first menu's actions are gone; a change of the old source must not reach them.
    source.setPauseTitle(QStringLiteral("Resume"));
    EXPECT_EQ(texts(*item.menu()), QStringList{"Settings"});
    item.setEntryEnabled(PauseTag, false);
}

#include "TrayStatusItemTest.moc"
