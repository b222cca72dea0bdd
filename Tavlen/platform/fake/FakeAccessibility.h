#pragma once

#include "platform/Accessibility.h"
#include "platform/MenuFixture.h"

#include <QHash>
#include <QList>
#include <memory>
#include <optional>
#include <variant>

namespace tavlen::fake {

// Applications' menu bars in memory, built from menu fixtures and answered the way the real
// adapter answers: -25200 for a failed call (an unknown element, an application that is not
// there, every call while not trusted), -25205 for an attribute the element does not have,
// -25212 for one it has without a value, and the codes a fixture's "errors" name. Every call is
// logged, so tests can check what a harvest asked for.
class FakeAccessibility final : public Accessibility {
public:
    enum class Operation {
        CreateApplication,
        CopyAttributeValue,
        CopyAttributeValues,
        AttributeValueCount,
        CopyMultipleAttributeValues,
        PerformAction,
    };

    struct Call {
        Operation operation;
        AXElement element;      // null for CreateApplication
        QStringList attributes; // the attribute or action names of the call
        qint64 index = 0;       // CopyAttributeValues only
        qint64 maxValues = 0;   // CopyAttributeValues only
    };

    FakeAccessibility();
    ~FakeAccessibility() override;

    // The origin of every element of the application of that process.
    static QString originOf(qint64 processIdentifier)
    {
        return QStringLiteral("pid:%1").arg(processIdentifier);
    }

    // Adds the fixture's application under its pid, replacing one with the same pid.
    void addApplication(const MenuFixture& fixture);
    void removeApplication(qint64 processIdentifier);

    // While not trusted, every request fails; a prompt grants trust when promptGrantsTrust is on.
    void setTrusted(bool trusted) { m_trusted = trusted; }
    void setPromptGrantsTrust(bool grants) { m_promptGrantsTrust = grants; }
    int promptCount() const { return m_promptCount; }

    // Makes every call of one operation fail with `code` (none: answer normally again).
    void setOperationFailure(Operation operation, std::optional<qint32> code);

    // From the given call of every read on, every call fails and the read ends with that
    // trouble: an application that hangs (timedOut) or quits (gone) part way. None: answer again.
    void setTroubleAfter(std::optional<std::pair<int, ReadTrouble>> trouble)
    {
        m_troubleAfterCalls = trouble;
    }
    int readCount() const { return m_readCount; }

    const QList<Call>& calls() const { return m_calls; }
    qsizetype callCount(Operation operation) const;
    void clearCalls() { m_calls.clear(); }
    // Benchmarks switch the log off: it would cost more than the calls it logs.
    void setLoggingCalls(bool logging) { m_loggingCalls = logging; }
    // The elements pressed successfully, in order.
    const QList<AXElement>& presses() const { return m_presses; }

    // Reads of the fixture behind an element, outside the interface and unlogged: none for an
    // element this adapter did not make.
    std::optional<MenuFixture::Element> fixtureOf(const AXElement& element) const;
    // The element with that path of titles below an application's menu bar (the title-less
    // containers on the way are looked through); null when there is none.
    AXElement findElement(qint64 processIdentifier, const QStringList& titles) const;

    AXElement createApplication(qint64 processIdentifier) override;
    qint32 copyAttributeValue(const AXElement& element, const QString& attribute, AXValue& value) override;
    qint32 copyAttributeValues(const AXElement& element, const QString& attribute, qint64 index,
                               qint64 maxValues, std::vector<AXValue>& values) override;
    qint32 attributeValueCount(const AXElement& element, const QString& attribute, qint64& count) override;
    qint32 copyMultipleAttributeValues(const AXElement& element, const QStringList& attributes,
                                       std::vector<AXValue>& values) override;
    qint32 performAction(const AXElement& element, const QString& action) override;
    bool isProcessTrusted(bool prompt) override;
    void beginRead(QDeadlineTimer deadline) override;
    ReadTrouble endRead() override;
    bool readInTrouble() const override { return m_readTrouble.timedOut || m_readTrouble.gone; }
    bool answers(qint64 processIdentifier, int timeoutMs) override;
    // Unless set for the process: switched on while trusted, on the bus when a fixture is added
    // under its pid, toolkit unknown.
    ApplicationAccess describeApplication(qint64 processIdentifier) override;
    void setApplicationAccess(qint64 processIdentifier, const ApplicationAccess& access)
    {
        m_access.insert(processIdentifier, access);
    }

    class Node;

private:
    // The node behind an element, or null when the call must fail.
    Node* reachable(const AXElement& element) const;
    std::optional<qint32> injectedFailure(Operation operation) const;
    // An attribute of a node: the value, or the error code it answers.
    qint32 attribute(const Node& node, const QString& name, AXValue& value) const;
    // Logs the call and applies an injected failure; the element's node, or the error to answer.
    std::variant<const Node*, qint32> enter(Call call);
    // An attribute that must be an array; `holder` keeps the value `array` points into.
    qint32 arrayAttribute(const Node& node, const QString& name, AXValue& holder,
                          const AXValue::Array*& array) const;

    QHash<qint64, std::shared_ptr<Node>> m_applications;
    QHash<qint64, ApplicationAccess> m_access;
    QHash<int, qint32> m_failures;
    void logCall(Call call)
    {
        if (m_loggingCalls)
            m_calls.append(std::move(call));
    }

    QList<Call> m_calls;
    bool m_loggingCalls = true;
    QList<AXElement> m_presses;
    std::optional<std::pair<int, ReadTrouble>> m_troubleAfterCalls;
    bool m_reading = false;
    int m_callsInRead = 0;
    int m_readCount = 0;
    ReadTrouble m_readTrouble;
    bool m_trusted = true;
    bool m_promptGrantsTrust = true;
    int m_promptCount = 0;
};

} // namespace tavlen::fake
