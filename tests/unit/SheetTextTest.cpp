#include "sheet/SheetText.h"

#include "platform/fake/FakeKeyboardLayout.h"
#include "store/ElementKey.h"
#include "support/SheetContentFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace tavlen;
using tavlen::test::element;
using tavlen::test::group;

namespace {

class SheetTextTest : public ::testing::Test {
protected:
    SheetTextTest()
    {
        const MenuItem copy = element(QStringLiteral("Copy"), QStringLiteral("⌘ C"));
        const MenuItem pipe = element(QStringLiteral("Split | Join *now*"), QStringLiteral("⇧⌘ |"), false);
        const MenuItem undo = element(QStringLiteral("Undo"), QStringLiteral("⌘ Z"));
        content.groupedMenuItems = {group(QStringLiteral("Edit"), {copy, pipe}), copy, pipe,
                                    group(QStringLiteral("History"), {undo}),    undo, undo};
        content.columns = 3;
        content.columnsAmount = 2;
        content.columnHeight = 3;
        content.storedHotkeys = {{elementKey(QStringLiteral("Copy"), QStringLiteral("⌘ C")), true, false}};
        content.storedHotkeysGlobally = {
            {elementKey(QStringLiteral("Undo"), QStringLiteral("⌘ Z")), false, true}};

        ManualHotkey terminal;
        terminal.id = QUuid::fromString(QStringLiteral("0A3D1E27-5B8C-4D2F-9E61-7C4B8A2F1D30"));
        terminal.title = QStringLiteral("Terminal");
        terminal.trigger = QStringLiteral("Open a terminal");
        terminal.keys = KeyInput{quint16{17}, true, true, false, false, false}; // ⌃⌘ T
        terminal.isActive = false;
        ManualHotkey unrecorded;
        unrecorded.title = QStringLiteral("Nothing yet");
        content.customGlobalItems = {terminal};
        content.customAppItems = {unrecorded};
    }

    SheetText text() const
    {
        return SheetText::fromLayout(content, layOutSheet(content, SheetLayoutOptions{}), keyboard, false);
    }

