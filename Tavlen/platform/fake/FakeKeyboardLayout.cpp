#include "platform/fake/FakeKeyboardLayout.h"

namespace tavlen::fake {

namespace {

// Indexed by macOS virtual key code; 0 means the key types nothing.
constexpr int KeyCount = 54;

// clang-format off
constexpr char32_t usKeys[KeyCount] = {
    U'a', U's', U'd', U'f', U'h', U'g', U'z', U'x', U'c', U'v',   //  0 ..  9
    U'<', U'b', U'q', U'w', U'e', U'r', U'y', U't', U'1', U'2',   // 10 .. 19
    U'3', U'4', U'6', U'5', U'=', U'9', U'7', U'-', U'8', U'0',   // 20 .. 29
    U']', U'o', U'u', U'[', U'i', U'p', U'\r', U'l', U'j', U'\'', // 30 .. 39
    U'k', U';', U'\\', U',', U'/', U'n', U'm', U'.', U'\t', U' ', // 40 .. 49
    U'`', U'\b', 0, U'\x1B',                                      // 50 .. 53
};

constexpr char32_t germanKeys[KeyCount] = {
    U'a', U's', U'd', U'f', U'h', U'g', U'y', U'x', U'c', U'v',   //  0 ..  9
    U'<', U'b', U'q', U'w', U'e', U'r', U'z', U't', U'1', U'2',   // 10 .. 19
    U'3', U'4', U'6', U'5', 0,    U'9', U'7', U'ß', U'8', U'0',   // 20 .. 29 (24: dead acute)
    U'+', U'o', U'u', U'ü', U'i', U'p', U'\r', U'l', U'j', U'ä',  // 30 .. 39
    U'k', U'ö', U'#', U',', U'-', U'n', U'm', U'.', U'\t', U' ',  // 40 .. 49
    0,    U'\b', 0, U'\x1B',                                      // 50 .. 53 (50: dead circumflex)
};
// clang-format on

} // namespace

std::optional<char32_t> FakeKeyboardLayout::character(quint16 virtualKeyCode, bool currentLayout) const
{
    if (virtualKeyCode >= KeyCount)
        return std::nullopt;
    const bool german = currentLayout && m_current == Layout::German;
    const char32_t character = german ? germanKeys[virtualKeyCode] : usKeys[virtualKeyCode];
    if (character == 0)
        return std::nullopt;
    return character;
}

QString FakeKeyboardLayout::inputSourceId() const
{
    return m_current == Layout::German ? QStringLiteral("de") : QStringLiteral("us");
}

QString FakeKeyboardLayout::inputSourceName() const
{
    return m_current == Layout::German ? QStringLiteral("German") : QStringLiteral("English (US)");
}

} // namespace tavlen::fake
