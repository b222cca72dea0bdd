#include "platform/linux/AcceleratorParser.h"

#include "platform/MacKeys.h"

#include <QStringList>

#include <algorithm>

namespace tavlen::linux_platform {
namespace {

namespace AXModifier = mac_keys::modifier;

struct NamedKey {
    const char* name;
    quint16 virtualKey;
    quint16 glyph;
    // What the sheet shows when the notation has no symbol for the virtual key; null when it has.
    const char* shownAs = nullptr;
};

// Keys without a character of their own, GTK's keysym names and Qt's key names side by side.
// The glyph is the notation's glyph code for the same key; Home, End and the page keys get none,
// as their glyph codes (115, 119, 116, 121) fall among the function-key glyphs and would be
// read as F5, F9, F6 and F11 beside their virtual keys. Insert is the Mac's Help key, where PC
// keyboards have Insert.
constexpr NamedKey namedKeys[] = {
    {"Return", mac_keys::Return, mac_keys::glyphOf(mac_keys::Return)},
    {"KP_Enter", mac_keys::Enter, mac_keys::glyphOf(mac_keys::Enter)},
    {"Enter", mac_keys::Enter, mac_keys::glyphOf(mac_keys::Enter)},
    {"Tab", mac_keys::Tab, mac_keys::glyphOf(mac_keys::Tab)},
    {"ISO_Left_Tab", mac_keys::Tab, mac_keys::glyphOf(mac_keys::Tab)},
    {"Backtab", mac_keys::Tab, mac_keys::glyphOf(mac_keys::Tab)},
    {"space", mac_keys::Space, mac_keys::glyphOf(mac_keys::Space)},
    {"BackSpace", mac_keys::Delete, 0},
    {"Delete", mac_keys::ForwardDelete, 0},
    {"Del", mac_keys::ForwardDelete, 0},
    {"KP_Delete", mac_keys::ForwardDelete, 0},
    {"Escape", mac_keys::Escape, mac_keys::glyphOf(mac_keys::Escape)},
    {"Esc", mac_keys::Escape, mac_keys::glyphOf(mac_keys::Escape)},
    {"Home", mac_keys::Home, 0},
    {"KP_Home", mac_keys::Home, 0},
    {"End", mac_keys::End, 0},
    {"KP_End", mac_keys::End, 0},
    {"Page_Up", mac_keys::PageUp, 0},
    {"Prior", mac_keys::PageUp, 0},
    {"PgUp", mac_keys::PageUp, 0},
    {"KP_Page_Up", mac_keys::PageUp, 0},
    {"KP_Prior", mac_keys::PageUp, 0},
    {"Page_Down", mac_keys::PageDown, 0},
    {"Next", mac_keys::PageDown, 0},
    {"PgDown", mac_keys::PageDown, 0},
    {"KP_Page_Down", mac_keys::PageDown, 0},
    {"KP_Next", mac_keys::PageDown, 0},
    {"Left", mac_keys::LeftArrow, mac_keys::glyphOf(mac_keys::LeftArrow)},
    {"KP_Left", mac_keys::LeftArrow, mac_keys::glyphOf(mac_keys::LeftArrow)},
    {"Right", mac_keys::RightArrow, mac_keys::glyphOf(mac_keys::RightArrow)},
    {"KP_Right", mac_keys::RightArrow, mac_keys::glyphOf(mac_keys::RightArrow)},
    {"Down", mac_keys::DownArrow, mac_keys::glyphOf(mac_keys::DownArrow)},
    {"KP_Down", mac_keys::DownArrow, mac_keys::glyphOf(mac_keys::DownArrow)},
    {"Up", mac_keys::UpArrow, mac_keys::glyphOf(mac_keys::UpArrow)},
    {"KP_Up", mac_keys::UpArrow, mac_keys::glyphOf(mac_keys::UpArrow)},
    {"Ins", mac_keys::Help, 0, "Ins"},
    {"Insert", mac_keys::Help, 0, "Ins"},
    {"KP_Insert", mac_keys::Help, 0, "Ins"},
    {"Help", mac_keys::Help, 0, "Help"},
    {"Volume Up", mac_keys::VolumeUp, 0, "Volume Up"},
    {"XF86AudioRaiseVolume", mac_keys::VolumeUp, 0, "Volume Up"},
    {"Volume Down", mac_keys::VolumeDown, 0, "Volume Down"},
    {"XF86AudioLowerVolume", mac_keys::VolumeDown, 0, "Volume Down"},
    {"Print", 0, 0, "Print"},
    {"Pause", 0, 0, "Pause"},
    {"Menu", 0, 0, "Menu"},
    {"Scroll_Lock", 0, 0, "ScrollLock"},
    {"Num_Lock", 0, 0, "NumLock"},
    {"Caps_Lock", 0, 0, "CapsLock"},
    {"Sys_Req", 0, 0, "SysReq"},
    {"XF86AudioPlay", 0, 0, "Media Play"},
    {"XF86AudioStop", 0, 0, "Media Stop"},
    {"XF86AudioPrev", 0, 0, "Media Previous"},
    {"XF86AudioNext", 0, 0, "Media Next"},
    {"XF86AudioMute", 0, 0, "Volume Mute"},
};

// macOS virtual key codes of F1 to F20; keys above have none.
constexpr auto functionKeyCodes = mac_keys::FUNCTION_KEYS;
// The notation has glyphs for F1 to F14 only.
constexpr int functionKeysWithGlyph = mac_keys::GLYPH_FUNCTION_KEYS;
constexpr int lastFunctionKey = 35;
constexpr quint16 firstFunctionKeyGlyph = mac_keys::FIRST_FUNCTION_KEY_GLYPH;

struct KeysymCharacter {
    const char* name;
    char16_t character;
};

// GTK names the keys that type punctuation by their keysyms.
constexpr KeysymCharacter keysymCharacters[] = {
    {"plus", u'+'},       {"minus", u'-'},       {"equal", u'='},        {"comma", u','},
    {"period", u'.'},     {"slash", u'/'},       {"backslash", u'\\'},   {"semicolon", u';'},
    {"colon", u':'},      {"apostrophe", u'\''}, {"quotedbl", u'"'},     {"grave", u'`'},
    {"asciitilde", u'~'}, {"bracketleft", u'['}, {"bracketright", u']'}, {"braceleft", u'{'},
    {"braceright", u'}'}, {"parenleft", u'('},   {"parenright", u')'},   {"less", u'<'},
    {"greater", u'>'},    {"question", u'?'},    {"exclam", u'!'},       {"numbersign", u'#'},
    {"dollar", u'$'},     {"percent", u'%'},     {"ampersand", u'&'},    {"asterisk", u'*'},
    {"underscore", u'_'}, {"bar", u'|'},         {"at", u'@'},           {"asciicircum", u'^'},
    {"KP_Add", u'+'},     {"KP_Subtract", u'-'}, {"KP_Multiply", u'*'},  {"KP_Divide", u'/'},
    {"KP_Decimal", u'.'}, {"KP_Equal", u'='},
};

enum class ModifierKind { Shift, Option, Control, Command, Ignored, Unknown };

ModifierKind modifierKind(QStringView name)
{
    const auto is = [&](const char* candidate) {
        return name.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0;
    };
    if (is("Shift") || is("Shft"))
        return ModifierKind::Shift;
    if (is("Alt") || is("Mod1"))
        return ModifierKind::Option;
    if (is("Control") || is("Ctrl") || is("Ctl") || is("Primary"))
        return ModifierKind::Control;
    if (is("Super") || is("Meta") || is("Hyper") || is("Mod4"))
        return ModifierKind::Command;
    // Qt marks keypad keys with a modifier of their own; the key itself says enough.
    if (is("Num"))
        return ModifierKind::Ignored;
    return ModifierKind::Unknown;
}

struct Modifiers {
    quint64 mask = 0;
    bool command = false;

