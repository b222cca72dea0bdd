#include "platform/AXUIHelper.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace tavlen;

namespace {

class TestHandle : public AXElementHandle {
public:
    explicit TestHandle(int id = 0) : m_id(id) {}
    int id() const { return m_id; }

private:
    int m_id;
};

// Two handles for one element, as an adapter without a handle cache would make them.
class KeyedHandle final : public AXElementHandle {
public:
    explicit KeyedHandle(int key) : m_key(key) {}
    bool sameElement(const AXElementHandle& other) const override
    {
        const auto* keyed = dynamic_cast<const KeyedHandle*>(&other);
        return keyed && keyed->m_key == m_key;
    }
    std::size_t identityHash() const noexcept override { return std::hash<int>{}(m_key); }

private:
    int m_key;
};

AXElement makeElement(int id = 0)
{
    return AXElement(std::make_shared<TestHandle>(id));
}

const AXAttributes& attributesOf(const AXAttributesResult& result)
{
    static const AXAttributes none;
    const auto* attributes = std::get_if<AXAttributes>(&result);
    EXPECT_NE(attributes, nullptr) << "failed with " << std::get<AccessibilityError>(result).axError;
    return attributes ? *attributes : none;
}

qint32 errorOf(const AXAttributesResult& result)
{
    const auto* error = std::get_if<AccessibilityError>(&result);
    EXPECT_NE(error, nullptr) << "no error";
    return error ? error->axError : 0;
}

} // namespace

TEST(AXUIHelper, ConvertsElementsAndWrappedValues)
{
    const AXUIHelper helper(makeElement());
    const AXElement child = makeElement(7);

    EXPECT_EQ(std::get<AXElement>(helper.convertValue(AXValue::element(child))), child);
    EXPECT_EQ(std::get<AXPoint>(helper.convertValue(AXValue::wrapped(AXValueKind::Point, AXPoint{1.5, -2}))),
              (AXPoint{1.5, -2}));
    EXPECT_EQ(std::get<AXSize>(helper.convertValue(AXValue::wrapped(AXValueKind::Size, AXSize{3, 4}))),
              (AXSize{3, 4}));
    const AXRect rect{{1, 2}, {3, 4}};
    EXPECT_EQ(std::get<AXRect>(helper.convertValue(AXValue::wrapped(AXValueKind::Rect, rect))), rect);
    EXPECT_EQ(std::get<AXRange>(helper.convertValue(AXValue::wrapped(AXValueKind::Range, AXRange{-1, 9}))),
              (AXRange{-1, 9}));
    EXPECT_EQ(std::get<AXErrorValue>(helper.convertValue(AXValue::error(-25204))).code, -25204);
}

TEST(AXUIHelper, ValuesThatCannotBeUnpackedGiveZero)
{
    const AXUIHelper helper(makeElement());
    // A point kind that holds a size, and a rectangle kind that holds nothing.
    EXPECT_EQ(std::get<AXPoint>(helper.convertValue(AXValue::wrapped(AXValueKind::Point, AXSize{3, 4}))),
              AXPoint{});
    EXPECT_EQ(std::get<AXRect>(helper.convertValue(AXValue::wrapped(AXValueKind::Rect))), AXRect{});
}

TEST(AXUIHelper, OtherValuesComeBackUnchanged)
{
    const AXUIHelper helper(makeElement());
    const std::vector<AXValue> values{
        AXValue::wrapped(AXValueKind::Illegal, AXPoint{1, 1}),
        AXValue::wrapped(static_cast<AXValueKind>(6)),
        AXValue::wrapped(static_cast<AXValueKind>(42), AXRange{1, 2}),
        AXValue::string(QStringLiteral("Open…")),
        AXValue::unsignedNumber(18446744073709551615ULL),
        AXValue::signedNumber(-3),
        AXValue::boolean(false),
        AXValue::array({AXValue::element(makeElement(1)), AXValue::null()}),
        AXValue::other(QStringLiteral("AXTextMarker")),
    };
    for (const AXValue& value : values) {
        const AXTypedValue typed = helper.convertValue(value);
        ASSERT_TRUE(std::holds_alternative<AXValue>(typed));
        EXPECT_EQ(std::get<AXValue>(typed), value);
    }
}

