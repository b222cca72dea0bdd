#pragma once

#include "harvest/AXElement.h"
#include "harvest/AXValue.h"

#include <QStringList>
#include <QtGlobal>
#include <vector>

namespace tavlen {

// The accessibility operations the harvest and the sheet rely on, one per platform call. Every
// call answers an AXErrorCode (0 on success); on failure the out parameters are left as they
// were. Attribute and action names are the platform's ("AXMenuBar", "AXChildren", "AXTitle",
// "AXMenuItemCmdChar", "AXPress", ...), whatever bus the adapter talks to underneath.
//
// Calls are synchronous to their caller. An adapter is free to answer from requests it sent
// ahead (for instance all of one menu's children at once), as long as every answer is what the
// element held when the call was made or later.
class Accessibility {
public:
    virtual ~Accessibility() = default;

    // The element standing for the whole application with that process id. Never fails: an
    // element for a process without accessibility answers errors to every request.
    virtual AXElement createApplication(qint64 processIdentifier) = 0;

    virtual qint32 copyAttributeValue(const AXElement& element, const QString& attribute, AXValue& value) = 0;

    // At most maxValues values of an array attribute, starting at index.
    virtual qint32 copyAttributeValues(const AXElement& element, const QString& attribute, qint64 index,
                                       qint64 maxValues, std::vector<AXValue>& values) = 0;

    virtual qint32 attributeValueCount(const AXElement& element, const QString& attribute, qint64& count) = 0;

    // One entry per name, in order: the value, an error value (AXValue::error) for a name that
    // failed, or the null object.
    virtual qint32 copyMultipleAttributeValues(const AXElement& element, const QStringList& attributes,
                                               std::vector<AXValue>& values) = 0;

    virtual qint32 performAction(const AXElement& element, const QString& action) = 0;

    // Whether accessibility requests can be answered at all. With prompt, an adapter that can
    // switch accessibility on asks for it (on Linux: turns the accessibility bus on).
    virtual bool isProcessTrusted(bool prompt) = 0;
};

} // namespace tavlen
