#include "IntegrationDesktop.h"

#include "platform/KeyInput.h"
#include "platform/linux/XInputKeyEventSource.h"
#include "platform/linux/XTestKeySender.h"
#include "support/WaitUntil.h"

#include <QList>
#include <gtest/gtest.h>

using namespace tavlen;
using tavlen::linux_platform::XInputKeyEventSource;
using tavlen::linux_platform::XTestKeySender;
using tavlen::test::IntegrationDesktop;

namespace {

class XInputKeyEventSourceIntegration : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!IntegrationDesktop::skipReason().isEmpty())
            GTEST_SKIP() << IntegrationDesktop::skipReason().toStdString();
        ASSERT_NE(IntegrationDesktop::session(), nullptr) << IntegrationDesktop::startError().toStdString();
    }
};

} // namespace

// XTest goes through the server like a real keyboard, so the raw events show the modifiers
// going down around the key and coming up again, in the event-flag and macOS numbering.
TEST_F(XInputKeyEventSourceIntegration, SeesModifierChangesAndKeysInOrder)
{
    XInputKeyEventSource source;
    ASSERT_TRUE(source.start());
    QList<KeyEvent> events;
    QObject::connect(&source, &XInputKeyEventSource::keyEvent,
                     [&events](const KeyEvent& event) { events.append(event); });

    XTestKeySender sender;
    ASSERT_TRUE(sender.isAvailable());
    ASSERT_TRUE(sender.post(0, EventFlag::Command | EventFlag::Shift)); // A
    ASSERT_TRUE(test::waitUntil([&] { return events.size() >= 6; }));

    using Type = KeyEvent::Type;
    const qint64 both = EventFlag::Command | EventFlag::Shift;
    const QList<KeyEvent> expected{
        {Type::FlagsChanged, EventFlag::Command, quint16{55}},
        {Type::FlagsChanged, both, quint16{56}},
        {Type::KeyDown, both, quint16{0}},
        {Type::KeyUp, both, quint16{0}},
        {Type::FlagsChanged, EventFlag::Command, quint16{56}},
        {Type::FlagsChanged, 0, quint16{55}},
    };
    ASSERT_EQ(events.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(events[i].type, expected[i].type);
        EXPECT_EQ(events[i].modifierFlags, expected[i].modifierFlags);
        EXPECT_EQ(events[i].keyCode, expected[i].keyCode);
    }

    source.stop();
    EXPECT_FALSE(source.isListening());
    ASSERT_TRUE(sender.post(0, 0));
    test::waitUntil([] { return false; }, 200);
    EXPECT_EQ(events.size(), expected.size());
}

TEST(XInputKeyEventSource, WithoutADisplayItDoesNotStart)
{
    XInputKeyEventSource source(QByteArrayLiteral(":9999"));
    EXPECT_FALSE(source.start());
    EXPECT_FALSE(source.isListening());
}