    SheetContent content = test::editorSheet();
    fake::FakeKeyboardLayout keyboard;
};

TEST_F(SheetTextTest, JsonListsGroupsInColumnOrderThenCustomShortcuts)
{
    const QJsonObject json = QJsonDocument::fromJson(text().render(SheetText::Format::Json)).object();
    EXPECT_EQ(json.value("version").toInt(), 1);
    EXPECT_EQ(json.value("application").toObject().value("identifier").toString(), content.bundleIdentifier);
    EXPECT_TRUE(json.value("application").toObject().value("icon").isNull());
    EXPECT_EQ(json.value("columns").toInt(), 3);
    EXPECT_EQ(json.value("menuColumns").toInt(), 2);

    const QJsonArray groups = json.value("groups").toArray();
    ASSERT_EQ(groups.size(), 2);
    EXPECT_EQ(groups[0].toObject().value("title").toString(), QStringLiteral("Edit"));
    EXPECT_EQ(groups[0].toObject().value("column").toInt(), 0);
    EXPECT_EQ(groups[1].toObject().value("title").toString(), QStringLiteral("History"));
    EXPECT_EQ(groups[1].toObject().value("column").toInt(), 1);

    const QJsonArray editRows = groups[0].toObject().value("rows").toArray();
    ASSERT_EQ(editRows.size(), 2);
    const QJsonObject copy = editRows[0].toObject();
    EXPECT_EQ(copy.value("keys").toString(), QStringLiteral("⌘ C"));
    EXPECT_TRUE(copy.value("bookmarked").toBool());
    EXPECT_FALSE(copy.value("inactive").toBool());
    EXPECT_TRUE(editRows[1].toObject().value("inactive").toBool());
    const QJsonObject undo = groups[1].toObject().value("rows").toArray()[0].toObject();
    EXPECT_TRUE(undo.value("hiddenGlobally").toBool());
    EXPECT_FALSE(undo.value("hidden").toBool());

    const QJsonArray custom = json.value("customShortcuts").toArray();
    ASSERT_EQ(custom.size(), 2);
    EXPECT_EQ(custom[0].toObject().value("scope").toString(), QStringLiteral("global"));
    EXPECT_EQ(custom[1].toObject().value("scope").toString(), QStringLiteral("application"));
    EXPECT_EQ(custom[1].toObject().value("applicationIdentifier").toString(), content.bundleIdentifier);
    const QJsonObject terminal = custom[0].toObject().value("rows").toArray()[0].toObject();
    EXPECT_EQ(terminal.value("id").toString(), QStringLiteral("0A3D1E27-5B8C-4D2F-9E61-7C4B8A2F1D30"));
    EXPECT_EQ(terminal.value("keys").toString(), QStringLiteral("⌃⌘ T"));
    EXPECT_EQ(terminal.value("trigger").toString(), QStringLiteral("Open a terminal"));
    EXPECT_TRUE(terminal.value("hidden").toBool());
    EXPECT_EQ(custom[1].toObject().value("rows").toArray()[0].toObject().value("keys").toString(), QString());
}

TEST_F(SheetTextTest, PlainTextAndMarkdown)
{
    const SheetText sheet = text();
    const QString plain = sheet.toPlainText();
    EXPECT_TRUE(plain.startsWith(QStringLiteral("Editor (org.example.Editor)\n"))) << plain.toStdString();
    EXPECT_TRUE(plain.contains(
        QStringLiteral("\nEdit\n  ⌘ C   Copy  [bookmarked]\n  ⇧⌘ |  Split | Join *now*  [inactive]\n")))
        << plain.toStdString();
    EXPECT_TRUE(plain.contains(QStringLiteral("  ⌘ Z  Undo  [hidden globally]\n"))) << plain.toStdString();
    EXPECT_LT(plain.indexOf(QStringLiteral("History")),
              plain.indexOf(QStringLiteral("Global Custom Shortcuts")));
    EXPECT_TRUE(plain.contains(QStringLiteral("Editor Custom Shortcuts\n"))) << plain.toStdString();

    const QString markdown = sheet.toMarkdown();
    EXPECT_TRUE(markdown.startsWith(QStringLiteral("# Editor\n"))) << markdown.toStdString();
    // A title holding the table's own separator stays in its cell.
    EXPECT_TRUE(markdown.contains(QStringLiteral("| ⇧⌘ \\| | Split \\| Join \\*now\\* | inactive |")))
        << markdown.toStdString();
    for (const QString& line : markdown.split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1Char('|')))
            continue;
        qsizetype unescaped = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (line.at(i) == QLatin1Char('|') && (i == 0 || line.at(i - 1) != QLatin1Char('\\')))
                ++unescaped;
        }
        EXPECT_EQ(unescaped, 4) << line.toStdString();
    }
}

TEST_F(SheetTextTest, EmptySheetAndFormatNames)
{
    content.groupedMenuItems.clear();
    content.customGlobalItems.clear();
    content.customAppItems.clear();
    const SheetText sheet = text();
    EXPECT_TRUE(sheet.groups.isEmpty());
    EXPECT_TRUE(sheet.toPlainText().contains(QStringLiteral("No shortcuts.")));
    EXPECT_TRUE(sheet.render(SheetText::Format::Json).endsWith('\n'));

    EXPECT_EQ(SheetText::formatNamed(QStringLiteral("text")), SheetText::Format::Text);
    EXPECT_EQ(SheetText::formatNamed(QStringLiteral("md")), SheetText::Format::Markdown);
    EXPECT_EQ(SheetText::formatNamed(QStringLiteral("json")), SheetText::Format::Json);
    EXPECT_FALSE(SheetText::formatNamed(QStringLiteral("JSON ")).has_value());
}

} // namespace
