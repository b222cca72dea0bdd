#pragma once

#include "harvest/InlineMenuReader.h"
#include "harvest/MenuSource.h"
#include "platform/ApplicationAccess.h"
#include "platform/NotificationCenter.h"
#include "platform/fake/FakeAccessibility.h"
#include "platform/fake/FakeApplicationDirectory.h"
#include "platform/fake/FakeApplicationLauncher.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeInstanceLock.h"
#include "platform/fake/FakeKeyEventSource.h"
#include "platform/fake/FakeKeySender.h"
#include "platform/fake/FakeKeyboardLayout.h"
#include "platform/fake/FakeLoginItems.h"
#include "platform/fake/FakeTimers.h"
#include "platform/fake/FakeUserDefaults.h"
#include "platform/fake/FakeWindowActivator.h"
#include "platform/fake/FakeWorkspace.h"
#include "settings/AppSettings.h"
#include "sheet/RowServices.h"

namespace tavlen::test {

// The desktop a harvest, a sheet and its rows see, all in memory: the applications and their
// accessibility trees, the one in front, the keyboard, keys typed and windows brought forward,
// time moved by hand, and a menu source that reads on the caller's thread (a sheet is loaded
// when loadSheet returns); for the resident agent also the keys it hears in other applications
// and in its own windows, its single-instance lock and the login items. Fixtures and benchmarks
// derive from it and add a store.
struct FakeDesktop {
    fake::FakeUserDefaults defaults;
    fake::FakeApplicationDirectory applications;
    fake::FakeAccessibility accessibility;
    fake::FakeApplicationLauncher launcher;
    NotificationCenter notifications;
    fake::FakeKeyboardLayout keyboard;
    fake::FakeClock clock;
    fake::FakeTimers timers{&clock};
    fake::FakeWorkspace workspace;
    fake::FakeKeySender keySender;
    fake::FakeWindowActivator activator{&workspace};
    fake::FakeKeyEventSource globalKeys;
    fake::FakeKeyEventSource localKeys;
    fake::FakeInstanceLock lock;
    fake::FakeLoginItems loginItems;
    InlineMenuReader menuReader{accessibility};
    MenuSource menuSource{menuReader, timers, clock};

    // Settings on the fake user defaults, with no built-in values for missing keys.
    AppSettings makeSettings(const FileLocations& locations, FileSystem& files)
    {
        return AppSettings(defaults, locations, files, applications,
                           [](const char*) { return std::optional<QString>(); });
    }

    // An application that never joined the accessibility bus; its loaded libraries name the toolkit.
    void takeOffBus(qint64 pid, const QString& toolkit)
    {
        ApplicationAccess offBus;
        offBus.onBus = false;
        offBus.toolkit = toolkit;
        accessibility.setApplicationAccess(pid, offBus);
    }

    RowServices rowServices(DatabaseManager& store, AppSettings& settings, const FileLocations& locations,
                            FileSystem& files)
    {
        return RowServices{store,    settings,      accessibility, menuSource, applications,
                           launcher, notifications, locations,     files,      keyboard,
                           clock,    workspace,     keySender,     activator,  timers};
    }
};

} // namespace tavlen::test
