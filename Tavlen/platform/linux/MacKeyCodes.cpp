#include "platform/linux/MacKeyCodes.h"

#include "platform/KeyInput.h"
#include "platform/MacKeys.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <array>
#include <utility>

namespace tavlen::linux_platform {

namespace {

using Entry = MacKeyCodes::Entry;

// Ordered by macOS code: by name where the key vocabulary names the key, else by number (the
// kVK_ names of the Carbon headers in comments where the key is not obvious from the evdev name).
constexpr std::array table{
    Entry{0, KEY_A},
    Entry{1, KEY_S},
    Entry{2, KEY_D},
    Entry{3, KEY_F},
    Entry{4, KEY_H},
    Entry{5, KEY_G},
    Entry{6, KEY_Z},
    Entry{7, KEY_X},
    Entry{8, KEY_C},
    Entry{9, KEY_V},
    Entry{10, KEY_102ND}, // ISO section key, left of Z on ISO keyboards
    Entry{11, KEY_B},
    Entry{12, KEY_Q},
    Entry{13, KEY_W},
    Entry{14, KEY_E},
    Entry{15, KEY_R},
    Entry{16, KEY_Y},
    Entry{17, KEY_T},
    Entry{18, KEY_1},
    Entry{19, KEY_2},
    Entry{20, KEY_3},
    Entry{21, KEY_4},
    Entry{22, KEY_6},
    Entry{23, KEY_5},
    Entry{24, KEY_EQUAL},
    Entry{25, KEY_9},
    Entry{26, KEY_7},
    Entry{27, KEY_MINUS},
    Entry{28, KEY_8},
    Entry{29, KEY_0},
    Entry{30, KEY_RIGHTBRACE},
    Entry{31, KEY_O},
    Entry{32, KEY_U},
    Entry{33, KEY_LEFTBRACE},
    Entry{34, KEY_I},
    Entry{35, KEY_P},
    Entry{mac_keys::Return, KEY_ENTER},
    Entry{37, KEY_L},
    Entry{38, KEY_J},
    Entry{39, KEY_APOSTROPHE},
    Entry{40, KEY_K},
    Entry{41, KEY_SEMICOLON},
    Entry{42, KEY_BACKSLASH},
    Entry{43, KEY_COMMA},
    Entry{44, KEY_SLASH},
    Entry{45, KEY_N},
    Entry{46, KEY_M},
    Entry{47, KEY_DOT},
    Entry{mac_keys::Tab, KEY_TAB},
    Entry{mac_keys::Space, KEY_SPACE},
    Entry{50, KEY_GRAVE},
    Entry{mac_keys::Delete, KEY_BACKSPACE},
    Entry{mac_keys::Escape, KEY_ESC},
    Entry{mac_keys::RightCommand, KEY_RIGHTMETA},
    Entry{mac_keys::Command, KEY_LEFTMETA},
    Entry{mac_keys::Shift, KEY_LEFTSHIFT},
    Entry{57, KEY_CAPSLOCK},
    Entry{mac_keys::Option, KEY_LEFTALT},
    Entry{mac_keys::Control, KEY_LEFTCTRL},
    Entry{mac_keys::RightShift, KEY_RIGHTSHIFT},
    Entry{mac_keys::RightOption, KEY_RIGHTALT},
    Entry{mac_keys::RightControl, KEY_RIGHTCTRL},
    Entry{mac_keys::functionKey(17), KEY_F17},
    Entry{65, KEY_KPDOT},
    Entry{67, KEY_KPASTERISK},
    Entry{69, KEY_KPPLUS},
    Entry{71, KEY_NUMLOCK}, // keypad Clear sits where PC keyboards have Num Lock
    Entry{mac_keys::VolumeUp, KEY_VOLUMEUP},
    Entry{mac_keys::VolumeDown, KEY_VOLUMEDOWN},
    Entry{74, KEY_MUTE},
    Entry{75, KEY_KPSLASH},
    Entry{mac_keys::Enter, KEY_KPENTER},
    Entry{78, KEY_KPMINUS},
    Entry{mac_keys::functionKey(18), KEY_F18},
    Entry{mac_keys::functionKey(19), KEY_F19},
    Entry{81, KEY_KPEQUAL},
    Entry{82, KEY_KP0},
    Entry{83, KEY_KP1},
    Entry{84, KEY_KP2},
    Entry{85, KEY_KP3},
    Entry{86, KEY_KP4},
    Entry{87, KEY_KP5},
    Entry{88, KEY_KP6},
    Entry{89, KEY_KP7},
    Entry{mac_keys::functionKey(20), KEY_F20},
    Entry{91, KEY_KP8},
    Entry{92, KEY_KP9},
    Entry{93, KEY_YEN},       // JIS Yen
    Entry{94, KEY_RO},        // JIS underscore
    Entry{95, KEY_KPJPCOMMA}, // JIS keypad comma
    Entry{mac_keys::functionKey(5), KEY_F5},
    Entry{mac_keys::functionKey(6), KEY_F6},
    Entry{mac_keys::functionKey(7), KEY_F7},
    Entry{mac_keys::functionKey(3), KEY_F3},
    Entry{mac_keys::functionKey(8), KEY_F8},
    Entry{mac_keys::functionKey(9), KEY_F9},
    Entry{mac_keys::functionKey(11), KEY_F11},
    Entry{mac_keys::functionKey(13), KEY_F13},
    Entry{mac_keys::functionKey(16), KEY_F16},
    Entry{mac_keys::functionKey(14), KEY_F14},
    Entry{mac_keys::functionKey(10), KEY_F10},
    Entry{110, KEY_COMPOSE}, // context menu key
    Entry{mac_keys::functionKey(12), KEY_F12},
    Entry{mac_keys::functionKey(15), KEY_F15},
    Entry{mac_keys::Help,
          KEY_INSERT}, // Help sits where PC keyboards have Insert, and Apple keyboards send Insert
    Entry{mac_keys::Home, KEY_HOME},
    Entry{mac_keys::PageUp, KEY_PAGEUP},
    Entry{mac_keys::ForwardDelete, KEY_DELETE},
    Entry{mac_keys::functionKey(4), KEY_F4},
    Entry{mac_keys::End, KEY_END},
    Entry{mac_keys::functionKey(2), KEY_F2},
    Entry{mac_keys::PageDown, KEY_PAGEDOWN},
    Entry{mac_keys::functionKey(1), KEY_F1},
    Entry{mac_keys::LeftArrow, KEY_LEFT},
    Entry{mac_keys::RightArrow, KEY_RIGHT},
    Entry{mac_keys::DownArrow, KEY_DOWN},
    Entry{mac_keys::UpArrow, KEY_UP},
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
