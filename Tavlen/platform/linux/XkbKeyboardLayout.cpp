#include "platform/linux/XkbKeyboardLayout.h"

#include "platform/linux/MacKeyCodes.h"
#include "platform/linux/ReleasedBy.h"

#include <QStringList>

#include <xcb/xcb.h>
// xcb's XKB header names a struct member "explicit", which is a keyword in C++.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <bitset>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tavlen::linux_platform {

namespace {

using ContextPtr = ReleasedBy<xkb_context, xkb_context_unref>;
using KeymapPtr = ReleasedBy<xkb_keymap, xkb_keymap_unref>;
using StatePtr = ReleasedBy<xkb_state, xkb_state_unref>;
using ConnectionPtr = ReleasedBy<xcb_connection_t, xcb_disconnect>;
// xcb's replies are blocks of malloc.
template <typename T>
using ReplyPtr = ReleasedBy<T, std::free>;

QByteArray utf8OrNull(const QString& text)
{
    return text.isEmpty() ? QByteArray() : text.toUtf8();
}

const char* pointerOrNull(const QByteArray& bytes)
{
    return bytes.isNull() ? nullptr : bytes.constData();
}

// XKB layout ids in the usual notation, "de" or "de(nodeadkeys)", one per group.
QStringList layoutIds(const QString& layouts, const QString& variants)
{
    const QStringList layoutList = layouts.split(QLatin1Char(','));
    const QStringList variantList = variants.split(QLatin1Char(','));
    QStringList ids;
    for (qsizetype i = 0; i < layoutList.size(); ++i) {
        QString id = layoutList[i].trimmed();
        const QString variant = i < variantList.size() ? variantList[i].trimmed() : QString();
        if (!variant.isEmpty())
            id += QLatin1Char('(') + variant + QLatin1Char(')');
        ids << id;
    }
    return ids;
}

bool isKeypadKeysym(xkb_keysym_t keysym)
{
    return keysym >= XKB_KEY_KP_Space && keysym <= XKB_KEY_KP_Equal;
}

// The character at the given level, none for keysyms without one (dead keys, modifiers).
std::optional<char32_t> levelCharacter(xkb_keymap* keymap, xkb_keycode_t keycode, xkb_layout_index_t group,
                                       xkb_level_index_t level, xkb_keysym_t* keysymOut = nullptr)
{
    const xkb_keysym_t* keysyms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(keymap, keycode, group, level, &keysyms);
    if (count != 1)
        return std::nullopt;
    if (keysymOut)
        *keysymOut = keysyms[0];
    const char32_t character = xkb_keysym_to_utf32(keysyms[0]);
    if (character == 0)
        return std::nullopt;
    return character;
}

std::optional<char32_t> keyCharacter(xkb_keymap* keymap, xkb_keycode_t keycode, xkb_layout_index_t group)
{
    xkb_keysym_t keysym = XKB_KEY_NoSymbol;
    if (auto character = levelCharacter(keymap, keycode, group, 0, &keysym))
        return character;
    // Level 1 of a keypad key is its navigation function (KP_End); Mac keypads, whose numbering
    // the key codes follow, have no Num Lock and always type the digit, which is level 2 here.
    if (isKeypadKeysym(keysym))
        return levelCharacter(keymap, keycode, group, 1);
    return std::nullopt;
}

// A group counts as Latin ("ASCII-capable") when every letter a to z can be typed without a
// modifier; that holds for QWERTY, QWERTZ, AZERTY and Dvorak alike, and fails for Cyrillic,
// Greek and the like.
bool isLatinGroup(xkb_keymap* keymap, xkb_layout_index_t group)
{
    std::bitset<26> letters;
    const xkb_keycode_t last = xkb_keymap_max_keycode(keymap);
    for (xkb_keycode_t keycode = xkb_keymap_min_keycode(keymap); keycode <= last; ++keycode) {
        const auto character = levelCharacter(keymap, keycode, group, 0);
        if (character && *character >= U'a' && *character <= U'z')
            letters.set(*character - U'a');
        if (keycode == last) // last may be the largest keycode value
            break;
    }
    return letters.all();
}

} // namespace

class XkbKeyboardLayout::Private {
public:
    ContextPtr context{xkb_context_new(XKB_CONTEXT_NO_FLAGS)};
    KeymapPtr keymap;
    xkb_layout_index_t currentGroup = 0;
    std::optional<xkb_layout_index_t> latinGroup;
    QStringList ids;
    // Built only when the keymap has no Latin group at all.
    KeymapPtr latinFallback;

    // Set while following the X server.
    ConnectionPtr connection;
    int screenNumber = 0;
    std::int32_t deviceId = -1;
    std::uint8_t xkbEventBase = 0;

    void loadFromNames(const Names& names);
    bool connectToServer();
    void loadFromServer();
    void readServerRuleNames();
    void pollServer();
    void keymapChanged();
    xkb_keymap* latinKeymap(xkb_layout_index_t& group);
};

