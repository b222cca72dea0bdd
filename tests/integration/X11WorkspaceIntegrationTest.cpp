#include "IntegrationDesktop.h"

#include "platform/linux/X11Workspace.h"
#include "support/WaitUntil.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace tavlen;
using tavlen::linux_platform::X11Workspace;
using tavlen::test::IntegrationDesktop;

namespace {

class X11WorkspaceIntegration : public test::DesktopTest {
protected:
    void SetUpOnDesktop() override
    {
        ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            << "xdotool is missing";
    }

    // Asks the window manager to activate the first visible window of a process.
    bool activate(qint64 pid)
    {
        QProcess search;
        search.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                 QStringLiteral("--pid"), QString::number(pid)});
        if (!search.waitForFinished(10000))
            return false;
        const QString window =
            QString::fromLatin1(search.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0);
        if (window.isEmpty())
            return false;
        return QProcess::execute(QStringLiteral("xdotool"),
                                 {QStringLiteral("windowactivate"), QStringLiteral("--sync"), window}) == 0;
    }
};

} // namespace

TEST_F(X11WorkspaceIntegration, FollowsTheActiveWindow)
{
    const auto isFrontmost = [](const X11Workspace& workspace, qint64 pid) {
        const std::optional<RunningApplication> front = workspace.frontmostApplication();
        return front && front->processIdentifier == pid;
    };
    // Geany in front before the workspace starts watching.
    {
        const X11Workspace probe;
        ASSERT_TRUE(activate(session->geanyPid()));
        ASSERT_TRUE(test::waitUntil([&] { return isFrontmost(probe, session->geanyPid()); }, 10000));
    }

    X11Workspace workspace;
    int changes = 0;
    QObject::connect(&workspace, &Workspace::frontmostApplicationChanged, [&] { ++changes; });

    ASSERT_TRUE(activate(session->qpdfviewPid()));
    ASSERT_TRUE(test::waitUntil([&] { return changes == 1; }, 10000)) << "no change was signalled";
    ASSERT_TRUE(isFrontmost(workspace, session->qpdfviewPid()));
    EXPECT_EQ(workspace.frontmostApplication()->identifier, QStringLiteral("qpdfview"));

    ASSERT_TRUE(activate(session->geanyPid()));
    ASSERT_TRUE(test::waitUntil([&] { return changes == 2; }, 10000)) << "no change was signalled";
    const std::optional<RunningApplication> front = workspace.frontmostApplication();
    ASSERT_TRUE(front);
    EXPECT_EQ(front->identifier, QStringLiteral("geany"));
    EXPECT_EQ(front->localizedName, QStringLiteral("Geany"));
    EXPECT_EQ(front->processIdentifier, session->geanyPid());
}

TEST_F(X11WorkspaceIntegration, ListsRunningApplicationsById)
{
    X11Workspace workspace;
    const QList<RunningApplication> geanies = workspace.runningApplications(QStringLiteral("geany"));
    ASSERT_FALSE(geanies.isEmpty());
    EXPECT_EQ(geanies.first().processIdentifier, session->geanyPid());
    for (const RunningApplication& application : geanies)
        EXPECT_EQ(application.identifier, QStringLiteral("geany"));
    EXPECT_TRUE(workspace.runningApplications(QStringLiteral("org.example.NotRunning")).isEmpty());
}
