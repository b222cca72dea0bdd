#include "platform/linux/DesktopEntryLauncher.h"

#include "support/TempEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using tavlen::linux_platform::DesktopEntry;
using tavlen::linux_platform::DesktopEntryDirectory;
using tavlen::linux_platform::DesktopEntryLauncher;

namespace {

DesktopEntry entryWithExec(const QString& exec)
{
    DesktopEntry entry;
    entry.id = QStringLiteral("org.example.Tool");
    entry.path = QStringLiteral("/apps/org.example.Tool.desktop");
    entry.type = QStringLiteral("Application");
    entry.name = QStringLiteral("The Tool");
    entry.icon = QStringLiteral("tool");
    entry.exec = exec;
    return entry;
}

TEST(DesktopEntryLauncher, CommandLineExpandsFieldCodesForNoFiles)
{
    EXPECT_EQ(DesktopEntryLauncher::commandLine(entryWithExec(QStringLiteral("tool %U --new-window"))),
              (QStringList{QStringLiteral("tool"), QStringLiteral("--new-window")}));
    EXPECT_EQ(
        DesktopEntryLauncher::commandLine(
            entryWithExec(QStringLiteral(R"("/opt/my tool/run" %i --title=%c --from %k 100%%)"))),
        (QStringList{QStringLiteral("/opt/my tool/run"), QStringLiteral("--icon"), QStringLiteral("tool"),
                     QStringLiteral("--title=The Tool"), QStringLiteral("--from"),
                     QStringLiteral("/apps/org.example.Tool.desktop"), QStringLiteral("100%")}));
    EXPECT_EQ(DesktopEntryLauncher::commandLine(entryWithExec(QStringLiteral("%F"))), std::nullopt);
    EXPECT_EQ(DesktopEntryLauncher::commandLine(entryWithExec(QString())), std::nullopt);
}

TEST(DesktopEntryLauncher, LaunchesOnlyInstalledApplications)
{
    tavlen::test::TempEnvironment env;
    env.set("XDG_DATA_DIRS", (env.root() + QStringLiteral("/none")).toUtf8());
    const QString folder = env.dataHome() + QStringLiteral("/applications");
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile file(folder + QStringLiteral("/org.example.Tool.desktop"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Desktop Entry]\nType=Application\nName=Tool\nExec=tool --open %u\n");
    file.close();

    QList<QStringList> started;
    bool starts = true;
    const DesktopEntryDirectory directory(QStringLiteral("C"));
    DesktopEntryLauncher launcher(directory, [&](const QString& program, const QStringList& arguments) {
        started.append(QStringList{program} + arguments);
        return starts;
    });

    EXPECT_TRUE(launcher.launch(QStringLiteral("org.example.Tool")));
    EXPECT_FALSE(launcher.launch(QStringLiteral("org.example.Missing")));
    starts = false;
    EXPECT_FALSE(launcher.launch(QStringLiteral("org.example.Tool")));
    EXPECT_EQ(started, (QList<QStringList>{{QStringLiteral("tool"), QStringLiteral("--open")},
                                           {QStringLiteral("tool"), QStringLiteral("--open")}}));
}

} // namespace
