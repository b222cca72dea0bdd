#include "platform/linux/DesktopSettingsOpener.h"
#include "platform/fake/FakeApplicationDirectory.h"
#include "platform/fake/FakeApplicationLauncher.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace tavlen;
using linux_platform::DesktopSettingsOpener;
using Panel = SystemSettingsOpener::Panel;

namespace {

class DesktopSettingsOpenerTest : public ::testing::Test {
protected:
    void install(const QString& id)
    {
        applications.install({id, id,
                              QStringLiteral("/usr/share/applications/") + id + QStringLiteral(".desktop"),
                              QString()});
    }

    fake::FakeApplicationDirectory applications;
    fake::FakeApplicationLauncher launcher;
};

} // namespace

TEST_F(DesktopSettingsOpenerTest, OpensTheSessionDesktopsOwnPage)
{
    install(QStringLiteral("gnome-universal-access-panel"));
    install(QStringLiteral("gnome-notifications-panel"));
    install(QStringLiteral("kcm_access"));
    install(QStringLiteral("kcm_autostart"));
    DesktopSettingsOpener opener(applications, launcher, {QStringLiteral("ubuntu"), QStringLiteral("GNOME")});

    EXPECT_TRUE(opener.canOpen(Panel::accessibility));
    EXPECT_TRUE(opener.open(Panel::accessibility));
    EXPECT_TRUE(opener.open(Panel::notifications));
    // KDE's autostart page would change KDE's list, not GNOME's: not offered.
    EXPECT_FALSE(opener.canOpen(Panel::autostart));
    EXPECT_FALSE(opener.open(Panel::autostart));
    EXPECT_EQ(launcher.launches(),
              (QStringList{"gnome-universal-access-panel", "gnome-notifications-panel"}));

    // Desktop names are matched as XDG_CURRENT_DESKTOP spells them, in any case.
    DesktopSettingsOpener kde(applications, launcher, {QStringLiteral("kde")});
    EXPECT_TRUE(kde.open(Panel::autostart));
    EXPECT_EQ(launcher.launches().last(), QStringLiteral("kcm_autostart"));
}

TEST_F(DesktopSettingsOpenerTest, AnUnknownDesktopTakesAnyInstalledPage)
{
    install(QStringLiteral("mate-notification-properties"));
    for (const QStringList& desktops : {QStringList{QStringLiteral("i3")}, QStringList{}}) {
        DesktopSettingsOpener opener(applications, launcher, desktops);
        EXPECT_TRUE(opener.canOpen(Panel::notifications));
        EXPECT_FALSE(opener.canOpen(Panel::accessibility));
        EXPECT_TRUE(opener.open(Panel::notifications));
        EXPECT_EQ(launcher.launches().last(), QStringLiteral("mate-notification-properties"));
    }
}

TEST_F(DesktopSettingsOpenerTest, AnEntryThatDoesNotStartLeavesTheNextOneItsChance)
{
    install(QStringLiteral("xfce-session-settings"));
    install(QStringLiteral("xfce4-session-settings"));
    DesktopSettingsOpener opener(applications, launcher, {QStringLiteral("XFCE")});
    launcher.setSucceeds(false);
    EXPECT_FALSE(opener.open(Panel::autostart));
    EXPECT_EQ(launcher.launches(), (QStringList{"xfce-session-settings", "xfce4-session-settings"}));

    // Nothing installed: nothing started, and said so.
    DesktopSettingsOpener bare(applications, launcher, {QStringLiteral("XFCE")});
    launcher.setSucceeds(true);
    EXPECT_FALSE(bare.open(Panel::accessibility));
    EXPECT_EQ(launcher.launches().size(), 2);
}
