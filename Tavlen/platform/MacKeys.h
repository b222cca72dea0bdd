#pragma once

#include <QtGlobal>

#include <array>

namespace tavlen::mac_keys {

// Tavlen's key vocabulary: the macOS virtual key codes (the code space of stored shortcuts and
// export files, see KeyboardLayout), the menu glyph codes and modifier bits a menu element's key
// equivalent is read in, and what the sheet draws for the keys that have no character. The
// notation, the accelerator parser, the harvest and the Linux key-code table all read them here.

// Virtual key codes of the keys that have names.
inline constexpr quint16 Return = 36;
inline constexpr quint16 Tab = 48;
inline constexpr quint16 Space = 49;
inline constexpr quint16 Delete = 51; // the backspace key
inline constexpr quint16 Escape = 53;
inline constexpr quint16 Command = 55;
inline constexpr quint16 Shift = 56;
inline constexpr quint16 Option = 58;
inline constexpr quint16 Control = 59;
inline constexpr quint16 RightCommand = 54;
inline constexpr quint16 RightShift = 60;
inline constexpr quint16 RightOption = 61;
inline constexpr quint16 RightControl = 62;
inline constexpr quint16 Function = 63;
inline constexpr quint16 Microphone = 74;
inline constexpr quint16 Enter = 76; // the keypad's
inline constexpr quint16 Home = 115;
inline constexpr quint16 PageUp = 116;
inline constexpr quint16 ForwardDelete = 117;
inline constexpr quint16 End = 119;
inline constexpr quint16 PageDown = 121;
inline constexpr quint16 LeftArrow = 123;
inline constexpr quint16 RightArrow = 124;
inline constexpr quint16 DownArrow = 125;
inline constexpr quint16 UpArrow = 126;
inline constexpr quint16 Help = 114; // where PC keyboards have Insert
inline constexpr quint16 VolumeUp = 72;
inline constexpr quint16 VolumeDown = 73;

// Virtual key codes of F1 to F20, in order. They lie between these two codes.
inline constexpr std::array<quint16, 20> FUNCTION_KEYS = {122, 120, 99,  118, 96,  97,  98, 100, 101, 109,
                                                          103, 111, 105, 107, 113, 106, 64, 79,  80,  90};
inline constexpr quint16 FIRST_FUNCTION_KEY_CODE = 64;
inline constexpr quint16 LAST_FUNCTION_KEY_CODE = 122;

// Menu glyph codes: F1 to F14 follow each other from this one.
inline constexpr quint16 FIRST_FUNCTION_KEY_GLYPH = 111;
inline constexpr int GLYPH_FUNCTION_KEYS = 14;

// The bits of a menu element's modifier mask ("AXMenuItemCmdModifiers"); Command is held
// unless NoCommand is set.
namespace modifier {
inline constexpr quint64 Shift = 1;
inline constexpr quint64 Option = 2;
inline constexpr quint64 Control = 4;
inline constexpr quint64 NoCommand = 8;
inline constexpr quint64 FunctionTest = 16;
} // namespace modifier

// A key without a character: its virtual key code, its menu glyph code (0 where menus have
// none), the symbol the sheet draws, and whether it is a modifier-like key (held with others,
// never recorded as a shortcut's key on its own).
struct NamedKey {
    quint16 virtualKey;
    quint16 glyph;
    const char16_t* symbol;
    bool modifier;
};

inline constexpr NamedKey NAMED_KEYS[] = {
    {Return, 36, u"⏎", false},        {Tab, 9, u"⇥", false},
    {Space, 49, u"␣", false},         {Delete, 0, u"⌫", false},
    {Escape, 27, u"⎋", false},        {Command, 55, u"⌘", true},
    {Shift, 54, u"⇧", true},          {Option, 58, u"⌥", true},
    {Control, 56, u"⌃", true},        {Function, 63, u"🌐", true},
    {Microphone, 150, u"🎙", true}, {Enter, 76, u"⌅", false},
    {Home, 115, u"↖", false},         {PageUp, 116, u"⇞", false},
    {ForwardDelete, 0, u"⌦", false},  {End, 119, u"↘", false},
    {PageDown, 121, u"⇟", false},     {LeftArrow, 123, u"←", false},
    {RightArrow, 124, u"→", false},   {DownArrow, 125, u"↓", false},
    {UpArrow, 126, u"↑", false},
};

// The named key with that virtual key code or glyph code; null when there is none.
constexpr const NamedKey* namedKeyWithCode(quint64 virtualKey)
{
    for (const NamedKey& key : NAMED_KEYS) {
        if (key.virtualKey == virtualKey)
            return &key;
    }
    return nullptr;
}
constexpr const NamedKey* namedKeyWithGlyph(quint64 glyph)
{
    for (const NamedKey& key : NAMED_KEYS) {
        if (glyph != 0 && key.glyph == glyph)
            return &key;
    }
    return nullptr;
}

// The menu glyph code of a named key; 0 when menus have none for it.
constexpr quint16 glyphOf(quint16 virtualKey)
{
    const NamedKey* key = namedKeyWithCode(virtualKey);
    return key != nullptr ? key->glyph : 0;
}

// The virtual key code of F1 … F20, by its number.
constexpr quint16 functionKey(int number)
{
    return FUNCTION_KEYS[static_cast<std::size_t>(number - 1)];
}

// 1 for F1 … 20 for F20; 0 for any other code.
constexpr int functionKeyNumber(quint64 virtualKey)
{
    for (std::size_t i = 0; i < FUNCTION_KEYS.size(); ++i) {
        if (FUNCTION_KEYS[i] == virtualKey)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

} // namespace tavlen::mac_keys
