#include "harvest/ShortcutNotation.h"
#include "platform/fake/FakeKeyboardLayout.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <limits>
#include <map>

using namespace tavlen;
using namespace tavlen::notation;
using tavlen::fake::FakeKeyboardLayout;

namespace {

// A layout that types one given character on every key, for characters no real layout in the
// fake has.
class SingleCharacterLayout final : public KeyboardLayout {
public:
    explicit SingleCharacterLayout(std::optional<char32_t> character) : m_character(character) {}
    std::optional<char32_t> character(quint16, bool) const override { return m_character; }
    QString inputSourceId() const override { return QStringLiteral("test"); }
    QString inputSourceName() const override { return QStringLiteral("Test"); }
    std::optional<quint16> virtualKeyOfScanCode(quint32) const override { return std::nullopt; }

private:
    std::optional<char32_t> m_character;
};

// Sets the default locale for one test and puts the previous one back.
class DefaultLocale {
public:
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(m_saved); }
    DefaultLocale(const DefaultLocale&) = delete;
    DefaultLocale& operator=(const DefaultLocale&) = delete;

private:
    QLocale m_saved;
};

KeyInput keyInput(std::optional<quint16> keyCode, const QString& modifiers)
{
    KeyInput input;
    input.keyCode = keyCode;
    input.isCommand = modifiers.contains(QLatin1Char('c'));
    input.isControl = modifiers.contains(QLatin1Char('t'));
    input.isOption = modifiers.contains(QLatin1Char('o'));
    input.isShift = modifiers.contains(QLatin1Char('s'));
    input.isFunction = modifiers.contains(QLatin1Char('f'));
    return input;
}

} // namespace

TEST(ShortcutNotation, ModifierSymbolsFollowTheAccessibilityMask)
{
    const std::map<quint64, QString> cases{
        {0, QStringLiteral("⌘")},     {1, QStringLiteral("⇧⌘")},   {2, QStringLiteral("⌥⌘")},
        {4, QStringLiteral("⌃⌘")},    {6, QStringLiteral("⌃⌥⌘")},  {8, QString()},
        {13, QStringLiteral("⌃⇧")},   {15, QStringLiteral("⌃⌥⇧")}, {16, QStringLiteral("⌘")},
        {23, QStringLiteral("⌃⌥⇧⌘")}, {24, QStringLiteral("🌐")},   {26, QStringLiteral("⌥🌐")},
        {31, QStringLiteral("⌃⌥⇧🌐")}, {32, QStringLiteral("⌘")},   {40, QStringLiteral("🌐")},
        {48, QStringLiteral("⌘🌐")},
    };
    for (const auto& [mask, expected] : cases)
        EXPECT_EQ(modifierSymbols(mask), expected) << "mask " << mask;
}

TEST(ShortcutNotation, AKeyLooksTheSameWhicheverCodeNamesIt)
{
    // Menus name keys by glyph or by virtual key; the recorder by virtual key. One key, one symbol.
    EXPECT_EQ(glyphSymbol(9), QStringLiteral("⇥"));
    EXPECT_EQ(virtualKeySymbol(48), QStringLiteral("⇥"));
    EXPECT_EQ(specialKeySymbol(48), QStringLiteral("⇥"));
    EXPECT_EQ(glyphSymbol(54), virtualKeySymbol(56)) << "Shift";
    EXPECT_EQ(glyphSymbol(56), virtualKeySymbol(59)) << "Control";
    EXPECT_EQ(glyphSymbol(150), virtualKeySymbol(74));
    // Page Up and Page Down must not look alike.
    EXPECT_NE(virtualKeySymbol(116), virtualKeySymbol(121));
    for (quint64 code = 0; code <= 200; ++code) {
        const QString special = specialKeySymbol(code);
        if (!special.isEmpty() && !special.startsWith('F')) {
            EXPECT_EQ(special, virtualKeySymbol(code)) << "code " << code;
        }
    }
    EXPECT_EQ(glyphSymbol(quint64(1) << 40 | 9), QString()); // no truncation to a small type
    EXPECT_EQ(glyphSymbol(0), QString());
    EXPECT_EQ(virtualKeySymbol(0), QString()) << "A names no key";
}

TEST(ShortcutNotation, ModifiersAreNoRecordedKeyButFunctionKeysAre)
{
    for (const quint64 modifier : {55, 56, 58, 59, 63}) {
        EXPECT_FALSE(virtualKeySymbol(modifier).isEmpty());
        EXPECT_EQ(specialKeySymbol(modifier), QString()) << "code " << modifier;
    }
    EXPECT_EQ(specialKeySymbol(122), QStringLiteral("F1"));
    EXPECT_EQ(specialKeySymbol(96), QStringLiteral("F5"));
    EXPECT_EQ(specialKeySymbol(111), QStringLiteral("F12"));
    EXPECT_EQ(specialKeySymbol(105), QString()) << "F13 has no name in the recorder";
    EXPECT_EQ(virtualKeySymbol(122), QString()) << "function keys are named by their glyph in menus";
}

