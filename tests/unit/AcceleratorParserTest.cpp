#include "platform/linux/AcceleratorParser.h"

#include "support/MenuKeyText.h"

#include <gtest/gtest.h>

using namespace tavlen;
using tavlen::linux_platform::AcceleratorParser;
using tavlen::linux_platform::MenuKeyEquivalent;

namespace {

QString shortcutText(const MenuKeyEquivalent& key)
{
    const quint16 character = key.character.isEmpty() ? 0 : key.character.front().unicode();
    return test::menuKeyText(character, key.modifiers, key.virtualKey, key.glyph);
}

QString textOf(const QString& keyBinding, const QString& title = QStringLiteral("Entry"))
{
    const std::optional<MenuKeyEquivalent> key = AcceleratorParser::parseKeyBinding(keyBinding, title);
    return key ? shortcutText(*key) : QStringLiteral("<none>");
}

} // namespace

TEST(AcceleratorParser, GtkAcceleratorIsTheThirdField)
{
    const auto key =
        AcceleratorParser::parseKeyBinding(QStringLiteral("n;<Alt>f:n;<Primary>n"), QStringLiteral("New"));
    ASSERT_TRUE(key);
    EXPECT_EQ(*key, (MenuKeyEquivalent{QStringLiteral("N"), 12, 0, 0}));

    EXPECT_EQ(textOf(QStringLiteral("i;<Alt>f:i;<Primary><Shift>o")), QStringLiteral("⌃⇧ O"));
    EXPECT_EQ(textOf(QStringLiteral(";;<Control>F5")), QStringLiteral("⌃ F5"));
    EXPECT_EQ(textOf(QStringLiteral("x;<Alt>s:x;<Primary>period")), QStringLiteral("⌃ ."));
    EXPECT_EQ(textOf(QStringLiteral("i;<Alt>v:i;<Primary>plus")), QStringLiteral("⌃ +"));
    EXPECT_EQ(textOf(QStringLiteral("s;<Alt>e:s;<Primary><Alt>p")), QStringLiteral("⌃⌥ P"));
    EXPECT_EQ(textOf(QStringLiteral("m;<Alt>b:m;<Shift>F9")), QStringLiteral("⇧ F9"));
    EXPECT_EQ(textOf(QStringLiteral(";;<Super>q")), QStringLiteral("⌘ Q"));
    // The mnemonic fields alone, as on top-level menus and entries without accelerator.
    EXPECT_EQ(textOf(QStringLiteral("<Alt>f;<Alt>f;")), QStringLiteral("<none>"));
    EXPECT_EQ(textOf(QStringLiteral("a;<Alt>f:a;")), QStringLiteral("<none>"));
    EXPECT_EQ(textOf(QString()), QStringLiteral("<none>"));
}

TEST(AcceleratorParser, GtkNamedKeys)
{
    const QList<std::pair<QString, QString>> cases = {
        {QStringLiteral(";;<Primary>Return"), QStringLiteral("⌃ ⏎")},
        {QStringLiteral(";;<Primary>KP_Enter"), QStringLiteral("⌃ ⌅")},
        {QStringLiteral(";;<Primary>Tab"), QStringLiteral("⌃ ⇥")},
        {QStringLiteral(";;<Primary><Shift>ISO_Left_Tab"), QStringLiteral("⌃⇧ ⇥")},
        {QStringLiteral(";;<Primary>space"), QStringLiteral("⌃ ␣")},
        {QStringLiteral(";;<Primary>BackSpace"), QStringLiteral("⌃ ⌫")},
        {QStringLiteral(";;Delete"), QStringLiteral("⌦")},
        {QStringLiteral(";;Escape"), QStringLiteral("⎋")},
        {QStringLiteral(";;<Alt>Home"), QStringLiteral("⌥ ↖")},
        {QStringLiteral(";;<Alt>End"), QStringLiteral("⌥ ↘")},
        {QStringLiteral(";;<Primary>Page_Up"), QStringLiteral("⌃ ⇞")},
        {QStringLiteral(";;<Primary>Page_Down"), QStringLiteral("⌃ ⇟")},
        {QStringLiteral(";;<Alt>Left"), QStringLiteral("⌥ ←")},
        {QStringLiteral(";;<Alt>Right"), QStringLiteral("⌥ →")},
        {QStringLiteral(";;<Alt>Up"), QStringLiteral("⌥ ↑")},
        {QStringLiteral(";;<Alt>Down"), QStringLiteral("⌥ ↓")},
        {QStringLiteral(";;F1"), QStringLiteral("F1")},
        {QStringLiteral(";;F12"), QStringLiteral("F12")},
        {QStringLiteral(";;F14"), QStringLiteral("F14")},
    };
    for (const auto& [binding, text] : cases)
        EXPECT_EQ(textOf(binding), text) << binding.toStdString();
}

