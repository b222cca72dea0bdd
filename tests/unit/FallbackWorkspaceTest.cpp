#include "platform/linux/FallbackWorkspace.h"
#include "platform/fake/FakeWorkspace.h"

#include <gtest/gtest.h>

using namespace tavlen;

namespace {

RunningApplication app(const char* id, qint64 process)
{
    return RunningApplication{QString::fromLatin1(id), QString(), process};
}

} // namespace

TEST(FallbackWorkspace, TheFallbackSpeaksOnlyWhileThePrimaryNamesNothing)
{
    fake::FakeWorkspace windowManager;
    fake::FakeWorkspace accessibility;
    linux_platform::FallbackWorkspace workspace(windowManager, accessibility);
    int changes = 0;
    QObject::connect(&workspace, &Workspace::frontmostApplicationChanged, [&changes] { ++changes; });

    accessibility.setFrontmostApplication(app("geany", 20));
    EXPECT_EQ(workspace.frontmostApplication(), app("geany", 20));
    EXPECT_EQ(changes, 1);

    windowManager.setFrontmostApplication(app("xterm", 10));
    EXPECT_EQ(workspace.frontmostApplication(), app("xterm", 10));
    EXPECT_EQ(changes, 2);

    // The fallback's opinion no longer counts while the primary has one.
    accessibility.setFrontmostApplication(app("gedit", 30));
    EXPECT_EQ(workspace.frontmostApplication(), app("xterm", 10));
    EXPECT_EQ(changes, 2);
}

TEST(FallbackWorkspace, ListsTheRunningApplicationsOfBothEachProcessOnce)
{
    fake::FakeWorkspace windowManager;
    fake::FakeWorkspace accessibility;
    windowManager.setRunningApplications({app("geany", 10), app("xterm", 11)});
    accessibility.setRunningApplications({app("geany", 10), app("geany", 12)});
    const linux_platform::FallbackWorkspace workspace(windowManager, accessibility);

    EXPECT_EQ(workspace.runningApplications(QStringLiteral("geany")),
              (QList<RunningApplication>{app("geany", 10), app("geany", 12)}));
    EXPECT_TRUE(workspace.runningApplications(QStringLiteral("gedit")).isEmpty());
}
