#include "core/ModifierClass.h"

#include "platform/KeyInput.h"

namespace tavlen {

ModifierClass classifyModifiers(qint64 modifierFlags)
{
    constexpr qint64 counted =
        EventFlag::Shift | EventFlag::Control | EventFlag::Option | EventFlag::Command | EventFlag::Function;
    switch (modifierFlags & counted) {
    case EventFlag::Command:
        return ModifierClass::CommandAlone;
    case EventFlag::Control:
        return ModifierClass::ControlAlone;
    case 0:
        return ModifierClass::Released;
    default:
        return ModifierClass::Other;
    }
}

} // namespace tavlen