TEST(AXUIHelper, SkipsValuesThatAreAbsent)
{
    const AXUIHelper helper(makeElement());
    const QStringList names{QStringLiteral("AXTitle"), QStringLiteral("AXMenuItemCmdChar"),
                            QStringLiteral("AXEnabled"), QStringLiteral("AXMenuItemCmdGlyph")};
    const auto result = helper.attributeValues(
        names, {AXValue::string(QStringLiteral("Save")), AXValue::error(AXErrorCode::NoValue),
                AXValue::boolean(true), AXValue::error(AXErrorCode::AttributeUnsupported)});
    const AXAttributes& attributes = attributesOf(result);
    EXPECT_EQ(attributes.size(), 2);
    EXPECT_EQ(axvalue::toString(attributes.value(QStringLiteral("AXTitle"))), QStringLiteral("Save"));
    EXPECT_EQ(axvalue::toBool(attributes.value(QStringLiteral("AXEnabled"))), true);
    EXPECT_FALSE(attributes.contains(QStringLiteral("AXMenuItemCmdChar")));
    EXPECT_FALSE(attributes.contains(QStringLiteral("AXMenuItemCmdGlyph")));
}

TEST(AXUIHelper, NullEntriesAreNoError)
{
    const AXUIHelper helper(makeElement());
    const auto result = helper.attributeValues({QStringLiteral("AXTitle"), QStringLiteral("AXEnabled")},
                                               {AXValue::null(), AXValue::boolean(true)});
    const AXAttributes& attributes = attributesOf(result);
    EXPECT_EQ(attributes.size(), 1);
    EXPECT_TRUE(attributes.contains(QStringLiteral("AXEnabled")));
}

TEST(AXUIHelper, AnyOtherErrorFailsTheWholeRequest)
{
    const AXUIHelper helper(makeElement());
    const QStringList names{QStringLiteral("AXTitle"), QStringLiteral("AXEnabled"),
                            QStringLiteral("AXChildren")};
    for (const qint32 code : {-25204, -25200, -25211, 0, 1}) {
        const auto result = helper.attributeValues(
            names, {AXValue::string(QStringLiteral("Save")), AXValue::error(code), AXValue::boolean(true)});
        EXPECT_EQ(errorOf(result), AXErrorCode::Failure) << "code " << code;
    }
    // An error kind that holds no code reads as code 0, which is no "absent" answer either.
    EXPECT_EQ(
        errorOf(helper.attributeValues({QStringLiteral("AXTitle")}, {AXValue::wrapped(AXValueKind::Error)})),
        AXErrorCode::Failure);
}

TEST(AXUIHelper, EmptyNamesGiveAnEmptyDictionary)
{
    const AXUIHelper helper(makeElement());
    EXPECT_TRUE(attributesOf(helper.attributeValues({}, {})).isEmpty());
    EXPECT_TRUE(attributesOf(helper.attributeValues({}, {AXValue::error(-25204)})).isEmpty());
}

TEST(AXUIHelper, ARepeatedNameKeepsTheLaterValue)
{
    const AXUIHelper helper(makeElement());
    const auto result = helper.attributeValues(
        {QStringLiteral("AXTitle"), QStringLiteral("AXTitle"), QStringLiteral("AXTitle")},
        {AXValue::string(QStringLiteral("first")), AXValue::string(QStringLiteral("second")),
         AXValue::null()});
    EXPECT_EQ(axvalue::toString(attributesOf(result).value(QStringLiteral("AXTitle"))),
              QStringLiteral("second"));
}

TEST(AXUIHelper, AShortAnswerIsAFailureNotAnOverrun)
{
    const AXUIHelper helper(makeElement());
    const auto result = helper.attributeValues({QStringLiteral("AXTitle"), QStringLiteral("AXEnabled")},
                                               {AXValue::string(QStringLiteral("Save"))});
    EXPECT_EQ(errorOf(result), AXErrorCode::Failure);
    // A longer answer is read up to the number of names.
    const auto longer = helper.attributeValues(
        {QStringLiteral("AXTitle")}, {AXValue::string(QStringLiteral("Save")), AXValue::error(-25204)});
    EXPECT_EQ(attributesOf(longer).size(), 1);
}

