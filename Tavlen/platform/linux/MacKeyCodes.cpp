#include "platform/linux/MacKeyCodes.h"

#include "platform/KeyInput.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <array>
#include <utility>

namespace tavlen::linux_platform {

namespace {

using Entry = MacKeyCodes::Entry;

// Ordered by macOS code (the kVK_ names of the Carbon headers, in comments where the key is not
// obvious from the evdev name).
constexpr std::array table{
    Entry{0, KEY_A},           Entry{1, KEY_S},
    Entry{2, KEY_D},           Entry{3, KEY_F},
    Entry{4, KEY_H},           Entry{5, KEY_G},
    Entry{6, KEY_Z},           Entry{7, KEY_X},
    Entry{8, KEY_C},           Entry{9, KEY_V},
    Entry{10, KEY_102ND}, // ISO section key, left of Z on ISO keyboards
    Entry{11, KEY_B},          Entry{12, KEY_Q},
    Entry{13, KEY_W},          Entry{14, KEY_E},
    Entry{15, KEY_R},          Entry{16, KEY_Y},
    Entry{17, KEY_T},          Entry{18, KEY_1},
    Entry{19, KEY_2},          Entry{20, KEY_3},
    Entry{21, KEY_4},          Entry{22, KEY_6},
    Entry{23, KEY_5},          Entry{24, KEY_EQUAL},
    Entry{25, KEY_9},          Entry{26, KEY_7},
    Entry{27, KEY_MINUS},      Entry{28, KEY_8},
    Entry{29, KEY_0},          Entry{30, KEY_RIGHTBRACE},
    Entry{31, KEY_O},          Entry{32, KEY_U},
    Entry{33, KEY_LEFTBRACE},  Entry{34, KEY_I},
    Entry{35, KEY_P},          Entry{36, KEY_ENTER}, // Return
    Entry{37, KEY_L},          Entry{38, KEY_J},
    Entry{39, KEY_APOSTROPHE}, Entry{40, KEY_K},
    Entry{41, KEY_SEMICOLON},  Entry{42, KEY_BACKSLASH},
    Entry{43, KEY_COMMA},      Entry{44, KEY_SLASH},
    Entry{45, KEY_N},          Entry{46, KEY_M},
    Entry{47, KEY_DOT},        Entry{48, KEY_TAB},
    Entry{49, KEY_SPACE},      Entry{50, KEY_GRAVE},
    Entry{51, KEY_BACKSPACE},                            // Delete
    Entry{53, KEY_ESC},        Entry{54, KEY_RIGHTMETA}, // right Command
    Entry{55, KEY_LEFTMETA},                             // Command
    Entry{56, KEY_LEFTSHIFT},  Entry{57, KEY_CAPSLOCK},
    Entry{58, KEY_LEFTALT}, // Option
    Entry{59, KEY_LEFTCTRL},   Entry{60, KEY_RIGHTSHIFT},
    Entry{61, KEY_RIGHTALT}, // right Option
    Entry{62, KEY_RIGHTCTRL},  Entry{64, KEY_F17},
    Entry{65, KEY_KPDOT},      Entry{67, KEY_KPASTERISK},
    Entry{69, KEY_KPPLUS},     Entry{71, KEY_NUMLOCK}, // keypad Clear sits where PC keyboards have Num Lock
    Entry{72, KEY_VOLUMEUP},   Entry{73, KEY_VOLUMEDOWN},
    Entry{74, KEY_MUTE},       Entry{75, KEY_KPSLASH},
    Entry{76, KEY_KPENTER},    Entry{78, KEY_KPMINUS},
    Entry{79, KEY_F18},        Entry{80, KEY_F19},
    Entry{81, KEY_KPEQUAL},    Entry{82, KEY_KP0},
    Entry{83, KEY_KP1},        Entry{84, KEY_KP2},
    Entry{85, KEY_KP3},        Entry{86, KEY_KP4},
    Entry{87, KEY_KP5},        Entry{88, KEY_KP6},
    Entry{89, KEY_KP7},        Entry{90, KEY_F20},
    Entry{91, KEY_KP8},        Entry{92, KEY_KP9},
    Entry{93, KEY_YEN},       // JIS Yen
    Entry{94, KEY_RO},        // JIS underscore
    Entry{95, KEY_KPJPCOMMA}, // JIS keypad comma
    Entry{96, KEY_F5},         Entry{97, KEY_F6},
    Entry{98, KEY_F7},         Entry{99, KEY_F3},
    Entry{100, KEY_F8},        Entry{101, KEY_F9},
    Entry{103, KEY_F11},       Entry{105, KEY_F13},
    Entry{106, KEY_F16},       Entry{107, KEY_F14},
    Entry{109, KEY_F10},       Entry{110, KEY_COMPOSE}, // context menu key
    Entry{111, KEY_F12},       Entry{113, KEY_F15},
    Entry{114, KEY_INSERT}, // Help sits where PC keyboards have Insert, and Apple keyboards send Insert
    Entry{115, KEY_HOME},      Entry{116, KEY_PAGEUP},
    Entry{117, KEY_DELETE}, // forward delete
    Entry{118, KEY_F4},        Entry{119, KEY_END},
    Entry{120, KEY_F2},        Entry{121, KEY_PAGEDOWN},
    Entry{122, KEY_F1},        Entry{123, KEY_LEFT},
    Entry{124, KEY_RIGHT},     Entry{125, KEY_DOWN},
    Entry{126, KEY_UP},
};

static_assert(std::is_sorted(table.begin(), table.end(),
                             [](const Entry& a, const Entry& b) { return a.mac < b.mac; }));

} // namespace

std::optional<quint16> MacKeyCodes::evdevFromMac(quint16 macKeyCode)
{
    const auto it = std::lower_bound(table.begin(), table.end(), macKeyCode,
                                     [](const Entry& entry, quint16 code) { return entry.mac < code; });
    if (it == table.end() || it->mac != macKeyCode)
        return std::nullopt;
    return it->evdev;
}

std::optional<quint16> MacKeyCodes::macFromEvdev(quint32 evdevKeyCode)
{
    const auto it = std::find_if(table.begin(), table.end(),
                                 [evdevKeyCode](const Entry& entry) { return entry.evdev == evdevKeyCode; });
    if (it == table.end())
        return std::nullopt;
    return it->mac;
}

QList<quint16> MacKeyCodes::evdevModifiersOf(qint64 eventFlags)
{
    static constexpr std::pair<qint64, quint16> modifierKeys[] = {
        {EventFlag::Command, KEY_LEFTMETA},
        {EventFlag::Control, KEY_LEFTCTRL},
        {EventFlag::Option, KEY_LEFTALT},
        {EventFlag::Shift, KEY_LEFTSHIFT},
    };
    QList<quint16> codes;
    for (const auto& [flag, code] : modifierKeys) {
        if (eventFlags & flag)
            codes.append(code);
    }
    return codes;
}

std::optional<quint32> MacKeyCodes::x11FromMac(quint16 macKeyCode)
{
    const auto evdev = evdevFromMac(macKeyCode);
    if (!evdev)
        return std::nullopt;
    return quint32(*evdev) + X11Offset;
}

std::optional<quint16> MacKeyCodes::macFromX11(quint32 x11KeyCode)
{
    if (x11KeyCode < X11Offset)
        return std::nullopt;
    return macFromEvdev(x11KeyCode - X11Offset);
}

std::span<const MacKeyCodes::Entry> MacKeyCodes::entries()
{
    return table;
}

} // namespace tavlen::linux_platform