TEST(AcceleratorParser, EveryFunctionKeyTheNotationNamesRendersAsItself)
{
    for (int number = 1; number <= 14; ++number) {
        const QString name = QStringLiteral("F%1").arg(number);
        EXPECT_EQ(textOf(QStringLiteral(";;") + name), name);
        EXPECT_EQ(textOf(name), name);
    }
    // Keys the notation cannot name are no shortcut rather than a bare modifier.
    EXPECT_EQ(textOf(QStringLiteral(";;F15")), QStringLiteral("<none>"));
    EXPECT_EQ(textOf(QStringLiteral("Ctrl+F35")), QStringLiteral("<none>"));
}

TEST(AcceleratorParser, QtKeySequences)
{
    const QList<std::pair<QString, QString>> cases = {
        {QStringLiteral("Ctrl+O"), QStringLiteral("⌃ O")},
        {QStringLiteral("F5"), QStringLiteral("F5")},
        {QStringLiteral("Shift+F3"), QStringLiteral("⇧ F3")},
        {QStringLiteral("Ctrl+Return"), QStringLiteral("⌃ ⏎")},
        {QStringLiteral("Ctrl+Shift+Return"), QStringLiteral("⌃⇧ ⏎")},
        {QStringLiteral("Enter"), QStringLiteral("⌅")},
        {QStringLiteral("Esc"), QStringLiteral("⎋")},
        {QStringLiteral("Backspace"), QStringLiteral("⌫")},
        {QStringLiteral("Space"), QStringLiteral("␣")},
        {QStringLiteral("Del"), QStringLiteral("⌦")},
        {QStringLiteral("Home"), QStringLiteral("↖")},
        {QStringLiteral("End"), QStringLiteral("↘")},
        {QStringLiteral("PgUp"), QStringLiteral("⇞")},
        {QStringLiteral("PgDown"), QStringLiteral("⇟")},
        {QStringLiteral("Ctrl+Up"), QStringLiteral("⌃ ↑")},
        {QStringLiteral("Ctrl+Shift+Backtab"), QStringLiteral("⌃⇧ ⇥")},
        {QStringLiteral("Ctrl+Tab"), QStringLiteral("⌃ ⇥")},
        {QStringLiteral("Ctrl+Alt+W"), QStringLiteral("⌃⌥ W")},
        {QStringLiteral("Meta+Q"), QStringLiteral("⌘ Q")},
        {QStringLiteral("Ctrl++"), QStringLiteral("⌃ +")},
        {QStringLiteral("Ctrl+;"), QStringLiteral("⌃ ;")},
        {QStringLiteral("Ctrl+0"), QStringLiteral("⌃ 0")},
        {QStringLiteral("Num+Enter"), QStringLiteral("⌅")},
    };
    for (const auto& [binding, text] : cases)
        EXPECT_EQ(textOf(binding), text) << binding.toStdString();
}

