#include "IntegrationDesktop.h"

#include "platform/KeyInput.h"
#include "platform/linux/EwmhWindowActivator.h"
#include "platform/linux/MacKeyCodes.h"
#include "platform/linux/X11Workspace.h"
#include "platform/linux/XTestKeySender.h"
#include "support/WaitUntil.h"

#include <QDeadlineTimer>
#include <QList>
#include <QThread>
#include <cstdlib>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

using namespace tavlen;
using tavlen::linux_platform::EwmhWindowActivator;
using tavlen::linux_platform::MacKeyCodes;
using tavlen::linux_platform::X11Workspace;
using tavlen::linux_platform::XTestKeySender;
using tavlen::test::IntegrationDesktop;

namespace {

// A key event as the X server delivered it: pressed or released, keycode, modifier state.
struct KeyEvent {
    bool press = false;
    quint32 keycode = 0;
    quint16 state = 0;
};

class KeyPostingIntegration : public test::DesktopTest {
protected:
};

quint32 x11Key(quint16 mac)
{
    return MacKeyCodes::x11FromMac(mac).value_or(0);
}

} // namespace

// The keyboard is grabbed on the root window, so every key the server sees comes here whatever
// window has the focus.
TEST_F(KeyPostingIntegration, XTestTypesModifiersAroundTheKey)
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    ASSERT_FALSE(xcb_connection_has_error(connection));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_grab_keyboard_reply_t* grab = xcb_grab_keyboard_reply(
        connection,
        xcb_grab_keyboard(connection, 0, root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
        nullptr);
    ASSERT_TRUE(grab && grab->status == XCB_GRAB_STATUS_SUCCESS);
    std::free(grab);

    XTestKeySender sender;
    ASSERT_TRUE(sender.isAvailable());
    // A (mac 0) with Command and Shift; Function has no key and is dropped.
    EXPECT_TRUE(sender.post(0, EventFlag::Command | EventFlag::Shift | EventFlag::Function));
    EXPECT_FALSE(sender.post(0xFFFF, EventFlag::Command)); // no such key: nothing typed

    QList<KeyEvent> events;
    QDeadlineTimer deadline(5000);
    while (events.size() < 6 && !deadline.hasExpired()) {
        xcb_generic_event_t* event = xcb_poll_for_event(connection);
        if (!event) {
            QThread::msleep(5);
            continue;
        }
        const auto type = event->response_type & 0x7F;
        if (type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE) {
            const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
            events.append({type == XCB_KEY_PRESS, key->detail, key->state});
        }
        std::free(event);
    }
    xcb_ungrab_keyboard(connection, XCB_CURRENT_TIME);
    xcb_flush(connection);
    xcb_disconnect(connection);

    ASSERT_EQ(events.size(), 6);
    const QList<quint32> expectedOrder{x11Key(55), x11Key(56), x11Key(0), x11Key(0), x11Key(56), x11Key(55)};
    for (qsizetype i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].keycode, expectedOrder[i]) << i;
        EXPECT_EQ(events[i].press, i < 3) << i;
    }
    // The key itself arrives with Shift and Super (Mod4 in the usual keymaps) held.
    EXPECT_TRUE(events[2].state & XCB_MOD_MASK_SHIFT);
    EXPECT_TRUE(events[2].state & XCB_MOD_MASK_4);
    EXPECT_FALSE(events[2].state & XCB_MOD_MASK_CONTROL);
}

TEST_F(KeyPostingIntegration, ActivatesTheWindowOfAProcess)
{
    const auto isFrontmost = [](const X11Workspace& workspace, qint64 pid) {
        const std::optional<RunningApplication> front = workspace.frontmostApplication();
        return front && front->processIdentifier == pid;
    };
    X11Workspace workspace;
    EwmhWindowActivator activator;

    ASSERT_TRUE(activator.activate({QStringLiteral("qpdfview"), QString(), session->qpdfviewPid()}));
    EXPECT_TRUE(test::waitUntil([&] { return isFrontmost(workspace, session->qpdfviewPid()); }, 10000));
    ASSERT_TRUE(activator.activate({QStringLiteral("geany"), QString(), session->geanyPid()}));
    EXPECT_TRUE(test::waitUntil([&] { return isFrontmost(workspace, session->geanyPid()); }, 10000));

    // A process without a window (this test's own) cannot be activated.
    EXPECT_FALSE(
        activator.activate({QStringLiteral("tests"), QString(), QCoreApplication::applicationPid()}));
}
