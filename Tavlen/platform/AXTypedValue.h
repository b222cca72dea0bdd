#pragma once

#include "platform/AXValue.h"

#include <optional>

namespace tavlen {

// An attribute value after conversion: an element, one of the unpacked wrapped kinds, or the raw
// value itself for everything else (text, numbers, Booleans, arrays, unknown kinds).
using AXTypedValue = std::variant<AXValue, AXElement, AXPoint, AXSize, AXRect, AXRange, AXErrorValue>;

// The readings the harvest makes. A value of another type than asked for counts as absent.
namespace axvalue {

inline std::optional<QString> toString(const AXTypedValue& value)
{
    if (const auto* raw = std::get_if<AXValue>(&value)) {
        if (const auto* text = raw->get<QString>())
            return *text;
    }
    return std::nullopt;
}

// A number that is negative cannot be read as unsigned.
inline std::optional<quint64> toUnsigned(const AXTypedValue& value)
{
    const auto* raw = std::get_if<AXValue>(&value);
    if (!raw)
        return std::nullopt;
    if (const auto* number = raw->get<AXValue::Unsigned>())
        return number->value;
    if (const auto* number = raw->get<AXValue::Signed>(); number && number->value >= 0)
        return static_cast<quint64>(number->value);
    return std::nullopt;
}

inline std::optional<bool> toBool(const AXTypedValue& value)
{
    if (const auto* raw = std::get_if<AXValue>(&value)) {
        if (const auto* boolean = raw->get<AXValue::Boolean>())
            return boolean->value;
    }
    return std::nullopt;
}

inline std::optional<AXElement> toElement(const AXTypedValue& value)
{
    if (const auto* element = std::get_if<AXElement>(&value))
        return *element;
    return std::nullopt;
}

} // namespace axvalue
} // namespace tavlen
