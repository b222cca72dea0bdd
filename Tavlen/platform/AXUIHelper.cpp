#include "platform/AXUIHelper.h"

namespace tavlen {

namespace {

template <typename T>
T unpacked(const AXWrappedValue& wrapped, AXValueKind kind)
{
    T value{};
    // A value that cannot be unpacked leaves the zero value standing.
    wrapped.unpack(kind, value);
    return value;
}

} // namespace

AXTypedValue AXUIHelper::convertValue(const AXValue& value) const
{
    if (const auto* element = value.get<AXElement>())
        return *element;

    if (const auto* wrapped = value.get<AXWrappedValue>()) {
        switch (wrapped->kind) {
        case AXValueKind::Point:
            return unpacked<AXPoint>(*wrapped, AXValueKind::Point);
        case AXValueKind::Size:
            return unpacked<AXSize>(*wrapped, AXValueKind::Size);
        case AXValueKind::Rect:
            return unpacked<AXRect>(*wrapped, AXValueKind::Rect);
        case AXValueKind::Range:
            return unpacked<AXRange>(*wrapped, AXValueKind::Range);
        case AXValueKind::Error:
            return unpacked<AXErrorValue>(*wrapped, AXValueKind::Error);
        case AXValueKind::Illegal:
        default: // kinds this model does not know travel as they are
            return value;
        }
    }

    return value;
}

AXAttributesResult AXUIHelper::attributeValues(const QStringList& names,
                                               const std::vector<AXValue>& values) const
{
    AXAttributes attributes;
    if (names.isEmpty())
        return attributes;
    // The platform answers one entry per name; anything shorter is a broken answer, not a list
    // of absent values.
    if (values.size() < static_cast<std::size_t>(names.size()))
        return AccessibilityError{AXErrorCode::Failure};

    for (qsizetype i = 0; i < names.size(); ++i) {
        const AXValue& value = values[static_cast<std::size_t>(i)];
        if (value.isNull())
            continue;
        if (const auto* wrapped = value.get<AXWrappedValue>();
            wrapped && wrapped->kind == AXValueKind::Error) {
            const qint32 code = unpacked<AXErrorValue>(*wrapped, AXValueKind::Error).code;
            if (code == AXErrorCode::AttributeUnsupported || code == AXErrorCode::NoValue)
                continue;
            return AccessibilityError{AXErrorCode::Failure};
        }
        attributes.insert(names[i], convertValue(value));
    }
    return attributes;
}

} // namespace tavlen
