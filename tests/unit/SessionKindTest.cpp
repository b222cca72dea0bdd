#include "platform/linux/SessionKind.h"

#include <gtest/gtest.h>

using tavlen::linux_platform::SessionKind;

TEST(SessionKind, TellsTheDisplayServerAndTheDesktopFromTheEnvironment)
{
    // Tavlen's windows on XWayland still live in a Wayland session.
    EXPECT_TRUE(SessionKind::from({}, QStringLiteral("wayland-0"), {}).isWayland());
    EXPECT_TRUE(SessionKind::from(QStringLiteral("wayland"), {}, {}).isWayland());
    EXPECT_FALSE(SessionKind::from(QStringLiteral("x11"), {}, QStringLiteral("GNOME")).isWayland());

    EXPECT_EQ(SessionKind::from({}, {}, QStringLiteral("ubuntu:GNOME")).desktop, SessionKind::Desktop::Gnome);
    EXPECT_EQ(SessionKind::from({}, {}, QStringLiteral("KDE")).desktop, SessionKind::Desktop::Plasma);
    EXPECT_EQ(SessionKind::from({}, {}, QStringLiteral("sway")).desktop, SessionKind::Desktop::Other);
    EXPECT_EQ(SessionKind::from({}, {}, QStringLiteral("GNOME-Flashback-ish")).desktop,
              SessionKind::Desktop::Other);
}
