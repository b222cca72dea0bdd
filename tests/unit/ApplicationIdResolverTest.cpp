#include "platform/linux/ApplicationIdResolver.h"

#include <gtest/gtest.h>

using namespace tavlen::linux_platform;

namespace {

DesktopEntry entry(const QString& id, const QString& name, const QString& exec, const QString& wmClass = {})
{
    DesktopEntry e;
    e.id = id;
    e.name = name;
    e.type = QStringLiteral("Application");
    e.exec = exec;
    e.startupWMClass = wmClass;
    return e;
}

const QList<DesktopEntry> applications = {
    entry(QStringLiteral("org.gnome.TextEditor"), QStringLiteral("Text Editor"),
          QStringLiteral("gnome-text-editor %U")),
    entry(QStringLiteral("geany"), QStringLiteral("Geany"), QStringLiteral("geany %F")),
    entry(QStringLiteral("firefox-esr"), QStringLiteral("Firefox ESR"),
          QStringLiteral("/usr/lib/firefox-esr/firefox-esr %u"), QStringLiteral("Firefox-esr")),
    entry(QStringLiteral("code"), QStringLiteral("Code"),
          QStringLiteral("env GDK_BACKEND=x11 /usr/share/code/code %F")),
};

std::optional<ResolvedApplication> resolve(const QString& gtkId, const QString& instance,
                                           const QString& wmClass, const QString& executable)
{
    return ApplicationIdResolver::resolve(WindowIdentity{gtkId, instance, wmClass, executable, {}},
                                          applications);
}

} // namespace

TEST(ApplicationIdResolver, PrefersGtkIdThenWindowClassThenProgram)
{
    // The GTK application id names the entry even when the class says something else.
    EXPECT_EQ(resolve(QStringLiteral("org.gnome.TextEditor"), QStringLiteral("gnome-text-editor"),
                      QStringLiteral("Gnome-text-editor"), QStringLiteral("gnome-text-editor")),
              (ResolvedApplication{QStringLiteral("org.gnome.TextEditor"), QStringLiteral("Text Editor")}));
    // StartupWMClass, then an id equal to the class whatever its case.
    EXPECT_EQ(resolve({}, QStringLiteral("Navigator"), QStringLiteral("Firefox-esr"),
                      QStringLiteral("firefox-esr")),
              (ResolvedApplication{QStringLiteral("firefox-esr"), QStringLiteral("Firefox ESR")}));
    EXPECT_EQ(resolve({}, QStringLiteral("geany"), QStringLiteral("Geany"), QStringLiteral("geany")),
              (ResolvedApplication{QStringLiteral("geany"), QStringLiteral("Geany")}));
    // The program the entry starts, past "env" and its assignments.
    EXPECT_EQ(resolve({}, QStringLiteral("electron"), QStringLiteral("Electron"), QStringLiteral("code")),
              (ResolvedApplication{QStringLiteral("code"), QStringLiteral("Code")}));
    // An unknown GTK id does not stop the other ways.
    EXPECT_EQ(
        resolve(QStringLiteral("org.example.Unknown"), QStringLiteral("geany"), QStringLiteral("Geany"), {}),
        (ResolvedApplication{QStringLiteral("geany"), QStringLiteral("Geany")}));
    // The entry a launcher started the process from comes before the class and the program
    // (an interpreter's program names nothing).
    EXPECT_EQ(ApplicationIdResolver::resolve(WindowIdentity{{},
                                                            QStringLiteral("geany"),
                                                            QStringLiteral("Geany"),
                                                            QStringLiteral("python3"),
                                                            QStringLiteral("code")},
                                             applications),
              (ResolvedApplication{QStringLiteral("code"), QStringLiteral("Code")}));
}

TEST(ApplicationIdResolver, WithoutEntryFallsBackToClassThenProgram)
{
    EXPECT_EQ(resolve({}, QStringLiteral("xterm"), QStringLiteral("XTerm"), QStringLiteral("xterm")),
              (ResolvedApplication{QStringLiteral("XTerm"), QStringLiteral("XTerm")}));
    EXPECT_EQ(resolve({}, {}, {}, QStringLiteral("mystery")),
              (ResolvedApplication{QStringLiteral("mystery"), QString()}));
    EXPECT_FALSE(resolve({}, {}, {}, {}));
}
