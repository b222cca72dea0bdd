#pragma once

#include "platform/MenuFixture.h"
#include "platform/fake/FakeFileLocations.h"
#include "platform/linux/LocalFileSystem.h"
#include "store/DatabaseManager.h"
#include "support/FakeDesktop.h"

#include <QTemporaryDir>

namespace tavlen::bench {

// What a harvest or a sheet needs, as the benchmarks run it: a real store on a file in a
// temporary folder, default settings, and the in-memory desktop with one application on it.
struct BenchHarness : test::FakeDesktop {
    explicit BenchHarness(const MenuFixture& fixture)
        : locations(dir.path()), settings(makeSettings(locations, files)), store(locations, files)
    {
        // The log of calls would cost more than the calls.
        accessibility.setLoggingCalls(false);
        accessibility.addApplication(fixture);
        workspace.setFrontmostApplication(fixture.application);
    }

    RowServices services() { return rowServices(store, settings, locations, files); }

    QTemporaryDir dir;
    fake::FakeFileLocations locations;
    linux_platform::LocalFileSystem files;
    AppSettings settings;
    DatabaseManager store;
};

} // namespace tavlen::bench