void XkbKeyboardLayout::Private::loadFromNames(const Names& names)
{
    if (!context)
        return;
    const QByteArray rules = utf8OrNull(names.rules);
    const QByteArray model = utf8OrNull(names.model);
    const QByteArray layout = utf8OrNull(names.layout);
    const QByteArray variant = utf8OrNull(names.variant);
    const QByteArray options = utf8OrNull(names.options);
    const xkb_rule_names ruleNames{pointerOrNull(rules), pointerOrNull(model), pointerOrNull(layout),
                                   pointerOrNull(variant), pointerOrNull(options)};
    keymap.reset(xkb_keymap_new_from_names(context.get(), &ruleNames, XKB_KEYMAP_COMPILE_NO_FLAGS));
    currentGroup = 0;

    // xkbcommon replaces an empty layout by its default, and then takes the default variant
    // with it; the ids follow the same rule.
    if (names.layout.isEmpty()) {
        QString defaultLayout = qEnvironmentVariable("XKB_DEFAULT_LAYOUT");
        if (defaultLayout.isEmpty())
            defaultLayout = QStringLiteral("us");
        ids = layoutIds(defaultLayout, qEnvironmentVariable("XKB_DEFAULT_VARIANT"));
    } else {
        ids = layoutIds(names.layout, names.variant);
    }
    keymapChanged();
}

bool XkbKeyboardLayout::Private::connectToServer()
{
    if (!context)
        return false;
    ConnectionPtr candidate(xcb_connect(nullptr, &screenNumber));
    if (!candidate || xcb_connection_has_error(candidate.get()))
        return false;
    if (!xkb_x11_setup_xkb_extension(candidate.get(), XKB_X11_MIN_MAJOR_XKB_VERSION,
                                     XKB_X11_MIN_MINOR_XKB_VERSION, XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS,
                                     nullptr, nullptr, &xkbEventBase, nullptr))
        return false;
    deviceId = xkb_x11_get_core_keyboard_device_id(candidate.get());
    if (deviceId == -1)
        return false;

    // Layout switches and new keymaps arrive as events, read whenever the layout is asked;
    // modifier changes are not selected, so the queue stays short between questions.
    constexpr std::uint16_t events = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY |
                                     XCB_XKB_EVENT_TYPE_STATE_NOTIFY;
    constexpr std::uint16_t mapParts = XCB_XKB_MAP_PART_KEY_TYPES | XCB_XKB_MAP_PART_KEY_SYMS |
                                       XCB_XKB_MAP_PART_MODIFIER_MAP | XCB_XKB_MAP_PART_EXPLICIT_COMPONENTS |
                                       XCB_XKB_MAP_PART_KEY_ACTIONS | XCB_XKB_MAP_PART_VIRTUAL_MODS |
                                       XCB_XKB_MAP_PART_VIRTUAL_MOD_MAP;
    constexpr std::uint16_t groupParts =
        XCB_XKB_STATE_PART_GROUP_BASE | XCB_XKB_STATE_PART_GROUP_LATCH | XCB_XKB_STATE_PART_GROUP_LOCK;
    xcb_xkb_select_events_details_t details{};
    details.affectNewKeyboard = XCB_XKB_NKN_DETAIL_KEYCODES;
    details.newKeyboardDetails = XCB_XKB_NKN_DETAIL_KEYCODES;
    details.affectState = groupParts;
    details.stateDetails = groupParts;
    const xcb_void_cookie_t cookie =
        xcb_xkb_select_events_aux_checked(candidate.get(), static_cast<xcb_xkb_device_spec_t>(deviceId),
                                          events, 0, 0, mapParts, mapParts, &details);
    ReplyPtr<xcb_generic_error_t> error(xcb_request_check(candidate.get(), cookie));
    if (error)
        return false;

    connection = std::move(candidate);
    loadFromServer();
    if (!keymap) {
        connection.reset();
        return false;
    }
    return true;
}

void XkbKeyboardLayout::Private::loadFromServer()
{
    KeymapPtr serverKeymap(xkb_x11_keymap_new_from_device(context.get(), connection.get(), deviceId,
                                                          XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!serverKeymap)
        return; // keep what we had
    StatePtr state(xkb_x11_state_new_from_device(serverKeymap.get(), connection.get(), deviceId));
    keymap = std::move(serverKeymap);
    currentGroup = state ? xkb_state_serialize_layout(state.get(), XKB_STATE_LAYOUT_EFFECTIVE) : 0;
    readServerRuleNames();
    keymapChanged();
}

// The names the keymap was made from ("evdev", "pc105", "de,us", ...) are published on the root
// window by whoever set it (setxkbmap, the desktop's settings daemon).
void XkbKeyboardLayout::Private::readServerRuleNames()
{
    ids.clear();
    xcb_connection_t* c = connection.get();
    const char atomName[] = "_XKB_RULES_NAMES";
    ReplyPtr<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof atomName - 1, atomName), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return;

    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem == 0)
        return;

    ReplyPtr<xcb_get_property_reply_t> property(xcb_get_property_reply(
        c, xcb_get_property(c, 0, screens.data->root, atom->atom, XCB_ATOM_STRING, 0, 1024), nullptr));
    if (!property || property->format != 8)
        return;
    const int length = xcb_get_property_value_length(property.get());
    const char* value = static_cast<const char*>(xcb_get_property_value(property.get()));
    // rules, model, layout, variant, options, each ended by a NUL (the last one may be cut off).
    const QList<QByteArray> fields = QByteArray(value, length).split('\0');
    if (fields.size() < 3 || fields[2].isEmpty())
        return;
    ids =
        layoutIds(QString::fromUtf8(fields[2]), fields.size() > 3 ? QString::fromUtf8(fields[3]) : QString());
}