    bool add(QStringView name)
    {
        switch (modifierKind(name)) {
        case ModifierKind::Shift:
            mask |= AXModifier::Shift;
            return true;
        case ModifierKind::Option:
            mask |= AXModifier::Option;
            return true;
        case ModifierKind::Control:
            mask |= AXModifier::Control;
            return true;
        case ModifierKind::Command:
            command = true;
            return true;
        case ModifierKind::Ignored:
            return true;
        case ModifierKind::Unknown:
            return false;
        }
        return false;
    }

    quint64 finalMask() const { return command ? mask : mask | AXModifier::NoCommand; }
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
    for (const NamedKey& named : namedKeys) {
        if (name.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0) {
            MenuKeyEquivalent key;
            key.virtualKey = named.virtualKey;
            key.glyph = named.glyph;
            if (named.shownAs != nullptr)
                key.name = QLatin1String(named.shownAs);
            return key;
        }
    }
    if (std::optional<MenuKeyEquivalent> key = functionKey(name))
        return key;
    // A function key beyond those Qt and X11 know is no key at all, not a key of that name.
    if (name.size() > 1 && (name.front() == QLatin1Char('F') || name.front() == QLatin1Char('f')) &&
        std::all_of(name.begin() + 1, name.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    for (const KeysymCharacter& keysym : keysymCharacters) {
        if (name == QLatin1String(keysym.name))
            return characterKey(QChar(keysym.character));
    }
    // Keypad digits type their digit.
    if (name.size() == 4 && name.startsWith(QLatin1String("KP_")) && name.at(3).isDigit())
        return characterKey(name.at(3));
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
