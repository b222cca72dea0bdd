#pragma once

#include "platform/AXElement.h"
#include "platform/AXValue.h"
#include "platform/Accessibility.h"
#include "platform/AccessibilityError.h"

#include <QStringList>
#include <vector>

namespace tavlen::test {

// The five attributes the harvest asks every menu entry without children for, in its order.
inline const QStringList menuEntryKeyAttributes = {
    QStringLiteral("AXMenuItemCmdChar"), QStringLiteral("AXMenuItemCmdModifiers"),
    QStringLiteral("AXMenuItemCmdVirtualKey"), QStringLiteral("AXMenuItemCmdGlyph"),
    QStringLiteral("AXEnabled")};

// The element's children as the adapter lists them; none when it cannot.
inline std::vector<AXElement> childrenOf(Accessibility& ax, const AXElement& element)
{
    std::vector<AXValue> values;
    std::vector<AXElement> result;
    if (ax.copyAttributeValues(element, QStringLiteral("AXChildren"), 0, 9999, values) !=
        AXErrorCode::Success)
        return result;
    for (const AXValue& value : values) {
        if (const auto* child = value.get<AXElement>())
            result.push_back(*child);
    }
    return result;
}

// The menu bar of the application with that process; null until it has registered on the bus.
inline AXElement menuBarOf(Accessibility& ax, qint64 processIdentifier)
{
    AXValue value;
    if (ax.copyAttributeValue(ax.createApplication(processIdentifier), QStringLiteral("AXMenuBar"), value) !=
        AXErrorCode::Success)
        return {};
    const auto* element = value.get<AXElement>();
    return element ? *element : AXElement();
}

} // namespace tavlen::test
