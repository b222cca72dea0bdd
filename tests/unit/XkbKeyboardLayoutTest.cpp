#include "platform/linux/XkbKeyboardLayout.h"
#include "harvest/ShortcutNotation.h"
#include "platform/KeyInput.h"
#include "platform/MacKeys.h"
#include "platform/linux/MacKeyCodes.h"
#include "support/TempEnvironment.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <set>

using tavlen::linux_platform::MacKeyCodes;
using tavlen::linux_platform::XkbKeyboardLayout;
namespace mac_keys = tavlen::mac_keys;

namespace {

XkbKeyboardLayout layoutNamed(const QString& layout, const QString& variant = QString())
{
    XkbKeyboardLayout::Names names;
    names.layout = layout;
    names.variant = variant;
    return XkbKeyboardLayout(names);
}

// What each key types in the layout's current group, none for a dead key.
void expectCharacters(const XkbKeyboardLayout& layout,
                      std::initializer_list<std::pair<quint16, std::optional<char32_t>>> keys)
{
    for (const auto& [code, character] : keys)
        EXPECT_EQ(layout.character(code, true), character) << "key code " << code;
}

} // namespace

TEST(XkbKeyboardLayout, UsLayout)
{
    const XkbKeyboardLayout us = layoutNamed(QStringLiteral("us"));
    ASSERT_TRUE(us.isValid());
    EXPECT_FALSE(us.followsXServer());
    expectCharacters(
        us,
        {{0, U'a'}, {16, U'y'}, {27, U'-'}, {50, U'`'}, {mac_keys::Space, U' '}, {mac_keys::Return, U'\r'}});
    EXPECT_EQ(us.inputSourceId(), QStringLiteral("us"));
    EXPECT_EQ(us.inputSourceName(), QStringLiteral("English (US)"));
}

TEST(XkbKeyboardLayout, GermanLayout)
{
    const XkbKeyboardLayout de = layoutNamed(QStringLiteral("de"));
    ASSERT_TRUE(de.isValid());
    // Right of ß is the dead acute, which types nothing by itself.
    expectCharacters(de, {{0, U'a'}, {27, U'ß'}, {16, U'z'}, {6, U'y'}, {33, U'ü'}, {24, std::nullopt}});
    // German is Latin, so it is its own ASCII-capable layout.
    EXPECT_EQ(de.character(16, false), U'z');
    EXPECT_EQ(de.inputSourceId(), QStringLiteral("de"));
    EXPECT_EQ(de.inputSourceName(), QStringLiteral("German"));

    EXPECT_EQ(tavlen::notation::layoutCharacter(27, true, de), QStringLiteral("ß"));
    EXPECT_EQ(tavlen::notation::layoutCharacter(41, true, de), QStringLiteral("Ö"));
}

TEST(XkbKeyboardLayout, VariantIsPartOfTheId)
{
    const XkbKeyboardLayout de = layoutNamed(QStringLiteral("de"), QStringLiteral("nodeadkeys"));
    ASSERT_TRUE(de.isValid());
    EXPECT_EQ(de.inputSourceId(), QStringLiteral("de(nodeadkeys)"));
    EXPECT_EQ(de.character(24, true), U'´');
}

TEST(XkbKeyboardLayout, AsciiCapableIsTheFirstLatinGroup)
{
    const XkbKeyboardLayout ruUs = layoutNamed(QStringLiteral("ru,us"));
    ASSERT_TRUE(ruUs.isValid());
    EXPECT_EQ(ruUs.character(0, true), U'ф');
    EXPECT_EQ(ruUs.character(0, false), U'a');
    EXPECT_EQ(ruUs.inputSourceId(), QStringLiteral("ru"));
    EXPECT_EQ(ruUs.inputSourceName(), QStringLiteral("Russian"));

    // No Latin group at all: US stands in.
    const XkbKeyboardLayout ru = layoutNamed(QStringLiteral("ru"));
    EXPECT_EQ(ru.character(0, true), U'ф');
    EXPECT_EQ(ru.character(0, false), U'a');
}

TEST(XkbKeyboardLayout, KeysWithoutACharacter)
{
    const XkbKeyboardLayout us = layoutNamed(QStringLiteral("us"));
    EXPECT_EQ(us.character(56, true), std::nullopt);  // Shift
    EXPECT_EQ(us.character(123, true), std::nullopt); // left arrow
    EXPECT_EQ(us.character(63, true), std::nullopt);  // Function: no Linux key
    EXPECT_EQ(us.character(52, true), std::nullopt);  // no such key
    EXPECT_EQ(us.character(0xFFFF, true), std::nullopt);
}

TEST(XkbKeyboardLayout, KeypadTypesDigitsAsOnAMac)
{
    const XkbKeyboardLayout us = layoutNamed(QStringLiteral("us"));
    EXPECT_EQ(us.character(83, true), U'1');
    EXPECT_EQ(us.character(92, true), U'9');
    EXPECT_EQ(us.character(65, true), U'.');
    EXPECT_EQ(us.character(67, true), U'*');
}

