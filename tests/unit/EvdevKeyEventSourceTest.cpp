#include "platform/linux/EvdevKeyEventSource.h"
#include "platform/KeyInput.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <linux/input.h>
#include <unistd.h>

using namespace tavlen;
using linux_platform::EvdevKeyEventSource;

namespace {

QByteArray record(quint16 type, quint16 code, qint32 value)
{
    input_event event{};
    event.type = type;
    event.code = code;
    event.value = value;
    return QByteArray(reinterpret_cast<const char*>(&event), sizeof(event));
}

QByteArray key(quint16 code, qint32 value)
{
    return record(EV_KEY, code, value) + record(EV_SYN, SYN_REPORT, 0);
}

// A device's records arrive through a pipe, as they would from /dev/input.
class EvdevStream : public ::testing::Test {
protected:
    void SetUp() override
    {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        m_writeEnd = ends[1];
        source.adopt(ends[0], QStringLiteral("keyboard"));
        QObject::connect(&source, &KeyEventSource::keyEvent,
                         [this](const KeyEvent& event) { events << event; });
    }
    void TearDown() override { closeDevice(); }

    void write(const QByteArray& bytes)
    {
        ASSERT_EQ(::write(m_writeEnd, bytes.constData(), static_cast<size_t>(bytes.size())), bytes.size());
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }
    void closeDevice()
    {
        if (m_writeEnd >= 0)
            ::close(m_writeEnd);
        m_writeEnd = -1;
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    EvdevKeyEventSource source;
    QList<KeyEvent> events;

private:
    int m_writeEnd = -1;
};

} // namespace

TEST_F(EvdevStream, TranslatesKeysAndModifiersIntoTheGestureEvents)
{
    // Super down, held (the kernel repeats it), up: two changes of the flags and nothing else.
    write(key(KEY_LEFTMETA, 1) + key(KEY_LEFTMETA, 2) + key(KEY_LEFTMETA, 2) + key(KEY_LEFTMETA, 0));
    EXPECT_EQ(events, (QList<KeyEvent>{{KeyEvent::Type::FlagsChanged, EventFlag::Command, quint16(55)},
                                       {KeyEvent::Type::FlagsChanged, 0, quint16(55)}}));
    events.clear();

    // Right Control held while A goes down and up, then repeats of A: the flags ride along.
    write(key(KEY_RIGHTCTRL, 1) + key(KEY_A, 1) + key(KEY_A, 2) + key(KEY_A, 0) + key(KEY_RIGHTCTRL, 0));
    EXPECT_EQ(events, (QList<KeyEvent>{{KeyEvent::Type::FlagsChanged, EventFlag::Control, quint16(62)},
                                       {KeyEvent::Type::KeyDown, EventFlag::Control, quint16(0)},
                                       {KeyEvent::Type::KeyUp, EventFlag::Control, quint16(0)},
                                       {KeyEvent::Type::FlagsChanged, 0, quint16(62)}}));
}

TEST_F(EvdevStream, JoinsRecordsThatReadsCutApartAndDropsAClosedDevice)
{
    const QByteArray bytes = key(KEY_LEFTALT, 1);
    write(bytes.left(5));
    EXPECT_TRUE(events.isEmpty());
    write(bytes.mid(5));
    EXPECT_EQ(events, (QList<KeyEvent>{{KeyEvent::Type::FlagsChanged, EventFlag::Option, quint16(58)}}));

    EXPECT_EQ(source.keyboardCount(), 1);
    closeDevice();
    EXPECT_EQ(source.keyboardCount(), 0);
}

TEST(EvdevKeyEventSource, DoesNotStartWithoutAKeyboardItMayRead)
{
    QTemporaryDir folder;
    EvdevKeyEventSource source(folder.path());
    EXPECT_FALSE(source.start());
    EXPECT_EQ(source.keyboardCount(), 0);
}
