#include "WaylandDesktop.h"
#include "platform/linux/AtspiWorkspace.h"
#include "support/WaitUntil.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
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

    // Before Tavlen's panel: a Wayland window started within moments of the panel closing got no
    // focus from this headless compositor (three seconds later it did).
    QProcess* second = desktop.startGeany(QStringLiteral("second"));
    ASSERT_TRUE(second);
    EXPECT_TRUE(waitUntil([&] { return frontmostIs(workspace, second); }, 30000));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(workspace.runningApplications(QStringLiteral("geany")).size(), 2);

    // The resident Tavlen on this desktop says how the gesture reaches it, and shows the panel
    // of the application in front: through XWayland, centred on the screen as under X11;
    // offscreen where there is no XWayland.
    QProcessEnvironment display = desktop.xwayland();
    if (display.isEmpty())
        display.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QString tavlenPath = QStringLiteral(TAVLEN_APP_PATH);
    ASSERT_TRUE(desktop.launch(tavlenPath, {QStringLiteral("--verbose")}, display));
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
    if (!desktop.xwayland().isEmpty()) {
        static const QRegularExpression placed(
            QStringLiteral("shortcut panel: geany: .*\\((\\d+)×(\\d+) at (\\d+),(\\d+)\\)"));
        const QRegularExpressionMatch panel = placed.match(desktop.logOf(tavlenPath));
        ASSERT_TRUE(panel.hasMatch()) << desktop.logOf(tavlenPath).toStdString();
        EXPECT_NEAR(panel.captured(3).toInt(), (1440 - panel.captured(1).toInt()) / 2, 1);
        EXPECT_NEAR(panel.captured(4).toInt(), (900 - panel.captured(2).toInt()) / 2, 1);
    }

    // Tavlen says once how far custom shortcuts reach here: nowhere, or X11 windows alone.
    if (!QFileInfo(QStringLiteral("/dev/uinput")).isWritable()) {
        const QString log = desktop.logOf(tavlenPath);
        EXPECT_EQ(log.count(QStringLiteral("cannot type custom shortcuts")) +
                      log.count(QStringLiteral("custom shortcuts reach X11 (XWayland) applications only")),
                  1)
            << log.toStdString();
    }

    // No key reaches Tavlen here: the command that opened the panel closes it.
    relay.start(tavlenPath, {QStringLiteral("--show-shortcuts")});
    ASSERT_TRUE(relay.waitForFinished(30000));
    EXPECT_TRUE(waitUntil(
        [&] { return desktop.logOf(tavlenPath).endsWith(QStringLiteral("shortcut panel: hidden\n")); },
        10000))
        << desktop.logOf(tavlenPath).toStdString();

    // The panel the command opened has the keyboard: the next key typed closes it.
    if (!desktop.xwayland().isEmpty()) {
        const qsizetype shown = desktop.logOf(tavlenPath).count(QStringLiteral("shortcut panel: geany"));
        relay.start(tavlenPath, {QStringLiteral("--show-shortcuts")});
        ASSERT_TRUE(relay.waitForFinished(30000));
        ASSERT_TRUE(waitUntil(
            [&] { return desktop.logOf(tavlenPath).count(QStringLiteral("shortcut panel: geany")) > shown; },
            30000))
            << desktop.logOf(tavlenPath).toStdString();
        constexpr quint32 downArrow = 0xff54;
        // The focus moves to the panel once it is on screen; a key typed before reaches Geany.
        EXPECT_TRUE(waitUntil(
            [&] {
                desktop.typeKeysym(downArrow);
                return desktop.logOf(tavlenPath).endsWith(QStringLiteral("shortcut panel: hidden\n"));
            },
            10000))
            << desktop.logOf(tavlenPath).toStdString();
    }

    // The application in front quitting leaves no application named that is gone.
    second->terminate();
    EXPECT_TRUE(waitUntil([&] { return !frontmostIs(workspace, second); }, 30000));
}