TEST(AcceleratorParser, MnemonicsAreNoShortcut)
{
    // Qt puts the mnemonic first and the shortcut second.
    EXPECT_EQ(textOf(QStringLiteral("Alt+a;Ctrl+S"), QStringLiteral("Save as...")), QStringLiteral("⌃ S"));
    EXPECT_EQ(textOf(QStringLiteral("Alt+a;Ctrl+;"), QStringLiteral("Save as...")), QStringLiteral("⌃ ;"));
    // A lone Alt+letter of the title only underlines that letter.
    EXPECT_EQ(textOf(QStringLiteral("Alt+a"), QStringLiteral("Save as...")), QStringLiteral("<none>"));
    EXPECT_EQ(textOf(QStringLiteral("Alt+A"), QStringLiteral("About")), QStringLiteral("<none>"));
    EXPECT_EQ(textOf(QStringLiteral("<Alt>f"), QStringLiteral("File")), QStringLiteral("<none>"));
    // A letter the title lacks, or more modifiers than Alt, make a real shortcut.
    EXPECT_EQ(textOf(QStringLiteral("Alt+X"), QStringLiteral("Close")), QStringLiteral("⌥ X"));
    EXPECT_EQ(textOf(QStringLiteral("Ctrl+Alt+A"), QStringLiteral("About")), QStringLiteral("⌃⌥ A"));
    EXPECT_EQ(textOf(QStringLiteral("Alt+Left"), QStringLiteral("Left")), QStringLiteral("⌥ ←"));
    // GTK's accelerator field is never a mnemonic, whatever the title.
    EXPECT_EQ(textOf(QStringLiteral("f;<Alt>f:f;<Alt>f"), QStringLiteral("Find")), QStringLiteral("⌥ F"));
}

TEST(AcceleratorParser, UnknownNamesGiveNoShortcut)
{
    EXPECT_FALSE(AcceleratorParser::parseKeyBinding(QStringLiteral(";;<Primary>Insert"), QString()));
    EXPECT_FALSE(AcceleratorParser::parseKeyBinding(QStringLiteral(";;<Release>a"), QString()));
    EXPECT_FALSE(AcceleratorParser::parseKeyBinding(QStringLiteral(";;<Primary"), QString()));
    EXPECT_FALSE(AcceleratorParser::parseKeyBinding(QStringLiteral("Hyperspace+A"), QString()));
    EXPECT_FALSE(AcceleratorParser::parseKeyBinding(QStringLiteral("Ctrl+Ins"), QString()));
    EXPECT_FALSE(AcceleratorParser::parseKeyBinding(QStringLiteral("Ctrl+"), QString()));
    // A chord of two key presses has no menu key equivalent.
    EXPECT_FALSE(AcceleratorParser::parseKeyBinding(QStringLiteral("Ctrl+K, Ctrl+C"), QString()));
    // A shortcut that cannot be read does not fall back to the mnemonic before it.
    EXPECT_FALSE(
        AcceleratorParser::parseKeyBinding(QStringLiteral("Alt+X;Ctrl+Ins"), QStringLiteral("Close")));
}

TEST(AcceleratorParser, CharactersAreUpperCasedOneUnit)
{
    const auto sharp = AcceleratorParser::parseAccelerator(QStringLiteral("Ctrl+ß"));
    ASSERT_TRUE(sharp);
    EXPECT_EQ(sharp->character, QStringLiteral("ß"));
    const auto umlaut = AcceleratorParser::parseAccelerator(QStringLiteral("<Primary>ü"));
    ASSERT_TRUE(umlaut);
    EXPECT_EQ(umlaut->character, QStringLiteral("Ü"));
    EXPECT_EQ(umlaut->virtualKey, 0u);
    EXPECT_EQ(umlaut->glyph, 0u);
    // Beyond the Basic Multilingual Plane a key has no 16-bit character code.
    EXPECT_FALSE(AcceleratorParser::parseAccelerator(QStringLiteral("Ctrl+😀")));
}
