#include "harvest/linux/ShortcutListParser.h"
#include "harvest/linux/ShortcutRange.h"

#include <gtest/gtest.h>

using tavlen::linux_harvest::ShortcutListError;
using tavlen::linux_harvest::ShortcutListParser;
using tavlen::linux_harvest::ShortcutListReading;
using tavlen::linux_harvest::ShortcutRange;

namespace {

QStringList locations(const ShortcutListReading& reading)
{
    QStringList result;
    for (const ShortcutListError& error : reading.errors)
        result << error.location;
    return result;
}

TEST(ShortcutListParser, ReadsGroupsWithOneOrSeveralAcceleratorsInEitherNotation)
{
    const ShortcutListReading reading = ShortcutListParser::parse(R"({
        "version": 1,
        "application": "org.example.Browser",
        "source": "its help pages",
        "groups": [
            {"title": " Tabs ", "shortcuts": [
                {"title": "Next tab", "accelerator": ["<Primary>Tab", "Ctrl+PgDown"]},
                {"title": "Go to tab 1 to 8", "accelerator": "<Alt>1...8"}
            ]},
            {"title": "Page", "shortcuts": [{"title": "Reload", "accelerator": "F5"}]}
        ]
    })");
    ASSERT_TRUE(reading.list);
    EXPECT_TRUE(reading.errors.isEmpty()) << locations(reading).join(u' ').toStdString();
    EXPECT_EQ(reading.list->application, QStringLiteral("org.example.Browser"));
    EXPECT_EQ(reading.list->source, QStringLiteral("its help pages"));
    ASSERT_EQ(reading.list->groups.size(), 2);
    EXPECT_EQ(reading.list->groups[0].title, QStringLiteral("Tabs"));
    ASSERT_EQ(reading.list->groups[0].shortcuts.size(), 2);
    EXPECT_EQ(reading.list->groups[0].shortcuts[0].accelerators,
              (QStringList{QStringLiteral("<Primary>Tab"), QStringLiteral("Ctrl+PgDown")}));
    EXPECT_EQ(reading.list->groups[1].shortcuts[0].title, QStringLiteral("Reload"));
}

TEST(ShortcutListParser, EachFaultIsNamedByItsPathAndWhatHasNoFaultIsKept)
{
    const ShortcutListReading reading = ShortcutListParser::parse(R"({
        "version": 1,
        "sources": "misspelt",
        "groups": [
            {"title": "Good", "shortcuts": [
                {"title": "Kept", "accelerator": "<Primary>k"},
                {"title": "Unknown key", "accelerator": "<Primary>NoSuchKey"},
                {"title": "Half", "accelerator": ["<Primary>h", 7, "<Hyperdrive>h"]},
                {"title": "", "accelerator": "<Primary>e"},
                {"title": "Typo", "acelerator": "<Primary>t"},
                "not an object"
            ]},
            {"title": "Empty", "shortcuts": []},
            {"shortcuts": [{"title": "Orphan", "accelerator": "F1"}]},
            {"title": "Bad ranges", "shortcuts": [
                {"title": "Backwards", "accelerator": "<Alt>9...1"},
                {"title": "Mixed", "accelerator": "<Alt>1...z"},
                {"title": "Named", "accelerator": "<Alt>F1...F4"}
            ]}
        ]
    })");
    ASSERT_TRUE(reading.list);
    EXPECT_EQ(locations(reading),
              (QStringList{QStringLiteral("sources"), QStringLiteral("groups[0].shortcuts[1].accelerator"),
                           QStringLiteral("groups[0].shortcuts[2].accelerator[1]"),
                           QStringLiteral("groups[0].shortcuts[2].accelerator[2]"),
                           QStringLiteral("groups[0].shortcuts[3].title"),
                           QStringLiteral("groups[0].shortcuts[4].acelerator"),
                           QStringLiteral("groups[0].shortcuts[4]"), QStringLiteral("groups[0].shortcuts[5]"),
                           QStringLiteral("groups[1].shortcuts"), QStringLiteral("groups[2]"),
                           QStringLiteral("groups[3].shortcuts[0].accelerator"),
                           QStringLiteral("groups[3].shortcuts[1].accelerator"),
                           QStringLiteral("groups[3].shortcuts[2].accelerator")}));
    EXPECT_TRUE(reading.errors[1].message.contains(QStringLiteral("<Primary>NoSuchKey")));
    EXPECT_TRUE(reading.errors[6].message.contains(QStringLiteral("\"accelerator\" is missing")));

    // What the sheet gets: the one group with something left, and the good key of "Half".
    ASSERT_EQ(reading.list->groups.size(), 1);
    const auto& shortcuts = reading.list->groups[0].shortcuts;
    ASSERT_EQ(shortcuts.size(), 2);
    EXPECT_EQ(shortcuts[0].title, QStringLiteral("Kept"));
    EXPECT_EQ(shortcuts[1].accelerators, QStringList{QStringLiteral("<Primary>h")});
}

