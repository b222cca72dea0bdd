#pragma once

#include "harvest/MenuItem.h"
#include "platform/fake/FakeFileSystem.h"
#include "support/FakeDesktop.h"
#include "support/StoreTestSupport.h"

#include <QDir>
#include <QStringList>
#include <gtest/gtest.h>

namespace tavlen::test {

// Everything a sheet row acts through: a real store in a temporary folder, fakes for the rest.
class SheetRowFixture : public ::testing::Test, protected FakeDesktop {
protected:
    SheetRowFixture()
        : settings(makeSettings(storeSupport.locations, settingsFiles)), store(storeSupport.open())
    {}

    RowServices services()
    {
        return rowServices(store, settings, storeSupport.locations, storeSupport.files);
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

    // The keyed element "Save" (⌘ S) of an application's File menu, pressable through the fake
    // accessibility once that application is installed there.
    MenuItem fileSaveElement(qint64 pid, bool isActive = true)
    {
        MenuItem element;
        element.title = QStringLiteral("Save");
        element.keys = QStringLiteral("⌘ S");
        element.hotkeys = Hotkey{'S', 0, 0, 'S', 0, 0};
        element.parentTitles = {QStringLiteral("File")};
        element.level = 2;
        element.isActive = isActive;
        element.axuieElement =
            accessibility.findElement(pid, {QStringLiteral("File"), QStringLiteral("Save")});
        EXPECT_FALSE(element.axuieElement.isNull());
        return element;
    }

    void installCustomShortcuts()
    {
        applications.install({QStringLiteral("com.houdah.CustomShortcuts"), QStringLiteral("CustomShortcuts"),
                              QStringLiteral("/apps/com.houdah.CustomShortcuts.desktop"), QString()});
    }

    StoreTestSupport storeSupport;
    fake::FakeFileSystem settingsFiles;
    AppSettings settings;
    DatabaseManager& store;
};

} // namespace tavlen::test