TEST(ShortcutNotation, FunctionKeyNamesCoverGlyphs111To124)
{
    EXPECT_EQ(functionKeyName(110), QString());
    EXPECT_EQ(functionKeyName(111), QStringLiteral("F1"));
    EXPECT_EQ(functionKeyName(122), QStringLiteral("F12"));
    EXPECT_EQ(functionKeyName(123), QStringLiteral("F13"));
    EXPECT_EQ(functionKeyName(124), QStringLiteral("F14"));
    EXPECT_EQ(functionKeyName(125), QString());
    EXPECT_EQ(functionKeyName(0), QString());
}

TEST(ShortcutNotation, CharacterStringKeepsTheCharacterAsItIs)
{
    EXPECT_EQ(characterString('n'), QStringLiteral("n"));
    EXPECT_EQ(characterString('N'), QStringLiteral("N"));
    EXPECT_EQ(characterString(0x00DF), QStringLiteral("ß"));
    EXPECT_EQ(characterString(0xF704), QString(QChar(0xF704))); // private-use function-key codes pass
    // Half a surrogate pair is no character; it must not produce invalid UTF-8 later.
    EXPECT_EQ(characterString(0xD83C), QString(QChar::ReplacementCharacter));
    EXPECT_EQ(characterString(0xDFFF).toUtf8(), QByteArray("\xEF\xBF\xBD"));
}

TEST(ShortcutNotation, LayoutCharacterUsesTheChosenLayout)
{
    FakeKeyboardLayout layout(FakeKeyboardLayout::Layout::German);
    EXPECT_EQ(layoutCharacter(0, true, layout), QStringLiteral("A"));
    EXPECT_EQ(layoutCharacter(16, true, layout), QStringLiteral("Z"));
    EXPECT_EQ(layoutCharacter(6, true, layout), QStringLiteral("Y"));
    EXPECT_EQ(layoutCharacter(33, true, layout), QStringLiteral("Ü"));
    // The ASCII-capable layout stays US while German is current.
    EXPECT_EQ(layoutCharacter(16, false, layout), QStringLiteral("Y"));
    EXPECT_EQ(layoutCharacter(27, false, layout), QStringLiteral("-"));

    layout.setCurrent(FakeKeyboardLayout::Layout::US);
    EXPECT_EQ(layoutCharacter(16, true, layout), QStringLiteral("Y"));
    EXPECT_EQ(layoutCharacter(41, true, layout), QStringLiteral(";"));
}

TEST(ShortcutNotation, LayoutCharacterKeepsSharpS)
{
    const FakeKeyboardLayout layout(FakeKeyboardLayout::Layout::German);
    EXPECT_EQ(layoutCharacter(27, true, layout), QStringLiteral("ß"));

    // Also where the locale's own upper-casing would give "SS".
    const DefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(layoutCharacter(27, true, layout), QStringLiteral("ß"));
}

TEST(ShortcutNotation, LayoutCharacterUpperCasesInTheUserLocale)
{
    const SingleCharacterLayout layout(U'i');
    {
        const DefaultLocale turkish(QLocale(QLocale::Turkish, QLocale::Turkey));
        EXPECT_EQ(layoutCharacter(34, true, layout), QStringLiteral("İ"));
    }
    {
        const DefaultLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
        EXPECT_EQ(layoutCharacter(34, true, layout), QStringLiteral("I"));
    }
}

TEST(ShortcutNotation, LayoutCharacterIsNoneForWhatIsNotOneUnit)
{
    const FakeKeyboardLayout german(FakeKeyboardLayout::Layout::German);
    EXPECT_EQ(layoutCharacter(24, true, german), std::nullopt); // dead acute
    EXPECT_EQ(layoutCharacter(56, true, german), std::nullopt); // Shift types nothing
    EXPECT_EQ(layoutCharacter(500, true, german), std::nullopt);

    EXPECT_EQ(layoutCharacter(0, true, SingleCharacterLayout(U'\0')), std::nullopt);
    EXPECT_EQ(layoutCharacter(0, true, SingleCharacterLayout(char32_t(0xD800))), std::nullopt);
    EXPECT_EQ(layoutCharacter(0, true, SingleCharacterLayout(char32_t(0xDFFF))), std::nullopt);
    EXPECT_EQ(layoutCharacter(0, true, SingleCharacterLayout(U'😀')), std::nullopt);
    EXPECT_EQ(layoutCharacter(0, true, SingleCharacterLayout(char32_t(0x110000))), std::nullopt);
    EXPECT_EQ(layoutCharacter(0, true, SingleCharacterLayout(char32_t(0xFFFD))), QStringLiteral("\uFFFD"));
}

