#pragma once

#include "platform/AXElement.h"
#include "platform/AXTypedValue.h"
#include "platform/AccessibilityError.h"

#include <QHash>
#include <QStringList>
#include <variant>

namespace tavlen {

// Attribute name to typed value, for one element.
using AXAttributes = QHash<QString, AXTypedValue>;
using AXAttributesResult = std::variant<AXAttributes, AccessibilityError>;

// Turns the raw attribute values of one element into typed values. Holds the element for its
// own lifetime and nothing else.
class AXUIHelper {
public:
    explicit AXUIHelper(AXElement element) : m_element(std::move(element)) {}

    const AXElement& element() const { return m_element; }

    // The typed form of one raw attribute value. Elements and wrapped values of kinds 1 to 5
    // are unpacked (a value that cannot be unpacked gives the zero value of its kind); anything
    // else comes back unchanged.
    AXTypedValue convertValue(const AXValue& value) const;

    // `values` is the adapter's answer to a request for `names`: one entry per name, in the same
    // order. Null entries and errors "not supported" or "no value" leave the name out; any other
    // error fails the whole request with AXErrorCode::Failure, as does an answer with fewer
    // entries than names.
    AXAttributesResult attributeValues(const QStringList& names, const std::vector<AXValue>& values) const;

private:
    AXElement m_element;
};

} // namespace tavlen
