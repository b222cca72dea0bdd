#pragma once

#include "harvest/InlineMenuReader.h"
#include "harvest/MenuFixture.h"
#include "harvest/MenuSource.h"
#include "platform/NotificationCenter.h"
#include "platform/fake/FakeAccessibility.h"
#include "platform/fake/FakeApplicationDirectory.h"
#include "platform/fake/FakeApplicationLauncher.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeFileLocations.h"
#include "platform/fake/FakeKeySender.h"
#include "platform/fake/FakeKeyboardLayout.h"
#include "platform/fake/FakeTimers.h"
#include "platform/fake/FakeUserDefaults.h"
#include "platform/fake/FakeWindowActivator.h"
#include "platform/fake/FakeWorkspace.h"
#include "platform/linux/LocalFileSystem.h"
#include "settings/AppSettings.h"
#include "sheet/RowServices.h"
#include "store/DatabaseManager.h"

#include <QTemporaryDir>

namespace tavlen::bench {

// What a harvest or a sheet needs, as the benchmarks run it: a real store on a file in a
// temporary folder, default settings, and the in-memory desktop with one application on it.
struct BenchHarness {
    explicit BenchHarness(const MenuFixture& fixture)
        : locations(dir.path())
        , settings(defaults, locations, files, applications,
                   [](const char*) { return std::optional<QString>(); })
        , store(locations, files)
        , timers(&clock)
        , activator(&workspace)
    {
        // The log of calls would cost more than the calls.
        accessibility.setLoggingCalls(false);
        accessibility.addApplication(fixture);
        workspace.setFrontmostApplication(fixture.application);
    }

    RowServices services()
    {
        return RowServices{store,    settings,      accessibility, menuSource, applications,
                           launcher, notifications, locations,     files,      keyboard,
                           clock,    workspace,     keySender,     activator,  timers};
    }

    QTemporaryDir dir;
    fake::FakeFileLocations locations;
    linux_platform::LocalFileSystem files;
    fake::FakeUserDefaults defaults;
    fake::FakeApplicationDirectory applications;
    AppSettings settings;
    DatabaseManager store;
    fake::FakeAccessibility accessibility;
    fake::FakeApplicationLauncher launcher;
    NotificationCenter notifications;
    fake::FakeKeyboardLayout keyboard;
    fake::FakeClock clock;
    fake::FakeTimers timers;
    fake::FakeWorkspace workspace;
    fake::FakeKeySender keySender;
    fake::FakeWindowActivator activator;
    InlineMenuReader menuReader{accessibility};
    MenuSource menuSource{menuReader, timers, clock};
};

} // namespace tavlen::bench
