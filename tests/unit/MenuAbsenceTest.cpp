#include "harvest/MenuAbsence.h"
#include "platform/linux/ProcessFacts.h"

#include <gtest/gtest.h>

using namespace tavlen;
using tavlen::linux_platform::ProcessFacts;

namespace {

ApplicationAccess access(bool switchedOn, bool onBus, const QString& toolkit = {})
{
    ApplicationAccess result;
    result.switchedOn = switchedOn;
    result.onBus = onBus;
    result.toolkit = toolkit;
    return result;
}

QString textFor(const ApplicationAccess& platform)
{
    return absenceText(menuAbsence(false, platform), QStringLiteral("Editor"));
}

} // namespace

TEST(MenuAbsence, TheReasonFollowsWhatThePlatformSaysOfTheApplication)
{
    EXPECT_EQ(menuAbsence(true, access(true, true)).kind, MenuAbsence::Kind::NoMenuBar);
    // An application on the bus is read even with the switch off: no menu bar is then the reason.
    EXPECT_EQ(menuAbsence(true, access(false, true)).kind, MenuAbsence::Kind::NoMenuBar);
    EXPECT_EQ(menuAbsence(false, access(false, true)).kind, MenuAbsence::Kind::NoMenuBar);
    EXPECT_EQ(menuAbsence(false, access(false, false)).kind, MenuAbsence::Kind::SwitchedOff);
    const MenuAbsence offBus = menuAbsence(false, access(true, false, QStringLiteral("Qt 5")));
    EXPECT_EQ(offBus.kind, MenuAbsence::Kind::NotOnBus);
    EXPECT_EQ(offBus.toolkit, QStringLiteral("Qt 5"));

    EXPECT_EQ(menuBarAbsence(7, 0).kind, MenuAbsence::Kind::MenusNotOpened);
    EXPECT_EQ(menuBarAbsence(2, 10).kind, MenuAbsence::Kind::None);
    EXPECT_EQ(menuBarAbsence(0, 0).kind, MenuAbsence::Kind::None);
}

TEST(MenuAbsence, EachLineSaysWhatToDoForTheToolkit)
{
    EXPECT_TRUE(textFor(access(true, false, QStringLiteral("GTK 2")))
                    .contains(QStringLiteral("GTK_MODULES=gail:atk-bridge")));
    EXPECT_TRUE(
        textFor(access(true, false, QStringLiteral("GTK 3"))).contains(QStringLiteral("NO_AT_BRIDGE=1")));
    EXPECT_TRUE(
        textFor(access(true, false, QStringLiteral("GTK 4"))).contains(QStringLiteral("GTK_A11Y=none")));
    const QString qt = textFor(access(true, false, QStringLiteral("Qt 5")));
    EXPECT_TRUE(qt.contains(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1"))) << qt.toStdString();
    EXPECT_TRUE(qt.startsWith(QStringLiteral("Editor (Qt 5)")));
    EXPECT_TRUE(textFor(access(true, false, QStringLiteral("LibreOffice gen")))
                    .contains(QStringLiteral("gen back end")));
    const QString unknown = textFor(access(true, false));
    EXPECT_TRUE(unknown.contains(QStringLiteral("not on the accessibility bus")));
    EXPECT_FALSE(unknown.contains(QStringLiteral("GTK_MODULES")));
    EXPECT_TRUE(textFor(access(false, false)).startsWith(QStringLiteral("Accessibility is switched off")));
    EXPECT_TRUE(absenceText({MenuAbsence::Kind::MenusNotOpened}, QStringLiteral("Firefox"))
                    .contains(QStringLiteral("open each of its menus once")));
    EXPECT_TRUE(absenceText({MenuAbsence::Kind::None}, QStringLiteral("Editor")).isEmpty());
    // One line each: the panel and the terminal show it as it is.
    for (const MenuAbsence::Kind kind : {MenuAbsence::Kind::SwitchedOff, MenuAbsence::Kind::NotOnBus,
                                         MenuAbsence::Kind::NoMenuBar, MenuAbsence::Kind::MenusNotOpened})
        EXPECT_FALSE(absenceText({kind}, QStringLiteral("Editor")).contains(QLatin1Char('\n')));
}

TEST(MenuAbsence, TheToolkitOfAProcessOffTheBusComesFromItsLibraries)
{
    const auto mapped = [](std::initializer_list<const char*> libraries) {
        QByteArray map;
        for (const char* library : libraries)
            map +=
                QByteArray("7f3a1c000000-7f3a1c021000 r-xp 00000000 08:01 1234 /usr/lib/x86_64-linux-gnu/") +
                library + '\n';
        return ProcessFacts::toolkitAmong(map);
    };
    EXPECT_EQ(mapped({"libc.so.6", "libgtk-x11-2.0.so.0.2400.33"}), QStringLiteral("GTK 2"));
    EXPECT_EQ(mapped({"libgtk-3.so.0.2406.32"}), QStringLiteral("GTK 3"));
    EXPECT_EQ(mapped({"libgtk-4.so.1.800.3"}), QStringLiteral("GTK 4"));
    // Qt's and LibreOffice's own libraries count before the GTK their themes load.
    EXPECT_EQ(mapped({"libgtk-3.so.0", "libQt5Core.so.5.15.8"}), QStringLiteral("Qt 5"));
    EXPECT_EQ(mapped({"libQt6Core.so.6"}), QStringLiteral("Qt 6"));
    EXPECT_EQ(mapped({"libgtk-3.so.0", "libreoffice/program/libvclplug_genlo.so"}),
              QStringLiteral("LibreOffice gen"));
    EXPECT_EQ(mapped({"libc.so.6"}), QString());
    EXPECT_EQ(ProcessFacts::toolkitOf(-1), QString());
}