TEST(XkbKeyboardLayout, UnknownLayoutGivesNoKeymap)
{
    const XkbKeyboardLayout bogus = layoutNamed(QStringLiteral("no-such-layout"));
    EXPECT_FALSE(bogus.isValid());
    EXPECT_EQ(bogus.character(0, true), std::nullopt);
    EXPECT_EQ(bogus.character(0, false), std::nullopt);
    EXPECT_EQ(bogus.inputSourceName(), QString());
}

TEST(XkbKeyboardLayout, WithoutADisplayTheDefaultNamesApply)
{
    tavlen::test::TempEnvironment environment;
    environment.set("DISPLAY", QByteArray());
    environment.set("XKB_DEFAULT_LAYOUT", "de");
    environment.set("XKB_DEFAULT_VARIANT", QByteArray());

    const XkbKeyboardLayout layout;
    ASSERT_TRUE(layout.isValid());
    EXPECT_FALSE(layout.followsXServer());
    EXPECT_EQ(layout.inputSourceId(), QStringLiteral("de"));
    EXPECT_EQ(layout.character(27, true), U'ß');
}

TEST(XkbKeyboardLayout, FollowsTheXServerWhenOneIsReachable)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "no X display";
    const XkbKeyboardLayout layout;
    ASSERT_TRUE(layout.followsXServer());
    EXPECT_FALSE(layout.inputSourceId().isEmpty());
    EXPECT_FALSE(layout.inputSourceName().isEmpty());
    const auto a = layout.character(0, false);
    ASSERT_TRUE(a.has_value());
    EXPECT_TRUE(*a >= U'a' && *a <= U'z');
}

TEST(MacKeyCodes, EveryPairTranslatesBothWays)
{
    std::set<quint16> macCodes;
    std::set<quint16> evdevCodes;
    for (const MacKeyCodes::Entry& entry : MacKeyCodes::entries()) {
        EXPECT_TRUE(macCodes.insert(entry.mac).second) << "mac " << entry.mac;
        EXPECT_TRUE(evdevCodes.insert(entry.evdev).second) << "evdev " << entry.evdev;
        EXPECT_EQ(MacKeyCodes::evdevFromMac(entry.mac), entry.evdev);
        EXPECT_EQ(MacKeyCodes::macFromEvdev(entry.evdev), entry.mac);
        EXPECT_EQ(MacKeyCodes::x11FromMac(entry.mac), entry.evdev + 8u);
        EXPECT_EQ(MacKeyCodes::macFromX11(entry.evdev + 8u), entry.mac);
        // X11 keycodes stop at 255.
        EXPECT_LE(entry.evdev + 8u, 255u);
    }
}

TEST(MacKeyCodes, CoversTheWholeKeyboard)
{
    // The macOS numbering has no key at these codes; 63 (Function) has no Linux key, and the
    // JIS Eisu/Kana keys (102, 104) are left out.
    const std::set<quint16> gaps{52, 63, 66, 68, 70, 77, 102, 104, 108, 112};
    for (quint16 code = 0; code <= 126; ++code)
        EXPECT_EQ(MacKeyCodes::evdevFromMac(code).has_value(), !gaps.contains(code)) << "mac " << code;
    EXPECT_EQ(MacKeyCodes::evdevFromMac(127), std::nullopt);
}

TEST(MacKeyCodes, KnownKeys)
{
    EXPECT_EQ(MacKeyCodes::x11FromMac(0), 38u);    // A
    EXPECT_EQ(MacKeyCodes::x11FromMac(51), 22u);   // Backspace
    EXPECT_EQ(MacKeyCodes::x11FromMac(36), 36u);   // Return
    EXPECT_EQ(MacKeyCodes::x11FromMac(117), 119u); // forward delete
    EXPECT_EQ(MacKeyCodes::x11FromMac(55), 133u);  // Command = left Super
    EXPECT_EQ(MacKeyCodes::x11FromMac(122), 67u);  // F1
    EXPECT_EQ(MacKeyCodes::x11FromMac(90), 198u);  // F20
    EXPECT_EQ(MacKeyCodes::macFromX11(0), std::nullopt);
    EXPECT_EQ(MacKeyCodes::macFromX11(7), std::nullopt);
    EXPECT_EQ(MacKeyCodes::macFromEvdev(0), std::nullopt);
}

TEST(MacKeyCodes, ModifiersOfEventFlagsAreTheLeftHandKeysInTheOrderTheyGoDown)
{
    using namespace tavlen;
    const auto evdev = [](quint16 mac) { return MacKeyCodes::evdevFromMac(mac).value(); };
    EXPECT_EQ(MacKeyCodes::evdevModifiersOf(EventFlag::Shift | EventFlag::Option | EventFlag::Control |
                                            EventFlag::Command),
              (QList<quint16>{evdev(mac_keys::Command), evdev(mac_keys::Control), evdev(mac_keys::Option),
                              evdev(mac_keys::Shift)}));
    EXPECT_EQ(MacKeyCodes::evdevModifiersOf(EventFlag::Shift | EventFlag::Option),
              (QList<quint16>{evdev(mac_keys::Option), evdev(mac_keys::Shift)}));
    // The Function key has no Linux counterpart to hold.
    EXPECT_TRUE(MacKeyCodes::evdevModifiersOf(EventFlag::Function).isEmpty());
    EXPECT_TRUE(MacKeyCodes::evdevModifiersOf(0).isEmpty());
}
