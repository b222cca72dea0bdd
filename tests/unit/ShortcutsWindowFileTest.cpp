#include "harvest/ShortcutsWindowFile.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace tavlen;

namespace {

QByteArray sampleFile()
{
    QFile file(QStringLiteral(TAVLEN_TEST_DATA_DIR "/gresource/gtk/help-overlay.ui"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList entryTitles(const ShortcutsWindowGroup& group)
{
    QStringList titles;
    for (const ShortcutsWindowEntry& entry : group.entries)
        titles << entry.title.text + QLatin1Char('=') + entry.accelerator;
    return titles;
}

} // namespace

TEST(ShortcutsWindowFileTest, ReadsGroupsAndTheShortcutsThatNameKeys)
{
    const std::optional<ShortcutsWindowFile> window = ShortcutsWindowFile::parse(sampleFile());
    ASSERT_TRUE(window);
    EXPECT_EQ(window->domain, QStringLiteral("tavlen-sample"));
    // The gestures group names no keys at all and is left out; so is the action-only "Print".
    ASSERT_EQ(window->groups.size(), 2);
    const ShortcutsWindowGroup& documents = window->groups[0];
    EXPECT_EQ(documents.title.text, QStringLiteral("Documents"));
    EXPECT_EQ(documents.title.context, QStringLiteral("shortcut window"));
    EXPECT_TRUE(documents.title.translatable);
    EXPECT_EQ(entryTitles(documents), (QStringList{QStringLiteral("Open a document=<Primary>o"),
                                                   QStringLiteral("Zoom in=<ctrl>plus <ctrl>equal"),
                                                   QStringLiteral("Go to tab=<Alt>1...9")}));
    const ShortcutsWindowGroup& editing = window->groups[1];
    EXPECT_FALSE(editing.title.translatable);
    EXPECT_TRUE(editing.title.context.isEmpty());
    EXPECT_EQ(entryTitles(editing), (QStringList{QStringLiteral("Cut the line=<ctrl>k+<ctrl>x"),
                                                 QStringLiteral("Redo=<Primary><Shift>z")}));
}

TEST(ShortcutsWindowFileTest, OnlyAFileWhoseTopLevelObjectIsAShortcutsWindowCounts)
{
    // A window that merely mentions the class, and a shortcuts window nested inside another
    // object, as a dialog's child would be.
    EXPECT_FALSE(ShortcutsWindowFile::parse(R"(<interface><object class="GtkWindow">
        <property name="title">GtkShortcutsWindow</property></object></interface>)"));
    EXPECT_FALSE(ShortcutsWindowFile::parse(R"(<interface><object class="GtkWindow"><child>
        <object class="GtkShortcutsWindow"/></child></object></interface>)"));
    EXPECT_FALSE(ShortcutsWindowFile::parse(R"(<interface><object class="GtkShortcutsWindow">)"));
    EXPECT_FALSE(
        ShortcutsWindowFile::parse(R"(<resources><object class="GtkShortcutsWindow"/></resources>)"));
    EXPECT_FALSE(ShortcutsWindowFile::mayHoldWindow(R"(<interface><object class="GtkWindow"/></interface>)"));
    // A window after other top-level objects, with a shortcut outside any group (GTK shows it
    // nowhere) and one whose type is spelled with an underscore.
    const std::optional<ShortcutsWindowFile> window = ShortcutsWindowFile::parse(R"(<interface>
        <menu id="app-menu"/>
        <object class="GtkShortcutsWindow"><child><object class="GtkShortcutsSection">
          <child><object class="GtkShortcutsShortcut"><property name="accelerator">F1</property></object></child>
          <child><object class="GtkShortcutsGroup"><property name="title" translatable="true">View</property>
            <child><object class="GtkShortcutsShortcut"><property name="shortcut_type">gesture-stretch</property>
              <property name="accelerator">F2</property></object></child>
            <child><object class="GtkShortcutsShortcut"><property name="accelerator"> F11 </property>
              <property name="title">Full screen</property></object></child>
          </object></child></object></child></object></interface>)");
    ASSERT_TRUE(window);
    ASSERT_EQ(window->groups.size(), 1);
    EXPECT_TRUE(window->groups[0].title.translatable);
    EXPECT_EQ(entryTitles(window->groups[0]), QStringList{QStringLiteral("Full screen=F11")});
}

TEST(ShortcutsWindowFileTest, DeeplyNestedObjectsAreRefusedNotRecursedInto)
{
    QByteArray nested = "<interface><object class=\"GtkShortcutsWindow\">";
    for (int i = 0; i < 5000; ++i)
        nested += "<child><object class=\"GtkShortcutsGroup\">";
    for (int i = 0; i < 5000; ++i)
        nested += "</object></child>";
    nested += "</object></interface>";
    EXPECT_FALSE(ShortcutsWindowFile::parse(nested));
}
