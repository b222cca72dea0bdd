#pragma once

#include "platform/KeyboardLayout.h"

#include <map>

namespace tavlen::fake {

// A US and a German keyboard, as the X server's "us" and "de" layouts type them without a
// modifier: QWERTZ with ß on the key right of 0, umlauts, and dead keys (no character) left of
// 1 and right of ß. The ASCII-capable layout is always the US one.
class FakeKeyboardLayout final : public KeyboardLayout {
public:
    enum class Layout { US, German };

    explicit FakeKeyboardLayout(Layout current = Layout::US) : m_current(current) {}

    void setCurrent(Layout layout) { m_current = layout; }
    Layout current() const { return m_current; }

    std::optional<char32_t> character(quint16 virtualKeyCode, bool currentLayout) const override;
    QString inputSourceId() const override;
    QString inputSourceName() const override;
    // Scan codes are known once set.
    std::optional<quint16> virtualKeyOfScanCode(quint32 scanCode) const override
    {
        const auto it = m_scanCodes.find(scanCode);
        return it == m_scanCodes.end() ? std::nullopt : std::optional<quint16>(it->second);
    }
    void setScanCode(quint32 scanCode, quint16 virtualKey) { m_scanCodes[scanCode] = virtualKey; }

private:
    Layout m_current;
    std::map<quint32, quint16> m_scanCodes;
};

} // namespace tavlen::fake
