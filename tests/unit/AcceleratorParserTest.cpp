#include "platform/linux/AcceleratorParser.h"

#include "support/MenuKeyText.h"

#include <QKeySequence>
#include <QMetaEnum>
#include <gtest/gtest.h>

using namespace tavlen;
using tavlen::linux_platform::AcceleratorParser;
using tavlen::linux_platform::MenuKeyEquivalent;

namespace {

QString shortcutText(const MenuKeyEquivalent& key)
{
    const quint16 character = key.character.isEmpty() ? 0 : key.character.front().unicode();
    return test::menuKeyText(character, key.modifiers, key.virtualKey, key.glyph, key.name);
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
    // Above F14 the notation has no glyph: the key goes by its name, with the Mac's key code
    // where the Mac has one (up to F20).
    const auto f15 = AcceleratorParser::parseAccelerator(QStringLiteral("F15"));
    ASSERT_TRUE(f15);
    EXPECT_EQ(f15->virtualKey, 113u);
    EXPECT_EQ(textOf(QStringLiteral(";;F15")), QStringLiteral("F15"));
    EXPECT_EQ(textOf(QStringLiteral("Ctrl+F35")), QStringLiteral("⌃ F35"));
    EXPECT_EQ(AcceleratorParser::parseAccelerator(QStringLiteral("F35"))->virtualKey, 0u);
    EXPECT_EQ(textOf(QStringLiteral("F36")), QStringLiteral("<none>"));
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
    EXPECT_FALSE(AcceleratorParser::parseKeyBinding(QStringLiteral(";;<Release>a"), QString()));
    EXPECT_FALSE(AcceleratorParser::parseKeyBinding(QStringLiteral(";;<Primary"), QString()));
    EXPECT_FALSE(AcceleratorParser::parseKeyBinding(QStringLiteral("Hyperspace+A"), QString()));
    EXPECT_FALSE(AcceleratorParser::parseKeyBinding(QStringLiteral("Ctrl+"), QString()));
    EXPECT_FALSE(AcceleratorParser::parseKeyBinding(QStringLiteral("Ctrl+@@"), QString()));
    EXPECT_FALSE(AcceleratorParser::parseKeyBinding(QStringLiteral("Ctrl+3D"), QString()));
    // A chord of two key presses has no menu key equivalent.
    EXPECT_FALSE(AcceleratorParser::parseKeyBinding(QStringLiteral("Ctrl+K, Ctrl+C"), QString()));
    // A shortcut that cannot be read does not fall back to the mnemonic before it.
    EXPECT_FALSE(
        AcceleratorParser::parseKeyBinding(QStringLiteral("Alt+C;Ctrl+K, Ctrl+C"), QStringLiteral("Close")));
}

TEST(AcceleratorParser, InsertAndTheKeysTheMacLacksGoByTheirNames)
{
    // Insert is the Mac's Help key, so a custom shortcut made of it can still be sent.
    const auto overwrite = AcceleratorParser::parseKeyBinding(QStringLiteral("Alt+O;Ctrl+Shift+Ins"),
                                                              QStringLiteral("Overwrite Mode"));
    ASSERT_TRUE(overwrite);
    EXPECT_EQ(overwrite->virtualKey, 114u);
    EXPECT_EQ(textOf(QStringLiteral("Alt+O;Ctrl+Shift+Ins"), QStringLiteral("Overwrite Mode")),
              QStringLiteral("⌃⇧ Ins"));
    // GTK spells the same keys as keysyms, the vendor keys with a prefix nobody needs to read.
    EXPECT_EQ(textOf(QStringLiteral(";;<Primary>Insert")), QStringLiteral("⌃ Ins"));
    EXPECT_EQ(textOf(QStringLiteral(";;<Shift>KP_Insert")), QStringLiteral("⇧ Ins"));
    EXPECT_EQ(textOf(QStringLiteral(";;Print")), QStringLiteral("Print"));
    EXPECT_EQ(textOf(QStringLiteral(";;XF86AudioPlay")), QStringLiteral("Media Play"));
    EXPECT_EQ(textOf(QStringLiteral(";;XF86Calculator")), QStringLiteral("Calculator"));
    EXPECT_EQ(textOf(QStringLiteral("Ctrl+Media Play")), QStringLiteral("⌃ Media Play"));
    EXPECT_EQ(textOf(QStringLiteral("Launch (A)")), QStringLiteral("Launch (A)"));
}

// Every key Qt can name, in the form the AT-SPI bridge passes on, built with QKeySequence itself.
TEST(AcceleratorParser, EveryKeyQtNamesIsReadInBothForms)
{
    const QMetaEnum keys = QMetaEnum::fromType<Qt::Key>();
    const QList<int> modifierKeys{Qt::Key_Shift,   Qt::Key_Control,     Qt::Key_Meta,    Qt::Key_Alt,
                                  Qt::Key_AltGr,   Qt::Key_Super_L,     Qt::Key_Super_R, Qt::Key_Hyper_L,
                                  Qt::Key_Hyper_R, Qt::Key_Mode_switch, Qt::Key_Option,  Qt::Key_unknown};
    int named = 0;
    for (int i = 0; i < keys.keyCount(); ++i) {
        const int key = keys.value(i);
        if (modifierKeys.contains(key))
            continue;
        for (const auto format : {QKeySequence::PortableText, QKeySequence::NativeText}) {
            const QString alone = QKeySequence(key).toString(format);
            // Keys Qt has no name for (it writes a stand-in it cannot read back), whose name is
            // white space, or a character beyond 16 bits: nothing the menu attributes can hold.
            if (QKeySequence::fromString(alone, format)[0].key() != key || alone.trimmed().isEmpty() ||
                alone.toUcs4().value(0) > 0xFFFF)
                continue;
            const QString sequence = QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier,
                                                                  static_cast<Qt::Key>(key)))
                                         .toString(format);
            const auto parsed = AcceleratorParser::parseAccelerator(sequence);
            ASSERT_TRUE(parsed) << keys.key(i) << ": " << sequence.toStdString();
            EXPECT_EQ(parsed->modifiers & ~notation::AXModifier::NoCommand,
                      notation::AXModifier::Control | notation::AXModifier::Shift)
                << sequence.toStdString();
            // Something after the modifiers names the key.
            const QString text = shortcutText(*parsed);
            EXPECT_TRUE(text.startsWith(QStringLiteral("⌃⇧ ")) && text.size() > 3)
                << sequence.toStdString() << " → " << text.toStdString();
            // A key with a name of its own is shown by that name, or by a symbol for it.
            if (alone.size() > 1 && parsed->virtualKey == 0 && parsed->glyph == 0) {
                EXPECT_EQ(parsed->name, alone) << keys.key(i);
            }
            ++named;
        }
    }
    EXPECT_GT(named, 400);
}

