#pragma once

#include "harvest/InlineMenuReader.h"
#include "harvest/MenuSource.h"
#include "platform/NotificationCenter.h"
#include "platform/fake/FakeAccessibility.h"
#include "platform/fake/FakeApplicationDirectory.h"
#include "platform/fake/FakeApplicationLauncher.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeKeySender.h"
#include "platform/fake/FakeKeyboardLayout.h"
#include "platform/fake/FakeTimers.h"
#include "platform/fake/FakeUserDefaults.h"
#include "platform/fake/FakeWindowActivator.h"
#include "platform/fake/FakeWorkspace.h"
#include "settings/AppSettings.h"
#include "sheet/RowServices.h"
#include "support/StoreTestSupport.h"

#include <QDir>
#include <QStringList>
#include <gtest/gtest.h>

namespace tavlen::test {

// Everything a sheet row acts through: a real store in a temporary folder, fakes for the rest.
class SheetRowFixture : public ::testing::Test {
protected:
    SheetRowFixture()
        : settings(defaults, storeSupport.locations, settingsFiles, applications,
                   [](const char*) { return std::optional<QString>(); })
        , store(storeSupport.open())
        , timers(&clock)
        , activator(&workspace)
    {}

    RowServices services()
    {
        return RowServices{store,
                           settings,
                           accessibility,
                           menuSource,
                           applications,
                           launcher,
                           notifications,
                           storeSupport.locations,
                           storeSupport.files,
                           keyboard,
                           clock,
                           workspace,
                           keySender,
                           activator,
                           timers};
    }

    // Rows of the Hotkeys table for one application as "title:bookmarked:hidden:used".
    QStringList hotkeyRows(const QString& appId) const
    {
        return storeSupport.column(
            QStringLiteral(
                R"(SELECT "title" || ':' || "is_bookmarked" || ':' || "is_hidden" || ':' || "used" )"
                R"(FROM "Hotkeys" WHERE "app_id" = '%1' ORDER BY "title")")
                .arg(appId));
    }

    // The files written into the CustomShortcuts application's request folder.
    QStringList editRequests() const
    {
        return QDir(*storeSupport.locations.applicationSupport() +
                    QStringLiteral("/com.houdah.CustomShortcuts/EditRequests"))
            .entryList(QDir::Files);
    }

    void installCustomShortcuts()
    {
        applications.install({QStringLiteral("com.houdah.CustomShortcuts"), QStringLiteral("CustomShortcuts"),
                              QStringLiteral("/apps/com.houdah.CustomShortcuts.desktop"), QString()});
    }

    StoreTestSupport storeSupport;
    fake::FakeUserDefaults defaults;
    fake::FakeFileSystem settingsFiles;
    fake::FakeApplicationDirectory applications;
    AppSettings settings;
    DatabaseManager& store;
    fake::FakeAccessibility accessibility;
    fake::FakeApplicationLauncher launcher;
    NotificationCenter notifications;
    fake::FakeKeyboardLayout keyboard;
    fake::FakeClock clock;
    fake::FakeTimers timers;
    fake::FakeWorkspace workspace;
    fake::FakeKeySender keySender;
    fake::FakeWindowActivator activator;
    // Reads on the test's thread: a sheet is loaded when loadSheet returns.
    InlineMenuReader menuReader{accessibility};
    MenuSource menuSource{menuReader, timers, clock};
};

} // namespace tavlen::test