TEST(ShortcutListParser, AFileThatIsNoJsonIsLocatedByLineAndColumn)
{
    // The fault, a missing comma, is on the third line; the second holds a character that takes
    // two bytes, which must not shift the column of later lines.
    const ShortcutListReading reading =
        ShortcutListParser::parse("{\"version\": 1,\n \"source\": \"Überall\",\n \"groups\" []}");
    EXPECT_FALSE(reading.list);
    ASSERT_EQ(reading.errors.size(), 1);
    const QStringList place = reading.errors[0].location.split(u':');
    ASSERT_EQ(place.size(), 2);
    EXPECT_EQ(place[0], QStringLiteral("3"));
    EXPECT_GE(place[1].toInt(), 10);
    EXPECT_LE(place[1].toInt(), 12);
}

TEST(ShortcutListParser, TheVersionDecidesWhetherTheFileIsReadAtAll)
{
    const ShortcutListReading later = ShortcutListParser::parse(R"({"version": 2, "groups": [], "new": 1})");
    EXPECT_FALSE(later.list) << "a later format may mean something else by the same members";
    ASSERT_EQ(later.errors.size(), 1);
    EXPECT_EQ(later.errors[0].location, QStringLiteral("version"));
    EXPECT_TRUE(later.errors[0].message.contains(QStringLiteral("newer")));

    for (const char* wrong : {R"({"version": 1.5, "groups": []})", R"({"version": "1", "groups": []})",
                              R"({"version": 0, "groups": []})", R"({"version": 1e12, "groups": []})"}) {
        const ShortcutListReading reading = ShortcutListParser::parse(wrong);
        EXPECT_FALSE(reading.list) << wrong;
        EXPECT_EQ(locations(reading), QStringList{QStringLiteral("version")}) << wrong;
    }
    EXPECT_EQ(locations(ShortcutListParser::parse(R"({"groups": []})")), QStringList{QString()});
    EXPECT_EQ(locations(ShortcutListParser::parse("[1, 2]")), QStringList{QStringLiteral("1:1")});
}

TEST(ShortcutRange, IsShownAsItsFirstKeyInTheSheetsNotationAndItsLastKey)
{
    ASSERT_TRUE(ShortcutRange::parse(QStringLiteral("<Alt>1...8")));
    EXPECT_EQ(ShortcutRange::parse(QStringLiteral("<Alt>1...8"))->text(), QStringLiteral("⌥ 1…8"));
    EXPECT_EQ(ShortcutRange::parse(QStringLiteral("Ctrl+Shift+a…f"))->text(), QStringLiteral("⌃⇧ A…F"));

    QString problem;
    EXPECT_FALSE(ShortcutRange::parse(QStringLiteral("<Alt>1...12"), &problem));
    EXPECT_FALSE(problem.isEmpty());
    EXPECT_FALSE(ShortcutRange::parse(QStringLiteral("<Alt>...9")));
    EXPECT_FALSE(ShortcutRange::looksLikeRange(QStringLiteral("<Primary>period")));
}

} // namespace