TEST(ShortcutNotation, LayoutCharacterMayGrowWhenUpperCased)
{
    // ŉ upper-cases to two characters; both stay, nothing is cut.
    const DefaultLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(layoutCharacter(0, true, SingleCharacterLayout(U'ŉ')), QStringLiteral("ʼN"));
}

TEST(ShortcutNotation, KeyInputTextPutsModifiersSpaceAndKey)
{
    const FakeKeyboardLayout us;
    EXPECT_EQ(keyInputText(keyInput(0, QStringLiteral("cs")), true, false, us), QStringLiteral("⇧⌘ A"));
    EXPECT_EQ(keyInputText(keyInput(49, QString()), true, false, us), QStringLiteral(" ␣"));
    EXPECT_EQ(keyInputText(keyInput(std::nullopt, QStringLiteral("cs")), true, false, us), QString());
    EXPECT_EQ(keyInputText(keyInput(122, QStringLiteral("c")), true, false, us), QStringLiteral("⌘ F1"));
    // Function leads, then the same order as harvested shortcuts.
    EXPECT_EQ(keyInputText(keyInput(1, QStringLiteral("cstof")), true, false, us),
              QStringLiteral("fn⌃⌥⇧⌘ S"));
    EXPECT_EQ(keyInputText(keyInput(1, QStringLiteral("cf")), false, false, us), QStringLiteral("🌐⌘ S"));
}

TEST(ShortcutNotation, KeyInputTextFallsBackToQuestionMarks)
{
    const FakeKeyboardLayout german(FakeKeyboardLayout::Layout::German);
    EXPECT_EQ(keyInputText(keyInput(24, QStringLiteral("c")), true, true, german), QStringLiteral("⌘ ??"));
    EXPECT_EQ(keyInputText(keyInput(0xFFFF, QString()), true, true, german), QStringLiteral(" ??"));
}

TEST(ShortcutNotation, KeyInputTextFollowsTheLayoutChoice)
{
    const FakeKeyboardLayout german(FakeKeyboardLayout::Layout::German);
    const KeyInput input = keyInput(16, QStringLiteral("c"));
    EXPECT_EQ(keyInputText(input, true, true, german), QStringLiteral("⌘ Z"));
    EXPECT_EQ(keyInputText(input, true, false, german), QStringLiteral("⌘ Y"));
    EXPECT_EQ(keyInputText(keyInput(27, QStringLiteral("c")), true, true, german), QStringLiteral("⌘ ß"));
}

TEST(ShortcutNotation, ModifierWordsInExportOrder)
{
    EXPECT_EQ(modifierWords(keyInput(0, QStringLiteral("sc"))), QStringLiteral("shift+command"));
    EXPECT_EQ(modifierWords(keyInput(0, QStringLiteral("fotsc"))),
              QStringLiteral("shift+control+command+option+fn"));
    EXPECT_EQ(modifierWords(keyInput(0, QString())), QString());
    EXPECT_EQ(modifierWords(keyInput(0, QStringLiteral("f"))), QStringLiteral("fn"));
}

TEST(ShortcutNotation, EventFlagsAddTheMasks)
{
    EXPECT_EQ(eventFlags(keyInput(0, QStringLiteral("cstof"))), 0x9E0000);
    EXPECT_EQ(eventFlags(keyInput(0, QString())), 0);
    EXPECT_EQ(eventFlags(keyInput(0, QStringLiteral("s"))), 0x20000);
    EXPECT_EQ(eventFlags(keyInput(0, QStringLiteral("t"))), 0x40000);
    EXPECT_EQ(eventFlags(keyInput(0, QStringLiteral("o"))), 0x80000);
    EXPECT_EQ(eventFlags(keyInput(0, QStringLiteral("c"))), 0x100000);
    EXPECT_EQ(eventFlags(keyInput(0, QStringLiteral("f"))), 0x800000);
}

TEST(ShortcutNotation, KeyInputFromStoreReadsValidRows)
{
    EXPECT_EQ(keyInputFromStore(-1, 0), std::nullopt);
    EXPECT_EQ(keyInputFromStore(-1, -1), std::nullopt);
    EXPECT_EQ(keyInputFromStore(0, 0x100000), keyInput(0, QStringLiteral("c")));
    EXPECT_EQ(keyInputFromStore(65535, 0), keyInput(65535, QString()));
    // Bits other than the five masks are ignored.
    EXPECT_EQ(keyInputFromStore(12, 0x100000 | 0x10000 | 0x1 | 0x1000000), keyInput(12, QStringLiteral("c")));
}

