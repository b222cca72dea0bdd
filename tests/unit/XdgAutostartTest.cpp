#include "platform/linux/XdgAutostart.h"
#include "core/LaunchAtLogin.h"
#include "platform/fake/FakeFileLocations.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/linux/DesktopEntry.h"
#include "platform/linux/DesktopEntryLauncher.h"
#include "platform/linux/LocalFileSystem.h"
#include "platform/linux/XdgFileLocations.h"
#include "support/TempEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

using tavlen::fake::FakeFileLocations;
using tavlen::fake::FakeFileSystem;
using tavlen::linux_platform::DesktopEntry;
using tavlen::linux_platform::DesktopEntryLauncher;
using tavlen::linux_platform::XdgAutostart;

namespace {

const QString ENTRY = QStringLiteral("/home/config/autostart/com.Fenwater.Tavlen.desktop");
const QString EXECUTABLE = QStringLiteral("/usr/bin/tavlen");

// The program and arguments a desktop session would start for the entry.
QStringList startedCommand(const QByteArray& entryBytes)
{
    const std::optional<DesktopEntry> entry = DesktopEntry::parse(entryBytes, QStringLiteral("C"));
    if (!entry)
        return {QStringLiteral("<not a desktop entry>")};
    return DesktopEntryLauncher::commandLine(*entry).value_or(QStringList{QStringLiteral("<no command>")});
}

class XdgAutostartTest : public ::testing::Test {
protected:
    FakeFileLocations locations{QStringLiteral("/home")};
    FakeFileSystem files;
    XdgAutostart autostart{locations, files, EXECUTABLE};
};

TEST_F(XdgAutostartTest, EnablingWritesAnEntryThatStartsTheExecutableAndDisablingRemovesIt)
{
    EXPECT_FALSE(autostart.isEnabled());
    ASSERT_TRUE(autostart.setEnabled(true));
    EXPECT_TRUE(files.isDirectory(QStringLiteral("/home/config/autostart")));
    const QByteArray bytes = files.file(ENTRY);
    EXPECT_EQ(startedCommand(bytes), QStringList{EXECUTABLE});
    EXPECT_TRUE(bytes.contains("\nExec=/usr/bin/tavlen\n"));
    EXPECT_TRUE(bytes.contains("\nX-GNOME-Autostart-enabled=true\n"));
    EXPECT_TRUE(bytes.contains("\nIcon=com.Fenwater.Tavlen\n"));
    EXPECT_TRUE(autostart.isEnabled());

    ASSERT_TRUE(autostart.setEnabled(false));
    EXPECT_FALSE(files.exists(ENTRY));
    EXPECT_FALSE(autostart.isEnabled());
    EXPECT_TRUE(autostart.setEnabled(false)) << "an entry that is already gone counts as removed";
}

TEST_F(XdgAutostartTest, ExecLineStartsExactlyTheExecutableWhateverItsPathHolds)
{
    for (const QString& path :
         {QStringLiteral("/opt/my apps/tavlen"), QStringLiteral(R"(/opt/"quoted"/it's/tavlen)"),
          QStringLiteral(R"(/opt/back\slash/$HOME/`id`/tavlen)"), QStringLiteral("/opt/100%/%F/tavlen"),
          QStringLiteral("/opt/tävlen (x86)/tavlen")}) {
        const std::optional<QByteArray> bytes = XdgAutostart::entryContents(path);
        ASSERT_TRUE(bytes.has_value()) << path.toStdString();
        EXPECT_EQ(startedCommand(*bytes), QStringList{path}) << bytes->constData();
    }
}

TEST_F(XdgAutostartTest, PathsThatCannotBeWrittenIntoAnExecLineAreRefused)
{
    for (const QString& path : {QString(), QStringLiteral("tavlen"), QStringLiteral("bin/tavlen"),
                                QStringLiteral("/opt/two\nlines/tavlen")}) {
        XdgAutostart refusing(locations, files, path);
        EXPECT_FALSE(refusing.setEnabled(true)) << path.toStdString();
    }
    EXPECT_TRUE(files.files().isEmpty());
}

TEST_F(XdgAutostartTest, EntriesTheSessionWouldNotStartCountAsDisabledAndAreRewrittenWhenEnabling)
{
    const QByteArray valid = *XdgAutostart::entryContents(EXECUTABLE);
    const QByteArray hidden = valid + "Hidden=true\n";
    const QByteArray switchedOff =
        QByteArray(valid).replace("X-GNOME-Autostart-enabled=true", "X-GNOME-Autostart-enabled=false");
    const QByteArray notAnEntry = "Exec=/usr/bin/tavlen\n";
    for (const QByteArray& stale : {hidden, switchedOff, notAnEntry}) {
        files.putFile(ENTRY, stale);
        EXPECT_FALSE(autostart.isEnabled()) << stale.constData();
        tavlen::applyLaunchAtLogin(true, autostart);
        EXPECT_EQ(files.file(ENTRY), valid);
        EXPECT_TRUE(autostart.isEnabled());
    }

    // The switch belongs to the main group only; another group's key of the same name is not it.
    files.putFile(ENTRY, valid + "\n[Desktop Action Other]\nX-GNOME-Autostart-enabled=false\n");
    EXPECT_TRUE(autostart.isEnabled());

    files.putFile(ENTRY, valid);
    files.failReading(ENTRY);
    EXPECT_FALSE(autostart.isEnabled());
}

TEST_F(XdgAutostartTest, FailuresAreReportedAndLeaveTheEarlierStateAsItWas)
{
    files.failMakingPath(QStringLiteral("/home/config/autostart"));
    EXPECT_FALSE(autostart.setEnabled(true));
    EXPECT_FALSE(files.exists(ENTRY));

    FakeFileSystem full;
    XdgAutostart onFullDisk(locations, full, EXECUTABLE);
    full.failWriting(ENTRY);
    EXPECT_FALSE(onFullDisk.setEnabled(true));
    EXPECT_FALSE(onFullDisk.isEnabled());

    FakeFileSystem locked;
    XdgAutostart onLockedFolder(locations, locked, EXECUTABLE);
    ASSERT_TRUE(onLockedFolder.setEnabled(true));
    locked.failRemoving(ENTRY);
    EXPECT_FALSE(onLockedFolder.setEnabled(false));
    EXPECT_TRUE(onLockedFolder.isEnabled());
}

TEST(XdgAutostartOnDisk, EntryLandsInTheUsersAutostartFolder)
{
    const tavlen::test::TempEnvironment environment;
    tavlen::linux_platform::XdgFileLocations locations;
    tavlen::linux_platform::LocalFileSystem files;
    XdgAutostart autostart(locations, files, QStringLiteral("/opt/Tavlen app/bin/tavlen"));
    const QString path = environment.configHome() + QStringLiteral("/autostart/com.Fenwater.Tavlen.desktop");

    ASSERT_EQ(autostart.entryPath(), path);
    ASSERT_TRUE(autostart.setEnabled(true));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(startedCommand(file.readAll()), QStringList{QStringLiteral("/opt/Tavlen app/bin/tavlen")});
    EXPECT_TRUE(autostart.isEnabled());

    ASSERT_TRUE(autostart.setEnabled(false));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(autostart.isEnabled());
}

} // namespace
