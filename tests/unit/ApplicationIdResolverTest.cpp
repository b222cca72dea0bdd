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
    return ApplicationIdResolver::resolve(WindowIdentity{gtkId, instance, wmClass, executable, {}, {}},
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
                                                            {},
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

TEST(ApplicationIdResolver, InterpretedProgramsAreNamedByTheirOwnIdsOrScriptNeverByTheInterpreter)
{
    QList<DesktopEntry> withInterpreter = applications;
    withInterpreter.append(
        entry(QStringLiteral("python3.11"), QStringLiteral("Python (v3.11)"), QStringLiteral("python3.11")));
    withInterpreter.append(
        entry(QStringLiteral("org.example.Notes"), QStringLiteral("Notes"), QStringLiteral("notes-app %U")));
    const auto interpreted = [&](const QString& wmClass, const QString& executable, const QString& script) {
        return ApplicationIdResolver::resolve(WindowIdentity{{}, {}, wmClass, executable, script, {}},
                                              withInterpreter);
    };
    // Two Python programs without window ids are two applications, not "python3.11".
    EXPECT_EQ(interpreted({}, QStringLiteral("python3.11"), QStringLiteral("meld")),
              (ResolvedApplication{QStringLiteral("meld"), QString()}));
    EXPECT_EQ(interpreted({}, QStringLiteral("python3.11"), QStringLiteral("notes-app")),
              (ResolvedApplication{QStringLiteral("org.example.Notes"), QStringLiteral("Notes")}));
    EXPECT_EQ(interpreted(QStringLiteral("Meld"), QStringLiteral("python3.11"), QStringLiteral("meld")),
              (ResolvedApplication{QStringLiteral("Meld"), QStringLiteral("Meld")}));
    EXPECT_FALSE(interpreted({}, QStringLiteral("python3.11"), {}));

    for (const char* name : {"python3", "python3.11", "perl", "node", "gjs", "java", "sh", "bash"})
        EXPECT_TRUE(ApplicationIdResolver::isInterpreter(QString::fromLatin1(name))) << name;
    for (const char* name : {"geany", "pythonista-editor", "gnome-shell", "nodepad"})
        EXPECT_FALSE(ApplicationIdResolver::isInterpreter(QString::fromLatin1(name))) << name;
    const auto script = [](std::initializer_list<const char*> arguments) {
        QStringList commandLine;
        for (const char* argument : arguments)
            commandLine << QString::fromLatin1(argument);
        return ApplicationIdResolver::scriptOf(commandLine);
    };
    EXPECT_EQ(script({"python3", "-O", "/usr/bin/meld", "--diff"}), QStringLiteral("meld"));
    EXPECT_EQ(script({"python3", "-m", "quodlibet"}), QStringLiteral("quodlibet"));
    EXPECT_EQ(script({"gjs", "/usr/share/app/main.js"}), QStringLiteral("main"));
    EXPECT_TRUE(script({"python3"}).isEmpty());
}
