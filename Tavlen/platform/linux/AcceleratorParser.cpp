#include "platform/linux/AcceleratorParser.h"

#include "platform/MacKeys.h"

#include <QStringList>

#include <xkbcommon/xkbcommon.h>

#include <algorithm>

namespace tavlen::linux_platform {
namespace {

namespace AXModifier = mac_keys::modifier;

// A key without a character of its own: its virtual key, and what the sheet shows when the
// notation has no symbol for it (null when it has).
struct NamedKey {
    quint16 virtualKey;
    const char* shownAs = nullptr;
};

struct KeysymKey {
    xkb_keysym_t keysym;
    NamedKey key;
};

// GTK names these keys by their keysyms, Qt mostly by the same words in other cases ("Backspace").
// Insert is the Mac's Help key, where PC keyboards have Insert.
constexpr KeysymKey keysymKeys[] = {
    {XKB_KEY_Return, {mac_keys::Return}},
    {XKB_KEY_KP_Enter, {mac_keys::Enter}},
    {XKB_KEY_Tab, {mac_keys::Tab}},
    {XKB_KEY_ISO_Left_Tab, {mac_keys::Tab}},
    {XKB_KEY_space, {mac_keys::Space}},
    {XKB_KEY_BackSpace, {mac_keys::Delete}},
    {XKB_KEY_Delete, {mac_keys::ForwardDelete}},
    {XKB_KEY_KP_Delete, {mac_keys::ForwardDelete}},
    {XKB_KEY_Escape, {mac_keys::Escape}},
    {XKB_KEY_Home, {mac_keys::Home}},
    {XKB_KEY_KP_Home, {mac_keys::Home}},
    {XKB_KEY_End, {mac_keys::End}},
    {XKB_KEY_KP_End, {mac_keys::End}},
    {XKB_KEY_Page_Up, {mac_keys::PageUp}},
    {XKB_KEY_KP_Page_Up, {mac_keys::PageUp}},
    {XKB_KEY_Page_Down, {mac_keys::PageDown}},
    {XKB_KEY_KP_Page_Down, {mac_keys::PageDown}},
    {XKB_KEY_Left, {mac_keys::LeftArrow}},
    {XKB_KEY_KP_Left, {mac_keys::LeftArrow}},
    {XKB_KEY_Right, {mac_keys::RightArrow}},
    {XKB_KEY_KP_Right, {mac_keys::RightArrow}},
    {XKB_KEY_Down, {mac_keys::DownArrow}},
    {XKB_KEY_KP_Down, {mac_keys::DownArrow}},
    {XKB_KEY_Up, {mac_keys::UpArrow}},
    {XKB_KEY_KP_Up, {mac_keys::UpArrow}},
    {XKB_KEY_Insert, {mac_keys::Help, "Ins"}},
    {XKB_KEY_KP_Insert, {mac_keys::Help, "Ins"}},
    {XKB_KEY_Help, {mac_keys::Help, "Help"}},
    {XKB_KEY_XF86AudioRaiseVolume, {mac_keys::VolumeUp, "Volume Up"}},
    {XKB_KEY_XF86AudioLowerVolume, {mac_keys::VolumeDown, "Volume Down"}},
    {XKB_KEY_Print, {0, "Print"}},
    {XKB_KEY_Pause, {0, "Pause"}},
    {XKB_KEY_Menu, {0, "Menu"}},
    {XKB_KEY_Scroll_Lock, {0, "ScrollLock"}},
    {XKB_KEY_Num_Lock, {0, "NumLock"}},
    {XKB_KEY_Caps_Lock, {0, "CapsLock"}},
    {XKB_KEY_Sys_Req, {0, "SysReq"}},
    {XKB_KEY_XF86AudioPlay, {0, "Media Play"}},
    {XKB_KEY_XF86AudioStop, {0, "Media Stop"}},
    {XKB_KEY_XF86AudioPrev, {0, "Media Previous"}},
    {XKB_KEY_XF86AudioNext, {0, "Media Next"}},
    {XKB_KEY_XF86AudioMute, {0, "Volume Mute"}},
};

struct WordKey {
    const char* name;
    NamedKey key;
};

// The names only Qt gives these keys.
constexpr WordKey qtOnlyKeys[] = {
    {"Enter", {mac_keys::Enter}},
    {"Backtab", {mac_keys::Tab}},
    {"Del", {mac_keys::ForwardDelete}},
    {"Esc", {mac_keys::Escape}},
    {"PgUp", {mac_keys::PageUp}},
    {"PgDown", {mac_keys::PageDown}},
    {"Ins", {mac_keys::Help, "Ins"}},
    {"Volume Up", {mac_keys::VolumeUp, "Volume Up"}},
    {"Volume Down", {mac_keys::VolumeDown, "Volume Down"}},
};

// The notation's glyph code for a named key. Home, End and the page keys get none, as their glyph
// codes (115, 119, 116, 121) fall among the function-key glyphs and would be read as F5, F9, F6
// and F11 beside their virtual keys.
quint16 glyphFor(quint16 virtualKey)
{
    switch (virtualKey) {
    case mac_keys::Home:
    case mac_keys::End:
    case mac_keys::PageUp:
    case mac_keys::PageDown:
        return 0;
    default:
        return mac_keys::glyphOf(virtualKey);
    }
}

// The keysym by that name. xkbcommon also reads numbers ("0xff0d", "U002B") and a spelling of the
// vendor keys with an underscore ("XF86_AudioPlay") as keysyms; accelerators name their keys.
xkb_keysym_t keysymNamed(QStringView name, xkb_keysym_flags flags)
{
    const auto isHexDigit = [](QChar c) { return c.isDigit() || QStringView(u"abcdefABCDEF").contains(c); };
    const bool isNumber = name.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ||
                          ((name.front() == QLatin1Char('U') || name.front() == QLatin1Char('u')) &&
                           std::all_of(name.begin() + 1, name.end(), isHexDigit));
    if (isNumber || name.startsWith(QLatin1String("XF86_"), Qt::CaseInsensitive))
        return XKB_KEY_NoSymbol;
    return xkb_keysym_from_name(name.toUtf8().constData(), flags);
}

std::optional<MenuKeyEquivalent> namedKey(QStringView name)
{
    const auto find = [name]() -> const NamedKey* {
        if (const xkb_keysym_t keysym = keysymNamed(name, XKB_KEYSYM_CASE_INSENSITIVE)) {
            for (const KeysymKey& entry : keysymKeys) {
                if (entry.keysym == keysym)
                    return &entry.key;
            }
        }
        for (const WordKey& entry : qtOnlyKeys) {
            if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
                return &entry.key;
        }
        return nullptr;
    };
    const NamedKey* found = find();
    if (found == nullptr)
        return std::nullopt;
    MenuKeyEquivalent key;
    key.virtualKey = found->virtualKey;
    key.glyph = glyphFor(found->virtualKey);
    if (found->shownAs != nullptr)
        key.name = QLatin1String(found->shownAs);
    return key;
}

// GTK names the keys that type punctuation, and the keypad's operators and digits, by their
// keysyms ("plus", "KP_Add"). The keypad's separator types a comma or a point by locale.
std::optional<QChar> keysymCharacter(QStringView name)
{
    const xkb_keysym_t keysym = keysymNamed(name, XKB_KEYSYM_NO_FLAGS);
    const bool punctuation = keysym < 0x80 && QChar(char16_t(keysym)).isPunct();
    const bool symbol = keysym < 0x80 && QChar(char16_t(keysym)).isSymbol();
    const bool keypad =
        keysym >= XKB_KEY_KP_Multiply && keysym <= XKB_KEY_KP_9 && keysym != XKB_KEY_KP_Separator;
    if (!punctuation && !symbol && !keypad && keysym != XKB_KEY_KP_Equal)
        return std::nullopt;
    // By the keysym's own name, not an old alias of it ("quoteright").
    char canonical[64] = {};
    if (xkb_keysym_get_name(keysym, canonical, sizeof canonical) < 0 || name != QLatin1String(canonical))
        return std::nullopt;
    return QChar(char16_t(xkb_keysym_to_utf32(keysym)));
}

// macOS virtual key codes of F1 to F20; keys above have none.
constexpr auto functionKeyCodes = mac_keys::FUNCTION_KEYS;
// The notation has glyphs for F1 to F14 only.
constexpr int functionKeysWithGlyph = mac_keys::GLYPH_FUNCTION_KEYS;
constexpr int lastFunctionKey = 35;
constexpr quint16 firstFunctionKeyGlyph = mac_keys::FIRST_FUNCTION_KEY_GLYPH;

// Command is held unless the mask says NoCommand; while reading it is a bit of its own.
constexpr quint64 CommandHeld = quint64(1) << 32;

struct ModifierName {
    const char* name;
    quint64 bits;
};

constexpr ModifierName modifierNames[] = {
    {"Shift", AXModifier::Shift},
    {"Shft", AXModifier::Shift},
    {"Alt", AXModifier::Option},
    {"Mod1", AXModifier::Option},
    {"Control", AXModifier::Control},
    {"Ctrl", AXModifier::Control},
    {"Ctl", AXModifier::Control},
    {"Primary", AXModifier::Control},
    {"Super", CommandHeld},
    {"Meta", CommandHeld},
    {"Hyper", CommandHeld},
    {"Mod4", CommandHeld},
    // Qt marks keypad keys with a modifier of their own; the key itself says enough.
    {"Num", 0},
};

struct Modifiers {
    quint64 bits = 0;

