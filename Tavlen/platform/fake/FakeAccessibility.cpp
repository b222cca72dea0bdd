#include "platform/fake/FakeAccessibility.h"

#include "platform/AXAttributeNames.h"
#include "platform/AccessibilityError.h"

namespace tavlen::fake {

namespace {

using namespace ax;

} // namespace

// One element of a fixture, or an application. The fixture's own attributes are kept without
// its children, which are nodes of their own.
class FakeAccessibility::Node final : public AXElementHandle {
public:
    bool isApplication = false;
    qint64 processIdentifier = 0;
    std::weak_ptr<Node> application; // empty for an application of no fixture
    MenuFixture::Element data;
    std::vector<std::shared_ptr<Node>> children;
    std::shared_ptr<Node> menuBar; // applications only
    QString applicationName;       // applications only

    QString origin() const override { return FakeAccessibility::originOf(processIdentifier); }
};

namespace {

using Node = FakeAccessibility::Node;

std::shared_ptr<Node> buildNode(const MenuFixture::Element& element, const std::shared_ptr<Node>& application)
{
    auto node = std::make_shared<Node>();
    node->processIdentifier = application->processIdentifier;
    node->application = application;
    node->data = element;
    node->data.children.clear();
    node->children.reserve(static_cast<std::size_t>(element.children.size()));
    for (const MenuFixture::Element& child : element.children)
        node->children.push_back(buildNode(child, application));
    return node;
}

MenuFixture::Element rebuild(const Node& node)
{
    MenuFixture::Element element = node.data;
    for (const auto& child : node.children)
        element.children.append(rebuild(*child));
    return element;
}

AXValue childArray(const std::vector<std::shared_ptr<Node>>& children)
{
    AXValue::Array array;
    array.reserve(children.size());
    for (const auto& child : children)
        array.push_back(AXValue::element(AXElement(child)));
    return AXValue::array(std::move(array));
}

// Looks through title-less containers the way the harvest does.
std::shared_ptr<Node> findBelow(const std::shared_ptr<Node>& node, const QStringList& titles, qsizetype at)
{
    if (at == titles.size())
        return node;
    for (const auto& child : node->children) {
        if (!child->data.title) {
            if (auto found = findBelow(child, titles, at))
                return found;
        } else if (*child->data.title == titles[at]) {
            if (auto found = findBelow(child, titles, at + 1))
                return found;
        }
    }
    return nullptr;
}

} // namespace

FakeAccessibility::FakeAccessibility() = default;

void FakeAccessibility::beginRead(QDeadlineTimer)
{
    m_reading = true;
    m_callsInRead = 0;
    m_readTrouble = {};
    ++m_readCount;
}

Accessibility::ReadTrouble FakeAccessibility::endRead()
{
    m_reading = false;
    return std::exchange(m_readTrouble, {});
}

bool FakeAccessibility::answers(qint64 processIdentifier, int)
{
    return m_applications.contains(processIdentifier) && !m_troubleAfterCalls;
}
FakeAccessibility::~FakeAccessibility() = default;

void FakeAccessibility::addApplication(const MenuFixture& fixture)
{
    auto application = std::make_shared<Node>();
    application->isApplication = true;
    application->processIdentifier = fixture.application.processIdentifier;
    application->application = application;
    application->applicationName = fixture.application.localizedName;
    if (fixture.menuBar)
        application->menuBar = buildNode(*fixture.menuBar, application);
    m_applications.insert(fixture.application.processIdentifier, std::move(application));
}

void FakeAccessibility::removeApplication(qint64 processIdentifier)
{
    m_applications.remove(processIdentifier);
}

void FakeAccessibility::setOperationFailure(Operation operation, std::optional<qint32> code)
{
    if (code)
        m_failures.insert(static_cast<int>(operation), *code);
    else
        m_failures.remove(static_cast<int>(operation));
}

qsizetype FakeAccessibility::callCount(Operation operation) const
{
    return std::count_if(m_calls.cbegin(), m_calls.cend(),
                         [operation](const Call& call) { return call.operation == operation; });
}

std::optional<MenuFixture::Element> FakeAccessibility::fixtureOf(const AXElement& element) const
{
    const Node* node = element.handleAs<Node>();
    if (!node || node->isApplication)
        return std::nullopt;
    return rebuild(*node);
}

AXElement FakeAccessibility::findElement(qint64 processIdentifier, const QStringList& titles) const
{
    const auto application = m_applications.value(processIdentifier);
    if (!application || !application->menuBar)
        return {};
    if (auto found = findBelow(application->menuBar, titles, 0))
        return AXElement(found);
    return {};
}

FakeAccessibility::Node* FakeAccessibility::reachable(const AXElement& element) const
{
    if (!m_trusted)
        return nullptr;
    Node* node = element.handleAs<Node>();
    if (!node)
        return nullptr;
    // Elements of an application that went away, or of another adapter, answer nothing.
    const auto application = node->application.lock();
    if (!application || m_applications.value(node->processIdentifier) != application)
        return nullptr;
    return node;
}

std::optional<qint32> FakeAccessibility::injectedFailure(Operation operation) const
{
    const auto it = m_failures.constFind(static_cast<int>(operation));
    if (it == m_failures.constEnd())
        return std::nullopt;
    return *it;
}

qint32 FakeAccessibility::attribute(const Node& node, const QString& name, AXValue& value) const
{
    if (const auto it = node.data.errors.constFind(name); it != node.data.errors.constEnd())
        return *it;

    if (node.isApplication) {
        if (name == MENU_BAR) {
            if (!node.menuBar)
                return AXErrorCode::NoValue;
            value = AXValue::element(AXElement(node.menuBar));
            return AXErrorCode::Success;
        }
        if (name == CHILDREN) {
            value =
                childArray(node.menuBar ? std::vector{node.menuBar} : std::vector<std::shared_ptr<Node>>{});
            return AXErrorCode::Success;
        }
        if (name == TITLE) {
            value = AXValue::string(node.applicationName);
            return AXErrorCode::Success;
        }
        return AXErrorCode::AttributeUnsupported;
    }

    const MenuFixture::Element& data = node.data;
    auto answer = [&value](const auto& field, auto make) {
        if (!field)
            return AXErrorCode::NoValue;
        value = make(*field);
        return AXErrorCode::Success;
    };
    if (name == TITLE)
        return answer(data.title, AXValue::string);
    if (name == ENABLED)
        return answer(data.enabled, AXValue::boolean);
    if (name == CMD_CHAR)
        return answer(data.cmdChar, AXValue::string);
    if (name == CMD_MODIFIERS)
        return answer(data.cmdModifiers, AXValue::unsignedNumber);
    if (name == CMD_VIRTUAL_KEY)
        return answer(data.cmdVirtualKey, AXValue::unsignedNumber);
    if (name == CMD_GLYPH)
        return answer(data.cmdGlyph, AXValue::unsignedNumber);
    if (name == CMD_KEY_NAME)
        return answer(data.cmdKeyName, AXValue::string);
    if (name == CHILDREN) {
        value = childArray(node.children);
        return AXErrorCode::Success;
    }
    return AXErrorCode::AttributeUnsupported;
}

ApplicationAccess FakeAccessibility::describeApplication(qint64 processIdentifier)
{
    if (const auto set = m_access.constFind(processIdentifier); set != m_access.constEnd())
        return *set;
    ApplicationAccess access;
    access.switchedOn = m_trusted;
    access.onBus = m_applications.contains(processIdentifier);
    return access;
}

AXElement FakeAccessibility::createApplication(qint64 processIdentifier)
{
    logCall({Operation::CreateApplication, {}, {}, processIdentifier, 0});
    if (const auto application = m_applications.value(processIdentifier))
        return AXElement(application);
    // An element for a process without accessibility: it belongs to no fixture and fails every
    // request.
    auto nobody = std::make_shared<Node>();
    nobody->isApplication = true;
    nobody->processIdentifier = processIdentifier;
    return AXElement(nobody);
}

std::variant<const FakeAccessibility::Node*, qint32> FakeAccessibility::enter(Call call)
{
    const Operation operation = call.operation;
    const AXElement element = call.element;
    logCall(std::move(call));
    // An application that stops answering, or quits, part way through a read.
    if (m_troubleAfterCalls && m_reading && m_callsInRead++ >= m_troubleAfterCalls->first) {
        m_readTrouble = m_troubleAfterCalls->second;
        return AXErrorCode::Failure;
    }
    if (const auto failure = injectedFailure(operation))
        return *failure;
    if (const Node* node = reachable(element))
        return node;
    return AXErrorCode::Failure;
}

qint32 FakeAccessibility::arrayAttribute(const Node& node, const QString& name, AXValue& holder,
                                         const AXValue::Array*& array) const
{
    if (const qint32 result = attribute(node, name, holder); result != AXErrorCode::Success)
        return result;
    array = holder.get<AXValue::Array>();
    return array ? AXErrorCode::Success : AXErrorCode::Failure;
}

qint32 FakeAccessibility::copyAttributeValue(const AXElement& element, const QString& attributeName,
                                             AXValue& value)
{
    const auto entered = enter({Operation::CopyAttributeValue, element, {attributeName}});
    if (const auto* error = std::get_if<qint32>(&entered))
        return *error;
    const Node* node = std::get<const Node*>(entered);
    AXValue answer;
    const qint32 result = attribute(*node, attributeName, answer);
    if (result == AXErrorCode::Success)
        value = std::move(answer);
    return result;
}

qint32 FakeAccessibility::copyAttributeValues(const AXElement& element, const QString& attributeName,
                                              qint64 index, qint64 maxValues, std::vector<AXValue>& values)
{
    const auto entered = enter({Operation::CopyAttributeValues, element, {attributeName}, index, maxValues});
    if (const auto* error = std::get_if<qint32>(&entered))
        return *error;
    const Node* node = std::get<const Node*>(entered);
    if (index < 0 || maxValues < 0)
        return AXErrorCode::Failure;
    AXValue answer;
    const AXValue::Array* array = nullptr;
    if (const qint32 result = arrayAttribute(*node, attributeName, answer, array);
        result != AXErrorCode::Success)
        return result;
    const auto size = static_cast<qint64>(array->size());
    const qint64 begin = std::min(index, size);
    const qint64 end = begin + std::min(maxValues, size - begin);
    values.assign(array->begin() + begin, array->begin() + end);
    return AXErrorCode::Success;
}

qint32 FakeAccessibility::attributeValueCount(const AXElement& element, const QString& attributeName,
                                              qint64& count)
{
    const auto entered = enter({Operation::AttributeValueCount, element, {attributeName}});
    if (const auto* error = std::get_if<qint32>(&entered))
        return *error;
    const Node* node = std::get<const Node*>(entered);
    AXValue answer;
    const AXValue::Array* array = nullptr;
    if (const qint32 result = arrayAttribute(*node, attributeName, answer, array);
        result != AXErrorCode::Success)
        return result;
    count = static_cast<qint64>(array->size());
    return AXErrorCode::Success;
}

qint32 FakeAccessibility::copyMultipleAttributeValues(const AXElement& element, const QStringList& attributes,
                                                      std::vector<AXValue>& values)
{
    const auto entered = enter({Operation::CopyMultipleAttributeValues, element, attributes});
    if (const auto* error = std::get_if<qint32>(&entered))
        return *error;
    const Node* node = std::get<const Node*>(entered);
    std::vector<AXValue> answers;
    answers.reserve(static_cast<std::size_t>(attributes.size()));
    for (const QString& name : attributes) {
        AXValue value;
        const qint32 result = attribute(*node, name, value);
        answers.push_back(result == AXErrorCode::Success ? std::move(value) : AXValue::error(result));
    }
    values = std::move(answers);
    return AXErrorCode::Success;
}

qint32 FakeAccessibility::performAction(const AXElement& element, const QString& action)
{
    const auto entered = enter({Operation::PerformAction, element, {action}});
    if (const auto* error = std::get_if<qint32>(&entered))
        return *error;
    const Node* node = std::get<const Node*>(entered);
    if (node->isApplication || action != PRESS)
        return AXErrorCode::Failure;
    if (const auto it = node->data.errors.constFind(action); it != node->data.errors.constEnd())
        return *it;
    m_presses.append(element);
    return AXErrorCode::Success;
}

bool FakeAccessibility::isProcessTrusted(bool prompt)
{
    if (prompt) {
        ++m_promptCount;
        if (m_promptGrantsTrust)
            m_trusted = true;
    }
    return m_trusted;
}

} // namespace tavlen::fake