TEST(AcceleratorParser, DigitAndPunctuationMnemonicsAreNoShortcut)
{
    // "Heading &1": Qt offers Alt+1 as the mnemonic of an entry that has no shortcut.
    EXPECT_EQ(textOf(QStringLiteral("Alt+1"), QStringLiteral("Heading 1")), QStringLiteral("<none>"));
    EXPECT_EQ(textOf(QStringLiteral("Alt+8"), QStringLiteral("UTF-8")), QStringLiteral("<none>"));
    EXPECT_EQ(textOf(QStringLiteral("Alt+."), QStringLiteral("1.5 Spacing")), QStringLiteral("<none>"));
    EXPECT_EQ(textOf(QStringLiteral("Alt+1;Ctrl+1"), QStringLiteral("Heading 1")), QStringLiteral("⌃ 1"));
    // A digit the title does not offer is a shortcut of its own.
    EXPECT_EQ(textOf(QStringLiteral("Alt+2"), QStringLiteral("Heading 1")), QStringLiteral("⌥ 2"));
}

TEST(AcceleratorParser, ThePrimaryShortcutFollowsTheMnemonic)
{
    // Qt lists every shortcut of an entry after its mnemonic, the primary one first.
    EXPECT_EQ(textOf(QStringLiteral("Alt+S;Ctrl+S;Ctrl+Shift+S"), QStringLiteral("Save")),
              QStringLiteral("⌃ S"));
    EXPECT_EQ(textOf(QStringLiteral("F5;Ctrl+R"), QStringLiteral("Reload")), QStringLiteral("F5"));
    // Only the first binding can be the mnemonic: an Alt shortcut after it is a shortcut.
    EXPECT_EQ(textOf(QStringLiteral("Alt+H;Alt+Home"), QStringLiteral("Home")), QStringLiteral("⌥ ↖"));
    EXPECT_EQ(textOf(QStringLiteral("Alt+A;Alt+A"), QStringLiteral("Tab A")), QStringLiteral("⌥ A"));
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

TEST(AcceleratorParser, KeysymsAreTakenByTheirNamesOnly)
{
    const QList<std::pair<QString, QString>> cases = {
        {QStringLiteral(";;<Primary>asciitilde"), QStringLiteral("⌃ ~")},
        {QStringLiteral(";;<Primary>KP_Add"), QStringLiteral("⌃ +")},
        {QStringLiteral(";;<Primary>KP_5"), QStringLiteral("⌃ 5")},
        {QStringLiteral(";;<Primary>Prior"), QStringLiteral("⌃ ⇞")},
        {QStringLiteral(";;<Primary>KP_Next"), QStringLiteral("⌃ ⇟")},
        {QStringLiteral("Ctrl+return"), QStringLiteral("⌃ ⏎")},
        // A character key's name is written as it is.
        {QStringLiteral("Ctrl+PLUS"), QStringLiteral("<none>")},
        // xkbcommon also reads numbers and old aliases as keysyms; accelerators do not use them.
        {QStringLiteral(";;<Primary>0xff0d"), QStringLiteral("<none>")},
        {QStringLiteral(";;<Primary>0x2b"), QStringLiteral("<none>")},
        {QStringLiteral(";;<Primary>U002B"), QStringLiteral("<none>")},
        {QStringLiteral(";;<Primary>quoteright"), QStringLiteral("<none>")},
        // The keypad's separator types a comma or a point by locale: no one character.
        {QStringLiteral(";;<Primary>KP_Separator"), QStringLiteral("<none>")},
    };
    for (const auto& [binding, text] : cases)
        EXPECT_EQ(textOf(binding), text) << binding.toStdString();
}
