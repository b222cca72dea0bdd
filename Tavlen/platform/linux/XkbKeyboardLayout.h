#pragma once

#include "platform/KeyboardLayout.h"

#include <memory>

namespace tavlen::linux_platform {

// The keyboard layout as xkbcommon sees it. A key's character is the level-1 keysym of the
// current group ("current layout") or of the first group that can type every Latin letter
// ("ASCII-capable"), as UTF-32.
class XkbKeyboardLayout final : public KeyboardLayout {
public:
    // XKB rule names (RMLVO); empty fields take xkbcommon's defaults, which honour
    // XKB_DEFAULT_RULES, XKB_DEFAULT_LAYOUT and friends.
    struct Names {
        QString rules;
        QString model;
        QString layout; // e.g. "de", or "ru,us" for two groups
        QString variant;
        QString options;
    };

    // Follows the X server's keyboard (keymap and current group, kept up to date) when a display
    // is reachable; otherwise the keymap built from xkbcommon's default names.
    XkbKeyboardLayout();
    // A fixed keymap from the given names; the current group is the first.
    explicit XkbKeyboardLayout(const Names& names);
    ~XkbKeyboardLayout() override;

    XkbKeyboardLayout(const XkbKeyboardLayout&) = delete;
    XkbKeyboardLayout& operator=(const XkbKeyboardLayout&) = delete;

    // False when no keymap could be built (unknown names, missing xkb data); every key then has
    // no character.
    bool isValid() const;
    bool followsXServer() const;

    std::optional<char32_t> character(quint16 virtualKeyCode, bool currentLayout) const override;
    QString inputSourceId() const override;
    QString inputSourceName() const override;
    std::optional<quint16> virtualKeyOfScanCode(quint32 scanCode) const override;

private:
    class Private;
    std::unique_ptr<Private> d;
};

} // namespace tavlen::linux_platform