TEST(ShortcutNotation, KeyInputFromStoreRejectsRowsTheEditorNeverWrites)
{
    EXPECT_EQ(keyInputFromStore(-2, 0), std::nullopt);
    EXPECT_EQ(keyInputFromStore(65536, 0), std::nullopt);
    EXPECT_EQ(keyInputFromStore(std::numeric_limits<qint64>::min(), 0), std::nullopt);
    EXPECT_EQ(keyInputFromStore(5, -1), std::nullopt);
}

TEST(ShortcutNotation, EventFlagsAndStoreRoundTrip)
{
    const QString letters = QStringLiteral("cstof");
    for (int bits = 0; bits < 32; ++bits) {
        QString modifiers;
        for (int i = 0; i < 5; ++i) {
            if (bits & (1 << i))
                modifiers += letters[i];
        }
        const KeyInput input = keyInput(42, modifiers);
        EXPECT_EQ(keyInputFromStore(42, eventFlags(input)), input) << modifiers.toStdString();
    }
}

TEST(ShortcutNotation, SheetAndRecorderSymbolNames)
{
    // A key's text, and the symbol name the sheet and the recorder each draw it by.
    struct SymbolNames {
        QString text;
        std::optional<QString> sheet;
        std::optional<QString> recorder;
    };
    const auto name = [](const char* text) { return std::optional<QString>(QString::fromUtf8(text)); };
    const std::optional<QString> none;
    const QList<SymbolNames> table{
        {QStringLiteral("+"), name("plus"), none},
        {QStringLiteral("-"), name("minus"), name("minus")},
        {QStringLiteral("="), name("equal"), name("equal")},
        {QStringLiteral("<"), name("lessthan"), name("lessthan")},
        {QStringLiteral(">"), name("greaterthan"), name("greaterthan")},
        {QStringLiteral("*"), name("asterisk"), name("asterisk")},
        {QStringLiteral("⌦"), name("delete.right"), name("delete.right")},
        {QString(QChar(0x7F)), name("delete.right"), none},
        {QStringLiteral("⌫"), name("delete.left"), name("delete.left")},
        {QString(QChar(0x08)), name("delete.left"), none},
        {QStringLiteral("⏎"), name("return"), name("return")},
        {QStringLiteral("⇪"), name("capslock"), none},
        {QStringLiteral("⇧"), name("shift"), name("shift")},
        {QStringLiteral("⌥"), name("option"), name("option")},
        {QStringLiteral("⌃"), name("control"), name("control")},
        {QStringLiteral("⌘"), name("command"), name("command")},
        {QStringLiteral("⎋"), name("escape"), name("escape")},
        {QStringLiteral("⇥"), name("arrow.right.to.line"), name("arrow.right.to.line")},
        {QStringLiteral("␣"), name("space"), name("space")},
        {QStringLiteral("🌐"), name("fn"), name("fn")},
        {QStringLiteral("🎙"), name("mic"), none},
        {QStringLiteral("fn"), none, name("fn")},
        {QStringLiteral("FN"), none, none},
        {QStringLiteral("F1"), none, none},
        {QStringLiteral("A"), none, none},
        {QStringLiteral(" "), none, none},
        {QStringLiteral("++"), none, none},
        {QStringLiteral("⌘⌘"), none, none},
        {QString(QChar(0xD83C)), none, none},
        {QString(), none, none},
    };
    for (const SymbolNames& row : table) {
        EXPECT_EQ(sheetSymbolName(row.text), row.sheet) << row.text.toStdString();
        EXPECT_EQ(recorderSymbolName(row.text), row.recorder) << row.text.toStdString();
    }
}

TEST(ShortcutNotation, KeyTextCharactersNeverCutACharacter)
{
    EXPECT_EQ(
        keyTextCharacters(QStringLiteral("⌥🌐 N")),
        (QStringList{QStringLiteral("⌥"), QStringLiteral("🌐"), QStringLiteral(" "), QStringLiteral("N")}));
    EXPECT_EQ(keyTextCharacters(QStringLiteral("⌘ e\u0301")),
              (QStringList{QStringLiteral("⌘"), QStringLiteral(" "), QStringLiteral("e\u0301")}));
    EXPECT_TRUE(keyTextCharacters(QString()).isEmpty());

    // Each piece of a harvested text can be looked up as a sheet character.
    const QStringList pieces = keyTextCharacters(modifierSymbols(26) + QLatin1Char(' ') + glyphSymbol(49));
    ASSERT_EQ(pieces.size(), 4);
    EXPECT_EQ(sheetSymbolName(pieces[1]), QStringLiteral("fn"));
    EXPECT_EQ(sheetSymbolName(pieces[3]), QStringLiteral("space"));
}
