#include "sheet/PrintableText.h"

#include <gtest/gtest.h>

using tavlen::printableText;

TEST(PrintableText, ControlAndDirectionCharactersAreWrittenOutAndEverythingElseKept)
{
    EXPECT_EQ(printableText(QStringLiteral("Save\nAll\r\tnow")), QStringLiteral("Save\\nAll\\r\\tnow"));
    EXPECT_EQ(printableText(QStringLiteral("\x1b[2J")), QStringLiteral("\\u001B[2J"));
    EXPECT_EQ(printableText(QString(QChar(0x202E)) + QStringLiteral("txt.exe")),
              QStringLiteral("\\u202Etxt.exe"));
    EXPECT_EQ(printableText(QString(QChar(0x2066)) + QChar(0x0085)), QStringLiteral("\\u2066\\u0085"));
    // A backslash of the title itself cannot be taken for an escape.
    EXPECT_EQ(printableText(QStringLiteral("a\\nb")), QStringLiteral("a\\\\nb"));
    EXPECT_EQ(printableText(QStringLiteral("Ünïcødé ⌘ ⇧ 🙂 שלום")),
              QStringLiteral("Ünïcødé ⌘ ⇧ 🙂 שלום"));
}
