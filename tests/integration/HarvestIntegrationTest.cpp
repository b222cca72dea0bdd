#include "IntegrationDesktop.h"

#include "harvest/HotkeyManager.h"
#include "platform/fake/FakeApplicationDirectory.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeFileLocations.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeUserDefaults.h"
#include "platform/linux/X11Workspace.h"
#include "settings/AppSettings.h"
#include "support/StoreTestSupport.h"

#include <gtest/gtest.h>

using namespace tavlen;
using tavlen::test::IntegrationDesktop;

namespace {

const MenuItem* find(const QList<MenuItem>& items, const QStringList& path)
{
    const QList<MenuItem>* level = &items;
    const MenuItem* found = nullptr;
    for (const QString& title : path) {
        found = nullptr;
        for (const MenuItem& item : *level) {
            if (item.title == title) {
                found = &item;
                break;
            }
        }
        if (!found)
            return nullptr;
        level = &found->submenu;
    }
    return found;
}

// The harvest of real applications, through the real adapter and workspace.
class HarvestIntegration : public ::testing::Test {
protected:
    HarvestIntegration()
        : settings(defaults, locations, files, applications,
                   [](const char*) { return std::optional<QString>(); })
        , store(storeSupport.open())
    {}

    void SetUp() override
    {
        if (!IntegrationDesktop::skipReason().isEmpty())
            GTEST_SKIP() << IntegrationDesktop::skipReason().toStdString();
        session = IntegrationDesktop::session();
        ASSERT_NE(session, nullptr) << IntegrationDesktop::startError().toStdString();
    }

    QList<MenuItem> harvest(const QString& identifier)
    {
        HotkeyManager manager(identifier, identifier, session->accessibility(), workspace, store, settings,
                              clock);
        return HotkeyManager::pruneMenuItems(manager.harvestMenuBar(identifier));
    }

    std::optional<QString> keysAt(const QList<MenuItem>& items, const QStringList& path)
    {
        const MenuItem* item = find(items, path);
        return item ? item->keys : std::optional<QString>(QStringLiteral("<missing>"));
    }

    fake::FakeUserDefaults defaults;
    fake::FakeFileLocations locations{QStringLiteral("/home")};
    fake::FakeFileSystem files;
    fake::FakeApplicationDirectory applications;
    AppSettings settings;
    test::StoreTestSupport storeSupport;
    DatabaseManager& store;
    linux_platform::X11Workspace workspace;
    fake::FakeClock clock;
    test::DesktopSession* session = nullptr;
};

} // namespace

TEST_F(HarvestIntegration, GeanyFromFirstMenuToLast)
{
    const QList<MenuItem> items = harvest(QStringLiteral("geany"));
    ASSERT_FALSE(items.isEmpty());
    EXPECT_EQ(items.first().title, QStringLiteral("File"));
    EXPECT_EQ(items.last().title, QStringLiteral("Help"));
    EXPECT_EQ(keysAt(items, {QStringLiteral("File"), QStringLiteral("New")}), QStringLiteral("⌃ N"));
    EXPECT_EQ(keysAt(items, {QStringLiteral("File"), QStringLiteral("Open Selected File")}),
              QStringLiteral("⌃⇧ O"));
    EXPECT_EQ(keysAt(items, {QStringLiteral("Edit"), QStringLiteral("Copy")}), QStringLiteral("⌃ C"));
    EXPECT_EQ(keysAt(items, {QStringLiteral("Help"), QStringLiteral("Help")}), QStringLiteral("F1"));
    // Entries with only a mnemonic are pruned.
    EXPECT_EQ(find(items, {QStringLiteral("File"), QStringLiteral("Save As...")}), nullptr);
    const MenuItem* save = find(items, {QStringLiteral("File"), QStringLiteral("Save")});
    ASSERT_NE(save, nullptr);
    EXPECT_FALSE(save->isActive);
}

TEST_F(HarvestIntegration, QpdfviewThroughItsNamelessPopupMenus)
{
    const QList<MenuItem> items = harvest(QStringLiteral("qpdfview"));
    ASSERT_FALSE(items.isEmpty());
    EXPECT_EQ(items.first().title, QStringLiteral("File"));
    EXPECT_EQ(keysAt(items, {QStringLiteral("File"), QStringLiteral("Refresh")}), QStringLiteral("F5"));
    EXPECT_EQ(keysAt(items, {QStringLiteral("Edit"), QStringLiteral("Find previous")}),
              QStringLiteral("⇧ F3"));
    EXPECT_EQ(keysAt(items, {QStringLiteral("Edit"), QStringLiteral("Jump backward")}),
              QStringLiteral("⌃ ⏎"));
}