    bool add(QStringView name)
    {
        for (const ModifierName& modifier : modifierNames) {
            if (name.compare(QLatin1String(modifier.name), Qt::CaseInsensitive) == 0) {
                bits |= modifier.bits;
                return true;
            }
        }
        return false;
    }

    quint64 finalMask() const
    {
        return (bits & CommandHeld) ? bits & ~CommandHeld : bits | AXModifier::NoCommand;
    }
};

std::optional<MenuKeyEquivalent> functionKey(QStringView name)
{
    if (name.size() < 2 || (name.front() != QLatin1Char('F') && name.front() != QLatin1Char('f')))
        return std::nullopt;
    bool ok = false;
    const int number = name.mid(1).toInt(&ok);
    if (!ok || name.at(1) == QLatin1Char('+') || name.at(1) == QLatin1Char('-'))
        return std::nullopt;
    if (number < 1 || number > lastFunctionKey)
        return std::nullopt;
    MenuKeyEquivalent key;
    if (number <= static_cast<int>(std::size(functionKeyCodes)))
        key.virtualKey = functionKeyCodes[number - 1];
    if (number <= functionKeysWithGlyph)
        key.glyph = firstFunctionKeyGlyph + static_cast<quint64>(number - 1);
    else
        key.name = QStringLiteral("F%1").arg(number);
    return key;
}

// clang-format off
// Every other key name Qt writes (QKeySequence::toString, portable and native forms alike on
// Linux): keys without a Mac counterpart, shown by these names.
constexpr const char* qtKeyNames[] = {
    "Add Favorite", "Adjust Brightness", "Adjust contrast", "Application Left", "Application Right",
    "Audio Cycle Track", "Audio Random Play", "Audio Repeat", "Away", "Back", "Back Forward",
    "Bass Boost", "Bass Down", "Bass Up", "Battery", "Blue", "Bluetooth", "Book", "Browser", "CD",
    "Calculator", "Calendar", "Call", "Camera Focus", "Camera Shutter", "Cancel", "CapsLock",
    "Channel Down", "Channel Up", "Clear", "Clear Grab", "Close", "Code input", "Community", "Context1",
    "Context2", "Context3", "Context4", "Copy", "Cut", "DOS", "Display", "Documents", "Eisu Shift",
    "Eisu toggle", "Eject", "Execute", "Exit", "Favorites", "Finance", "Find", "Flip", "Forward",
    "Game", "Go", "Green", "Guide", "Hangul", "Hangul Banja", "Hangul End", "Hangul Hanja",
    "Hangul Jamo", "Hangul Jeonja", "Hangul PostHanja", "Hangul PreHanja", "Hangul Romaja",
    "Hangul Special", "Hangul Start", "Hangup", "Hankaku", "Henkan", "Hibernate", "Hiragana",
    "Hiragana Katakana", "History", "Home Office", "Home Page", "Hot Links", "Info", "Kana Lock",
    "Kana Shift", "Kanji", "Katakana", "Keyboard Brightness Down", "Keyboard Brightness Up",
    "Keyboard Light On/Off", "Keyboard Menu", "Last Number Redial", "Launch (0)", "Launch (1)",
    "Launch (2)", "Launch (3)", "Launch (4)", "Launch (5)", "Launch (6)", "Launch (7)", "Launch (8)",
    "Launch (9)", "Launch (A)", "Launch (B)", "Launch (C)", "Launch (D)", "Launch (E)", "Launch (F)",
    "Launch (G)", "Launch (H)", "Launch Mail", "Launch Media", "LightBulb", "Logoff", "Mail Forward",
    "Market", "Massyo", "Media Fast Forward", "Media Next", "Media Pause", "Media Play",
    "Media Previous", "Media Record", "Media Rewind", "Media Stop", "Meeting", "Memo", "Menu PB",
    "Messenger", "Microphone Mute", "Microphone Volume Down", "Microphone Volume Up",
    "Monitor Brightness Down", "Monitor Brightness Up", "Muhenkan", "Multiple Candidate", "Music",
    "My Sites", "New", "News", "No", "NumLock", "Open", "Open URL", "Paste", "Phone", "Pictures",
    "Play", "Power Down", "Power Off", "Previous Candidate", "Printer", "Red", "Redo", "Refresh",
    "Reload", "Reply", "Romaji", "Rotate Windows", "Rotation KB", "Rotation PB", "Save", "Screensaver",
    "ScrollLock", "Search", "Select", "Send", "Settings", "Shop", "Sleep", "Spellchecker",
    "Split Screen", "Spreadsheet", "Standby", "Stop", "Subtitle", "Support", "Suspend", "SysReq",
    "Task Panel", "Terminal", "Time", "To-do list", "Toggle Call/Hangup", "Toggle Media Play/Pause",
    "Tools", "Top Menu", "Touchpad Off", "Touchpad On", "Touchpad Toggle", "Touroku", "Travel",
    "Treble Down", "Treble Up", "Ultra Wide Band", "Undo", "Video", "View", "Voice Dial", "Volume Mute",
    "WWW", "Wake Up", "WebCam", "Wireless", "Word Processor", "XFer", "Yellow", "Yes", "Zenkaku",
    "Zenkaku Hankaku", "Zoom", "Zoom In", "Zoom Out", "iTouch",
};
// clang-format on

// Qt names the rest of its keys in words ("Media Play", "Launch (A)", "Keyboard Light On/Off");
// such a key has no Mac counterpart and is shown by that name. GTK's vendor keys ("XF86Mail")
// are taken by their name alone, without the prefix that says nothing to the user.
std::optional<MenuKeyEquivalent> wordKey(QStringView name)
{
    MenuKeyEquivalent key;
    if (name.startsWith(QLatin1String("XF86")) && name.size() > 4) {
        const bool plain = std::all_of(name.begin(), name.end(),
                                       [](QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); });
        if (!plain)
            return std::nullopt;
        key.name = name.mid(4).toString();
        return key;
    }
    for (const char* known : qtKeyNames) {
        if (name == QLatin1String(known)) {
            key.name = name.toString();
            return key;
        }
    }
    return std::nullopt;
}

std::optional<MenuKeyEquivalent> characterKey(QChar character)
{
    if (character.isSurrogate() || character.isSpace() || character.category() == QChar::Other_Control)
        return std::nullopt;
    MenuKeyEquivalent key;
    // The simple mapping keeps one unit ("ß" stays), which the character attribute needs.
    key.character = QString(character.toUpper());
    return key;
}

// Qt names keys in words of its own; GTK by keysyms, of which only the vendor keys ("XF86...")
// are taken by their name alone: any other unknown keysym is a mistake, not a key.
enum class Notation { Gtk, Qt };

std::optional<MenuKeyEquivalent> keyNamed(QStringView name, Notation notation)
{
    if (name.isEmpty())
        return std::nullopt;
    if (name.size() == 1)
        return characterKey(name.front());
    if (std::optional<MenuKeyEquivalent> key = namedKey(name))
        return key;
    if (std::optional<MenuKeyEquivalent> key = functionKey(name))
        return key;
    // A function key beyond those Qt and X11 know is no key at all, not a key of that name.
    if (name.size() > 1 && (name.front() == QLatin1Char('F') || name.front() == QLatin1Char('f')) &&
        std::all_of(name.begin() + 1, name.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    if (const std::optional<QChar> character = keysymCharacter(name))
        return characterKey(*character);
    if (notation == Notation::Gtk && !name.startsWith(QLatin1String("XF86")))
        return std::nullopt;
    return wordKey(name);
}

std::optional<MenuKeyEquivalent> withModifiers(std::optional<MenuKeyEquivalent> key,
                                               const Modifiers& modifiers)
{
    if (key)
        key->modifiers = modifiers.finalMask();
    return key;
}

// "<Primary><Shift>o"
std::optional<MenuKeyEquivalent> parseGtk(QStringView accelerator)
{
    Modifiers modifiers;
    QStringView rest = accelerator;
    while (rest.startsWith(QLatin1Char('<'))) {
        const qsizetype close = rest.indexOf(QLatin1Char('>'));
        if (close < 0 || !modifiers.add(rest.mid(1, close - 1)))
            return std::nullopt;
        rest = rest.mid(close + 1);
    }
    return withModifiers(keyNamed(rest, Notation::Gtk), modifiers);
}

// "Ctrl+Shift+Return", "Ctrl++"
std::optional<MenuKeyEquivalent> parseQt(QStringView accelerator)
{
    Modifiers modifiers;
    QStringView rest = accelerator;
    for (;;) {
        const qsizetype plus = rest.indexOf(QLatin1Char('+'));
        // A "+" in first place, or as the whole rest, is the plus key itself.
        if (plus <= 0 || plus == rest.size() - 1)
            break;
        if (!modifiers.add(rest.left(plus)))
            return std::nullopt;
        rest = rest.mid(plus + 1);
    }
    return withModifiers(keyNamed(rest, Notation::Qt), modifiers);
}

// Qt joins its bindings with ";", which is also a key of its own ("Ctrl+;").
QStringList splitQtBindings(const QString& keyBinding)
{
    QStringList bindings;
    QString current;
    for (qsizetype i = 0; i < keyBinding.size(); ++i) {
        const QChar c = keyBinding.at(i);
        const bool isKey = current.isEmpty() || current.endsWith(QLatin1Char('+'));
        if (c == QLatin1Char(';') && !isKey) {
            bindings << current;
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        bindings << current;
    return bindings;
}

} // namespace

std::optional<MenuKeyEquivalent> AcceleratorParser::parseAccelerator(const QString& accelerator)
{
    const QString trimmed = accelerator.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    if (trimmed.startsWith(QLatin1Char('<')) && trimmed.size() > 1)
        return parseGtk(trimmed);
    return parseQt(trimmed);
}

bool AcceleratorParser::isMnemonic(const MenuKeyEquivalent& key, const QString& title)
{
    if (key.modifiers != (AXModifier::Option | AXModifier::NoCommand) || key.character.size() != 1 ||
        key.character.front().isSpace())
        return false;
    return title.contains(key.character, Qt::CaseInsensitive);
}

std::optional<MenuKeyEquivalent> AcceleratorParser::parseKeyBinding(const QString& keyBinding,
                                                                    const QString& title)
{
    // GTK's three fields never hold a "+": the plus key is spelt "plus" there. Its third field is
    // the accelerator proper, the first two are mnemonics.
    const QStringList fields = keyBinding.split(QLatin1Char(';'));
    if (fields.size() == 3 && !keyBinding.contains(QLatin1Char('+')))
        return parseAccelerator(fields.at(2));

    // Qt lists the mnemonic first, when the title has one, then the entry's shortcuts, the
    // primary one first: the first binding that is not the mnemonic decides, and one that
    // cannot be read means no shortcut.
    const QStringList bindings = splitQtBindings(keyBinding);
    for (qsizetype i = 0; i < bindings.size(); ++i) {
        std::optional<MenuKeyEquivalent> key = parseAccelerator(bindings.at(i));
        if (i == 0 && key && isMnemonic(*key, title))
            continue;
        return key;
    }
    return std::nullopt;
}

} // namespace tavlen::linux_platform
