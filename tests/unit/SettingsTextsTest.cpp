#include "settings/SettingsTexts.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace tavlen;

TEST(SettingsTextsTest, TruncationPreviewCutsTheSampleAsARowWould)
{
    const QString sample = SettingsTexts::truncationSample();
    EXPECT_EQ(sample,
              QStringLiteral("Some menu titles can be very long which cause them to split into two lines "
                             "and even more"));
    EXPECT_EQ(SettingsTexts::truncationPreview(false, 13), sample);
    EXPECT_EQ(SettingsTexts::truncationPreview(true, 13), QStringLiteral("Some menu tit…"));
    EXPECT_EQ(SettingsTexts::truncationPreview(true, 45),
              QStringLiteral("Some menu titles can be very long which cause…"));
    // A cut just after a word drops the space before the ellipsis.
    ASSERT_EQ(sample.at(45), QLatin1Char(' '));
    EXPECT_EQ(SettingsTexts::truncationPreview(true, 46), sample.first(45) + QStringLiteral("…"));
    // A fractional limit counts whole characters.
    EXPECT_EQ(SettingsTexts::truncationPreview(true, 13.9), QStringLiteral("Some menu tit…"));
    // No ellipsis once the whole sample fits.
    EXPECT_EQ(SettingsTexts::truncationPreview(true, sample.size()), sample);
    EXPECT_EQ(SettingsTexts::truncationPreview(true, 500), sample);
}

TEST(SettingsTextsTest, ProgramIsQuotedForTheShellOnlyWhenItNeedsTo)
{
    EXPECT_EQ(SettingsTexts::shellWord(QStringLiteral("/usr/local/bin/tavlen")),
              QStringLiteral("/usr/local/bin/tavlen"));
    EXPECT_EQ(SettingsTexts::shellWord(QStringLiteral("/home/me/my apps/tavlen")),
              QStringLiteral("'/home/me/my apps/tavlen'"));
    EXPECT_EQ(SettingsTexts::shellWord(QStringLiteral("/opt/it's/tavlen")),
              QStringLiteral("'/opt/it'\\''s/tavlen'"));
    EXPECT_EQ(SettingsTexts::shellWord(QStringLiteral("/tmp/$(rm -rf x)/tavlen")),
              QStringLiteral("'/tmp/$(rm -rf x)/tavlen'"));
    EXPECT_EQ(SettingsTexts::shellWord(QString()), QStringLiteral("''"));
}

TEST(SettingsTextsTest, OtherToolsHelpNamesTheProgramInBothCommandLines)
{
    const QStringList paragraphs =
        SettingsTexts::otherToolsMarkdown(QStringLiteral("/usr/bin/tavlen")).split(QStringLiteral("\n\n"));
    EXPECT_EQ(paragraphs,
              (QStringList{
                  "Tavlen support tools like *skhd* via accepting params to present **Shortcuts** panel or "
                  "**Persistent** panel:",
                  "**1.** to present **Shortcuts** panel pass **--show-shortcuts** param:",
                  "*/usr/bin/tavlen --show-shortcuts*",
                  "**2.** to present **Persistent** panel pass **--toggle-persistent** param:",
                  "*/usr/bin/tavlen --toggle-persistent*"}));

    // Characters Markdown would read as markup stand for themselves.
    const QString odd = SettingsTexts::otherToolsMarkdown(QStringLiteral("/opt/my_*tavlen*/bin/tavlen"));
    EXPECT_TRUE(odd.contains(QStringLiteral("*'/opt/my\\_\\*tavlen\\*/bin/tavlen' --show-shortcuts*")))
        << odd.toStdString();
}
