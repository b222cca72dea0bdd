#pragma once

#include "platform/AXElement.h"
#include "platform/AXValue.h"
#include "platform/ApplicationAccess.h"

#include <QDeadlineTimer>
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
//
// Another application can hang or quit in the middle of a read. A read is therefore bracketed by
// beginRead, which sets one deadline for every call until endRead, and endRead, which tells how
// the calls went. Outside a read an adapter bounds each call by itself.
class Accessibility {
public:
    // What went wrong with the other application during a read; both false when it answered.
    struct ReadTrouble {
        bool timedOut = false; // a call went unanswered until the deadline
        bool gone = false;     // the application left the bus
    };

    virtual ~Accessibility() = default;

    // Starts a read: answers kept from earlier reads are dropped, and no call waits past the
    // deadline (once it has passed, calls fail at once).
    virtual void beginRead(QDeadlineTimer deadline) { (void)deadline; }
    virtual ReadTrouble endRead() { return {}; }
    // Whether the read under way has met trouble already: every call that follows fails, and a
    // walk stops rather than take those failures for absent values.
    virtual bool readInTrouble() const { return false; }

    // Whether the application of that process answers a cheap request within the timeout.
    virtual bool answers(qint64 processIdentifier, int timeoutMs)
    {
        (void)timeoutMs;
        return processIdentifier > 0;
    }

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

    // Sends the action without waiting for the application to carry it out: a hung application
    // must not hold its caller. Failure means the action could not even be sent.
    virtual qint32 performAction(const AXElement& element, const QString& action) = 0;

    // Whether the application of that process can be reached at all, and why not. Asked when a
    // read found nothing, outside any read: an adapter bounds the calls itself.
    virtual ApplicationAccess describeApplication(qint64 processIdentifier)
    {
        ApplicationAccess access;
        access.onBus = processIdentifier > 0;
        return access;
    }

    // Whether accessibility requests can be answered at all. With prompt, an adapter that can
    // switch accessibility on asks for it (on Linux: turns the accessibility bus on).
    virtual bool isProcessTrusted(bool prompt) = 0;
};

} // namespace tavlen
