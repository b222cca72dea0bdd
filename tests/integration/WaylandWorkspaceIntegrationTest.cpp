#include "WaylandDesktop.h"
#include "platform/linux/AtspiWorkspace.h"
#include "support/WaitUntil.h"

#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

using namespace tavlen;
using tavlen::test::waitUntil;
using tavlen::test::WaylandDesktop;

namespace {

bool frontmostIs(const Workspace& workspace, const QProcess* process)
{
    const std::optional<RunningApplication> frontmost = workspace.frontmostApplication();
    return process && frontmost && frontmost->processIdentifier == process->processId();
}

} // namespace

// Native Wayland windows are unknown to EWMH; the accessibility bus names the one in front,
// follows the focus to another application, and tavlenctl reads the menus of the one in front.
TEST(WaylandWorkspaceIntegration, TheAccessibilityBusFollowsTheNativeWindowInFront)
{
    if (const QString reason = WaylandDesktop::unavailableReason(); !reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    WaylandDesktop desktop;
    QString error;
    ASSERT_TRUE(desktop.start(error)) << error.toStdString();

    linux_platform::AtspiWorkspace workspace;
    ASSERT_TRUE(workspace.start(desktop.bus()));
    int changes = 0;
    QObject::connect(&workspace, &Workspace::frontmostApplicationChanged, [&changes] { ++changes; });

    // An empty desktop has nothing in front; from here on the events tell.
    EXPECT_FALSE(workspace.frontmostApplication());
    QProcess* first = desktop.startGeany(QStringLiteral("first"));
    ASSERT_TRUE(first);
    ASSERT_TRUE(waitUntil([&] { return frontmostIs(workspace, first); }, 30000));
    EXPECT_EQ(workspace.frontmostApplication()->identifier, QStringLiteral("geany"));
    EXPECT_EQ(changes, 1);

    QProcess ctl;
    QProcessEnvironment environment = desktop.environment();
    ctl.setProcessEnvironment(environment);
    ctl.start(QStringLiteral(TAVLENCTL_PATH),
              {QStringLiteral("sheet"), QStringLiteral("--format"), QStringLiteral("markdown")});
    ASSERT_TRUE(ctl.waitForFinished(40000));
    const QString sheet = QString::fromUtf8(ctl.readAllStandardOutput());
    EXPECT_EQ(ctl.exitCode(), 0) << ctl.readAllStandardError().toStdString();
    EXPECT_TRUE(sheet.contains(QStringLiteral("Geany")) &&
                sheet.contains(QStringLiteral("Open Selected File")))
        << sheet.toStdString();

    // The resident Tavlen on this desktop (its windows offscreen: the desktop has no XWayland)
    // says how the gesture reaches it, and shows the panel of the application in front.
    QProcessEnvironment offscreen;
    offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QString tavlenPath = QStringLiteral(TAVLEN_APP_PATH);
    ASSERT_TRUE(desktop.launch(tavlenPath, {QStringLiteral("--verbose")}, offscreen));
    ASSERT_TRUE(waitUntil(
        [&] { return desktop.logOf(tavlenPath).contains(QStringLiteral("This Wayland session")); }, 30000))
        << desktop.logOf(tavlenPath).toStdString();
    QProcess relay;
    relay.setProcessEnvironment(environment);
    relay.start(tavlenPath, {QStringLiteral("--show-shortcuts")});
    ASSERT_TRUE(relay.waitForFinished(30000));
    EXPECT_EQ(relay.exitCode(), 0) << relay.readAllStandardError().toStdString();
    EXPECT_TRUE(waitUntil(
        [&] { return desktop.logOf(tavlenPath).contains(QStringLiteral("shortcut panel: geany")); }, 30000))
        << desktop.logOf(tavlenPath).toStdString();

    // Without a virtual keyboard nothing can type here (there is no XWayland), and Tavlen
    // says so once.
    if (!QFileInfo(QStringLiteral("/dev/uinput")).isWritable()) {
        EXPECT_EQ(desktop.logOf(tavlenPath).count(QStringLiteral("cannot type custom shortcuts")), 1)
            << desktop.logOf(tavlenPath).toStdString();
    }
    QProcess* second = desktop.startGeany(QStringLiteral("second"));
    ASSERT_TRUE(second);
    EXPECT_TRUE(waitUntil([&] { return frontmostIs(workspace, second); }, 30000));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(workspace.runningApplications(QStringLiteral("geany")).size(), 2);

    // The application in front quitting leaves no application named that is gone.
    second->terminate();
    EXPECT_TRUE(waitUntil([&] { return !frontmostIs(workspace, second); }, 30000));
}