void XkbKeyboardLayout::Private::pollServer()
{
    if (!connection)
        return;
    if (xcb_connection_has_error(connection.get())) {
        // The server went away: keep answering from the last keymap.
        connection.reset();
        return;
    }
    bool reload = false;
    while (xcb_generic_event_t* raw = xcb_poll_for_event(connection.get())) {
        ReplyPtr<xcb_generic_event_t> event(raw);
        if ((event->response_type & 0x7F) != xkbEventBase)
            continue;
        // Every XKB event starts with the same header: type, XKB type, sequence, time, device.
        const auto* any = reinterpret_cast<const xcb_xkb_state_notify_event_t*>(event.get());
        if (any->deviceID != deviceId)
            continue;
        switch (any->xkbType) {
        case XCB_XKB_NEW_KEYBOARD_NOTIFY:
        case XCB_XKB_MAP_NOTIFY:
            reload = true;
            break;
        case XCB_XKB_STATE_NOTIFY:
            currentGroup = any->group;
            break;
        default:
            break;
        }
    }
    if (reload)
        loadFromServer();
}

void XkbKeyboardLayout::Private::keymapChanged()
{
    latinGroup.reset();
    if (!keymap)
        return;
    const xkb_layout_index_t groups = xkb_keymap_num_layouts(keymap.get());
    for (xkb_layout_index_t group = 0; group < groups; ++group) {
        if (isLatinGroup(keymap.get(), group)) {
            latinGroup = group;
            break;
        }
    }
}

xkb_keymap* XkbKeyboardLayout::Private::latinKeymap(xkb_layout_index_t& group)
{
    if (latinGroup) {
        group = *latinGroup;
        return keymap.get();
    }
    // Only non-Latin layouts configured (rare on X, which wants a Latin group for shortcuts):
    // the US layout stands in, as macOS always has an ASCII-capable source.
    if (!latinFallback && context) {
        const xkb_rule_names us{nullptr, nullptr, "us", "", ""};
        latinFallback.reset(xkb_keymap_new_from_names(context.get(), &us, XKB_KEYMAP_COMPILE_NO_FLAGS));
    }
    group = 0;
    return latinFallback.get();
}

XkbKeyboardLayout::XkbKeyboardLayout() : d(std::make_unique<Private>())
{
    if (!d->connectToServer())
        d->loadFromNames({});
}

XkbKeyboardLayout::XkbKeyboardLayout(const Names& names) : d(std::make_unique<Private>())
{
    d->loadFromNames(names);
}

XkbKeyboardLayout::~XkbKeyboardLayout() = default;

bool XkbKeyboardLayout::isValid() const
{
    return d->keymap != nullptr;
}

bool XkbKeyboardLayout::followsXServer() const
{
    return d->connection != nullptr;
}

std::optional<char32_t> XkbKeyboardLayout::character(quint16 virtualKeyCode, bool currentLayout) const
{
    d->pollServer();
    const std::optional<quint32> keycode = MacKeyCodes::x11FromMac(virtualKeyCode);
    if (!keycode || !d->keymap)
        return std::nullopt;

    xkb_layout_index_t group = d->currentGroup;
    xkb_keymap* keymap = currentLayout ? d->keymap.get() : d->latinKeymap(group);
    if (!keymap)
        return std::nullopt;
    return keyCharacter(keymap, *keycode, group);
}

QString XkbKeyboardLayout::inputSourceId() const
{
    d->pollServer();
    const auto group = static_cast<qsizetype>(d->currentGroup);
    if (group < d->ids.size() && !d->ids[group].isEmpty())
        return d->ids[group];
    // Names not published (a keymap loaded with xkbcomp): the description is the best id left.
    return inputSourceName();
}

QString XkbKeyboardLayout::inputSourceName() const
{
    d->pollServer();
    if (!d->keymap)
        return {};
    return QString::fromUtf8(xkb_keymap_layout_get_name(d->keymap.get(), d->currentGroup));
}

std::optional<quint16> XkbKeyboardLayout::virtualKeyOfScanCode(quint32 scanCode) const
{
    return MacKeyCodes::macFromX11(scanCode);
}

} // namespace tavlen::linux_platform
