#include "sheet/ShortcutTyping.h"

#include "harvest/ShortcutNotation.h"
#include "platform/KeyInput.h"
#include "platform/KeySender.h"
#include "platform/KeyboardLayout.h"
#include "platform/Timers.h"
#include "platform/WindowActivator.h"
#include "platform/Workspace.h"
#include "sheet/RowServices.h"
#include "store/GlobalApp.h"

#include <chrono>

namespace tavlen {

namespace {

// The macOS virtual key codes of the keys that type characters all lie below this.
constexpr quint16 TYPING_KEY_CODES = 0x80;

std::optional<quint16> keyTyping(char32_t character, bool currentLayout, const KeyboardLayout& layout)
{
    const QString wanted = QString::fromUcs4(&character, 1).toCaseFolded();
    for (quint16 code = 0; code < TYPING_KEY_CODES; ++code) {
        const std::optional<char32_t> typed = layout.character(code, currentLayout);
        if (typed && QString::fromUcs4(&*typed, 1).toCaseFolded() == wanted)
            return code;
    }
    return std::nullopt;
}

} // namespace

void typeShortcut(const RowServices& services, const QString& applicationIdentifier, TypedKey key)
{
    KeySender& keySender = services.keySender;
    if (applicationIdentifier == QLatin1String(global_app::IDENTIFIER)) {
        keySender.post(key.macVirtualKey, key.eventFlags);
        return;
    }
    const QList<RunningApplication> running = services.workspace.runningApplications(applicationIdentifier);
    if (running.isEmpty())
        return;
    const RunningApplication& target = running.first();
    const std::optional<RunningApplication> frontmost = services.workspace.frontmostApplication();
    if (frontmost && frontmost->processIdentifier == target.processIdentifier) {
        keySender.post(key.macVirtualKey, key.eventFlags);
        return;
    }
    if (!services.windowActivator.activate(target))
        return;
    // Captures no row: the sheet may be rebuilt before the key goes out.
    services.timers.singleShot(std::chrono::milliseconds(ACTIVATION_DELAY_MS),
                               [&keySender, key] { keySender.post(key.macVirtualKey, key.eventFlags); });
}

std::optional<TypedKey> typedKeyOf(const Hotkey& hotkey, const KeyboardLayout& layout)
{
    using namespace notation;
    KeyInput input;
    input.isShift = (hotkey.modifierKeys & AXModifier::Shift) != 0;
    input.isOption = (hotkey.modifierKeys & AXModifier::Option) != 0;
    input.isControl = (hotkey.modifierKeys & AXModifier::Control) != 0;
    input.isCommand = (hotkey.modifierKeys & AXModifier::NoCommand) == 0;

    std::optional<quint16> code;
    if (hotkey.virtualKey != 0 && hotkey.virtualKey <= 0xFFFF)
        code = static_cast<quint16>(hotkey.virtualKey);
    else if (hotkey.actionKey != 0) {
        code = keyTyping(hotkey.actionKey, true, layout);
        if (!code)
            code = keyTyping(hotkey.actionKey, false, layout);
    }
    if (!code)
        return std::nullopt;
    return TypedKey{*code, eventFlags(input)};
}

} // namespace tavlen
