#include "platform/linux/AcceleratorParser.h"

#include "support/MenuKeyText.h"

#include <QKeySequence>
#include <QMetaEnum>
#include <gtest/gtest.h>
#include <initializer_list>

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

// A key binding as a menu entry titled `title` carries it, and the text the sheet shows for it
// ("<none>" when it is no shortcut).
struct Reading {
    const char* binding;
    const char* text;
    const char* title = "Entry";
};

void expectReadings(std::initializer_list<Reading> readings)
{
    for (const Reading& reading : readings) {
        EXPECT_EQ(textOf(QString::fromUtf8(reading.binding), QString::fromUtf8(reading.title)),
                  QString::fromUtf8(reading.text))
            << reading.binding << " in " << reading.title;
    }
}

} // namespace

TEST(AcceleratorParser, GtkAcceleratorIsTheThirdField)
{
    const auto key =
        AcceleratorParser::parseKeyBinding(QStringLiteral("n;<Alt>f:n;<Primary>n"), QStringLiteral("New"));
    ASSERT_TRUE(key);
    EXPECT_EQ(*key, (MenuKeyEquivalent{QStringLiteral("N"), 12, 0, 0}));

    expectReadings({
        {"i;<Alt>f:i;<Primary><Shift>o", "⌃⇧ O"},
        {";;<Control>F5", "⌃ F5"},
        {"x;<Alt>s:x;<Primary>period", "⌃ ."},
        {"i;<Alt>v:i;<Primary>plus", "⌃ +"},
        {"s;<Alt>e:s;<Primary><Alt>p", "⌃⌥ P"},
        {"m;<Alt>b:m;<Shift>F9", "⇧ F9"},
        {";;<Super>q", "⌘ Q"},
        // The mnemonic fields alone, as on top-level menus and entries without accelerator.
        {"<Alt>f;<Alt>f;", "<none>"},
        {"a;<Alt>f:a;", "<none>"},
        {"", "<none>"},
    });
}

TEST(AcceleratorParser, GtkNamedKeys)
{
    expectReadings({
        {";;<Primary>Return", "⌃ ⏎"},
        {";;<Primary>KP_Enter", "⌃ ⌅"},
        {";;<Primary>Tab", "⌃ ⇥"},
        {";;<Primary><Shift>ISO_Left_Tab", "⌃⇧ ⇥"},
        {";;<Primary>space", "⌃ ␣"},
        {";;<Primary>BackSpace", "⌃ ⌫"},
        {";;Delete", "⌦"},
        {";;Escape", "⎋"},
        {";;<Alt>Home", "⌥ ↖"},
        {";;<Alt>End", "⌥ ↘"},
        {";;<Primary>Page_Up", "⌃ ⇞"},
        {";;<Primary>Page_Down", "⌃ ⇟"},
        {";;<Alt>Left", "⌥ ←"},
        {";;<Alt>Right", "⌥ →"},
        {";;<Alt>Up", "⌥ ↑"},
        {";;<Alt>Down", "⌥ ↓"},
        {";;F1", "F1"},
        {";;F12", "F12"},
        {";;F14", "F14"},
    });
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
    EXPECT_EQ(AcceleratorParser::parseAccelerator(QStringLiteral("F35"))->virtualKey, 0u);
    expectReadings({{";;F15", "F15"}, {"Ctrl+F35", "⌃ F35"}, {"F36", "<none>"}});
}

TEST(AcceleratorParser, QtKeySequences)
{
    expectReadings({
        {"Ctrl+O", "⌃ O"},
        {"F5", "F5"},
        {"Shift+F3", "⇧ F3"},
        {"Ctrl+Return", "⌃ ⏎"},
        {"Ctrl+Shift+Return", "⌃⇧ ⏎"},
        {"Enter", "⌅"},
        {"Esc", "⎋"},
        {"Backspace", "⌫"},
        {"Space", "␣"},
        {"Del", "⌦"},
        {"Home", "↖"},
        {"End", "↘"},
        {"PgUp", "⇞"},
        {"PgDown", "⇟"},
        {"Ctrl+Up", "⌃ ↑"},
        {"Ctrl+Shift+Backtab", "⌃⇧ ⇥"},
        {"Ctrl+Tab", "⌃ ⇥"},
        {"Ctrl+Alt+W", "⌃⌥ W"},
        {"Meta+Q", "⌘ Q"},
        {"Ctrl++", "⌃ +"},
        {"Ctrl+;", "⌃ ;"},
        {"Ctrl+0", "⌃ 0"},
        {"Num+Enter", "⌅"},
    });
}

TEST(AcceleratorParser, MnemonicsAreNoShortcut)
{
    // Qt puts the mnemonic first and the shortcut second.
    expectReadings({
        {"Alt+a;Ctrl+S", "⌃ S", "Save as..."},
        {"Alt+a;Ctrl+;", "⌃ ;", "Save as..."},
        // A lone Alt+letter of the title only underlines that letter.
        {"Alt+a", "<none>", "Save as..."},
        {"Alt+A", "<none>", "About"},
        {"<Alt>f", "<none>", "File"},
        // A letter the title lacks, or more modifiers than Alt, make a real shortcut.
        {"Alt+X", "⌥ X", "Close"},
        {"Ctrl+Alt+A", "⌃⌥ A", "About"},
        {"Alt+Left", "⌥ ←", "Left"},
        // GTK's accelerator field is never a mnemonic, whatever the title.
        {"f;<Alt>f:f;<Alt>f", "⌥ F", "Find"},
    });
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
    expectReadings({
        {"Alt+O;Ctrl+Shift+Ins", "⌃⇧ Ins", "Overwrite Mode"},
        // GTK spells the same keys as keysyms, the vendor keys with a prefix nobody needs to read.
        {";;<Primary>Insert", "⌃ Ins"},
        {";;<Shift>KP_Insert", "⇧ Ins"},
        {";;Print", "Print"},
        {";;XF86AudioPlay", "Media Play"},
        {";;XF86Calculator", "Calculator"},
        {"Ctrl+Media Play", "⌃ Media Play"},
        {"Launch (A)", "Launch (A)"},
    });
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
    expectReadings({
        {"Alt+1", "<none>", "Heading 1"},
        {"Alt+8", "<none>", "UTF-8"},
        {"Alt+.", "<none>", "1.5 Spacing"},
        {"Alt+1;Ctrl+1", "⌃ 1", "Heading 1"},
        // A digit the title does not offer is a shortcut of its own.
        {"Alt+2", "⌥ 2", "Heading 1"},
    });
}

TEST(AcceleratorParser, ThePrimaryShortcutFollowsTheMnemonic)
{
    // Qt lists every shortcut of an entry after its mnemonic, the primary one first.
    expectReadings({
        {"Alt+S;Ctrl+S;Ctrl+Shift+S", "⌃ S", "Save"},
        {"F5;Ctrl+R", "F5", "Reload"},
        // Only the first binding can be the mnemonic: an Alt shortcut after it is a shortcut.
        {"Alt+H;Alt+Home", "⌥ ↖", "Home"},
        {"Alt+A;Alt+A", "⌥ A", "Tab A"},
    });
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
