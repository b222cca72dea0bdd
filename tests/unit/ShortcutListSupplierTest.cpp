#include "harvest/linux/ShortcutListSupplier.h"

#include "harvest/linux/SuppliedGroup.h"
#include "platform/fake/FakeDataFolders.h"
#include "platform/fake/FakeFileSystem.h"
#include "support/MenuItemSearch.h"

#include <gtest/gtest.h>

using tavlen::MenuItem;
using tavlen::SupplierRequest;
using tavlen::fake::FakeDataFolders;
using tavlen::fake::FakeFileSystem;
using tavlen::linux_harvest::ShortcutListSupplier;
using tavlen::linux_harvest::SuppliedGroup;
using tavlen::test::find;
using tavlen::test::titlesOf;

namespace {

const QString HOME_LIST = QStringLiteral("/home/share/tavlen/shortcuts/org.example.Editor.json");
const QString SYSTEM_LIST = QStringLiteral("/usr/share/tavlen/shortcuts/org.example.Editor.json");
const QDateTime MORNING = QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC);

QByteArray listWith(const char* groupTitle, const char* shortcuts)
{
    return QByteArray(R"({"version": 1, "groups": [{"title": ")") + groupTitle + R"(", "shortcuts": [)" +
           shortcuts + "]}]}";
}

class ShortcutListSupplierTest : public ::testing::Test {
protected:
    void put(const QString& path, const QByteArray& bytes, const QDateTime& modified = MORNING)
    {
        files.putFile(path, bytes);
        folders.setLastModified(path, modified);
    }

    QList<MenuItem> groups(const QString& id = QStringLiteral("org.example.Editor"),
                           const QList<MenuItem>& menus = {})
    {
        return supplier.groups(SupplierRequest{4242, id}, menus);
    }

    FakeDataFolders folders{
        {QStringLiteral("/home/share"), QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")}};
    FakeFileSystem files;
    ShortcutListSupplier supplier{folders, files};
};

TEST_F(ShortcutListSupplierTest, TheUsersListStandsInForTheSystemsAndIdsNamingOtherFilesFindNothing)
{
    put(SYSTEM_LIST, listWith("Shipped", R"({"title": "Indent", "accelerator": "<Primary>i"})"));
    EXPECT_EQ(titlesOf(groups()), QStringList{QStringLiteral("Shipped")});

    put(HOME_LIST, listWith("Mine", R"({"title": "Indent", "accelerator": "<Primary>i"})"));
    EXPECT_EQ(supplier.listFile(QStringLiteral("org.example.Editor")), HOME_LIST);
    EXPECT_EQ(titlesOf(groups()), QStringList{QStringLiteral("Mine")});

    folders.remove(HOME_LIST);
    EXPECT_EQ(titlesOf(groups()), QStringList{QStringLiteral("Shipped")});

    put(QStringLiteral("/usr/share/tavlen/secret.json"),
        listWith("Elsewhere", R"({"title": "Indent", "accelerator": "<Primary>i"})"));
    for (const QString& id :
         {QStringLiteral("../secret"), QStringLiteral(".."), QString(), QStringLiteral("unknown")}) {
        EXPECT_FALSE(supplier.listFile(id)) << id.toStdString();
        EXPECT_TRUE(groups(id).isEmpty()) << id.toStdString();
    }
}

TEST_F(ShortcutListSupplierTest, AListIsParsedAgainOnlyWhenItsFileHasChanged)
{
    put(HOME_LIST, listWith("First", R"({"title": "Indent", "accelerator": "<Primary>i"})"));
    EXPECT_EQ(titlesOf(groups()), QStringList{QStringLiteral("First")});

    // Same time, other bytes: the parsed list is kept.
    files.putFile(HOME_LIST, listWith("Second", R"({"title": "Indent", "accelerator": "<Primary>i"})"));
    EXPECT_EQ(titlesOf(groups()), QStringList{QStringLiteral("First")});

    folders.setLastModified(HOME_LIST, MORNING.addSecs(60));
    EXPECT_EQ(titlesOf(groups()), QStringList{QStringLiteral("Second")});

    // A file that became unreadable or no JSON gives nothing, and nothing stale.
    files.putFile(HOME_LIST, "{ not json");
    folders.setLastModified(HOME_LIST, MORNING.addSecs(120));
    EXPECT_TRUE(groups().isEmpty());
    files.failReading(HOME_LIST);
    folders.setLastModified(HOME_LIST, MORNING.addSecs(180));
    EXPECT_TRUE(groups().isEmpty());
}

TEST_F(ShortcutListSupplierTest, ListedKeysThatTheMenusShowAreLeftOutAndRangesAreOnlyShown)
{
    put(HOME_LIST, QByteArray(R"({"version": 1, "groups": [
        {"title": "Editing", "shortcuts": [
            {"title": "Copy line", "accelerator": ["<Primary>c", "<Primary><Shift>c"]},
            {"title": "Bookmark 1 to 9", "accelerator": "<Alt>1...9"},
            {"title": "Broken", "accelerator": "<Primary>NoSuchKey"}
        ]},
        {"title": "Only what the menus have", "shortcuts": [
            {"title": "Save", "accelerator": "Ctrl+S"}
        ]}
    ]})"));
    SuppliedGroup edit(QStringLiteral("Edit"));
    ASSERT_TRUE(edit.add(QStringLiteral("Copy"), QStringLiteral("<Primary>c")));
    ASSERT_TRUE(edit.add(QStringLiteral("Save"), QStringLiteral("<Primary>s")));

    const QList<MenuItem> supplied = groups(QStringLiteral("org.example.Editor"), {edit.group()});
    EXPECT_EQ(titlesOf(supplied), QStringList{QStringLiteral("Editing")});
    ASSERT_EQ(supplied.size(), 1);
    ASSERT_EQ(supplied[0].submenu.size(), 2);
    const MenuItem& copyLine = supplied[0].submenu[0];
    EXPECT_EQ(copyLine.title, QStringLiteral("Copy line"));
    EXPECT_EQ(copyLine.keys, QStringLiteral("⌃⇧ C"));
    EXPECT_TRUE(copyLine.hotkeys) << "a listed shortcut is typed when clicked";
    EXPECT_EQ(copyLine.parentTitles, QStringList{QStringLiteral("Editing")});
    const MenuItem* range = find(supplied, {QStringLiteral("Editing"), QStringLiteral("Bookmark 1 to 9")});
    ASSERT_TRUE(range);
    EXPECT_EQ(range->keys, QStringLiteral("⌥ 1…9"));
    EXPECT_FALSE(range->hotkeys) << "no single key stands for a range";

    EXPECT_EQ(titlesOf(groups()),
              (QStringList{QStringLiteral("Editing"), QStringLiteral("Only what the menus have")}))
        << "without menus, nothing is left out";
}

} // namespace