TEST(AXUIHelper, ConvertedAttributesKeepTheirTypes)
{
    const AXUIHelper helper(makeElement());
    const AXElement menuBar = makeElement(3);
    const auto result = helper.attributeValues(
        {QStringLiteral("AXMenuBar"), QStringLiteral("AXMenuItemCmdVirtualKey"), QStringLiteral("AXFrame")},
        {AXValue::element(menuBar), AXValue::unsignedNumber(36),
         AXValue::wrapped(AXValueKind::Rect, AXRect{{0, 0}, {10, 20}})});
    const AXAttributes& attributes = attributesOf(result);
    EXPECT_EQ(axvalue::toElement(attributes.value(QStringLiteral("AXMenuBar"))), menuBar);
    EXPECT_EQ(axvalue::toUnsigned(attributes.value(QStringLiteral("AXMenuItemCmdVirtualKey"))), 36u);
    EXPECT_EQ(std::get<AXRect>(attributes.value(QStringLiteral("AXFrame"))).size, (AXSize{10, 20}));
}

TEST(AXTypedValue, ReadersTreatAnotherTypeAsAbsent)
{
    const AXTypedValue number = AXValue::unsignedNumber(8);
    EXPECT_EQ(axvalue::toUnsigned(number), 8u);
    EXPECT_EQ(axvalue::toString(number), std::nullopt);
    EXPECT_EQ(axvalue::toBool(number), std::nullopt);
    EXPECT_EQ(axvalue::toElement(number), std::nullopt);

    EXPECT_EQ(axvalue::toUnsigned(AXValue::signedNumber(12)), 12u);
    EXPECT_EQ(axvalue::toUnsigned(AXValue::signedNumber(-1)), std::nullopt);
    EXPECT_EQ(axvalue::toUnsigned(AXValue::boolean(true)), std::nullopt);
    EXPECT_EQ(axvalue::toUnsigned(AXTypedValue(AXErrorValue{5})), std::nullopt);
    EXPECT_EQ(axvalue::toString(AXValue::other(QStringLiteral("CFAttributedString"))), std::nullopt);
    EXPECT_EQ(axvalue::toBool(AXValue::unsignedNumber(1)), std::nullopt);
}

TEST(AXElement, ComparesByIdentity)
{
    const auto handle = std::make_shared<TestHandle>(1);
    const AXElement a(handle);
    const AXElement copy = a;
    const AXElement lookalike = makeElement(1); // same id, another element
    EXPECT_EQ(a, copy);
    EXPECT_NE(a, lookalike);
    EXPECT_NE(a, AXElement());
    EXPECT_EQ(AXElement(), AXElement());
    EXPECT_EQ(a.handleAs<TestHandle>(), handle.get());
    EXPECT_EQ(a.handleAs<KeyedHandle>(), nullptr);

    // Adapters may define identity by the element behind the handle.
    const AXElement first(std::make_shared<KeyedHandle>(9));
    const AXElement second(std::make_shared<KeyedHandle>(9));
    EXPECT_EQ(first, second);
    EXPECT_EQ(qHash(first), qHash(second));
    EXPECT_NE(first, AXElement(std::make_shared<KeyedHandle>(10)));
    EXPECT_EQ(QSet<AXElement>({first, second, a, copy}).size(), 2);
}

TEST(AXElement, NullHandleIsTheNullValue)
{
    EXPECT_TRUE(AXValue::element(AXElement()).isNull());
    EXPECT_FALSE(AXValue::element(makeElement()).isNull());
}

TEST(AXUIHelper, HoldsItsElementForItsLifetime)
{
    std::weak_ptr<TestHandle> watched;
    {
        auto handle = std::make_shared<TestHandle>(5);
        watched = handle;
        const AXUIHelper helper{AXElement(std::move(handle))};
        EXPECT_FALSE(watched.expired());
        EXPECT_EQ(helper.element().handleAs<TestHandle>()->id(), 5);
    }
    EXPECT_TRUE(watched.expired());
}
