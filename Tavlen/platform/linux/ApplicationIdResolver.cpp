#include "platform/linux/ApplicationIdResolver.h"

#include <QRegularExpression>

namespace tavlen::linux_platform {
namespace {

const DesktopEntry* findEntry(const QList<DesktopEntry>& applications, auto matches)
{
    for (const DesktopEntry& entry : applications) {
        if (matches(entry))
            return &entry;
    }
    return nullptr;
}

bool sameName(const QString& a, const QString& b)
{
    return !a.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// A desktop entry id may carry a reverse-DNS prefix ("org.geany.Geany"); its last part is
// what window classes are usually named after.
QString lastIdPart(const QString& id)
{
    return id.section(QLatin1Char('.'), -1);
}

} // namespace

bool ApplicationIdResolver::isInterpreter(const QString& executable)
{
    static const QRegularExpression interpreters(QStringLiteral(
        "^(python|pypy|perl|ruby|node|nodejs|gjs|gjs-console|java|lua|luajit|php|tclsh|wish|R|Rscript|"
        "sh|bash|dash|zsh|ksh|fish|mono|dotnet|guile|racket|sbcl|ocaml|osascript)[0-9.]*$"));
    return interpreters.match(executable).hasMatch();
}

QString ApplicationIdResolver::scriptOf(const QStringList& commandLine)
{
    for (qsizetype i = 1; i < commandLine.size(); ++i) {
        const QString& argument = commandLine.at(i);
        // Options of the interpreter, and "-m module" whose module is the program.
        if (argument == QLatin1String("-m") && i + 1 < commandLine.size())
            return commandLine.at(i + 1);
        if (argument.isEmpty() || argument.startsWith(QLatin1Char('-')))
            continue;
        const QString name = argument.section(QLatin1Char('/'), -1);
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        return dot > 0 ? name.left(dot) : name;
    }
    return {};
}

std::optional<ResolvedApplication> ApplicationIdResolver::resolve(const WindowIdentity& window,
                                                                  const QList<DesktopEntry>& applications)
{
    const DesktopEntry* entry = nullptr;
    if (!window.gtkApplicationId.isEmpty())
        entry =
            findEntry(applications, [&](const DesktopEntry& e) { return e.id == window.gtkApplicationId; });
    if (!entry && !window.desktopEntryId.isEmpty())
        entry = findEntry(applications, [&](const DesktopEntry& e) { return e.id == window.desktopEntryId; });
    if (!entry) {
        entry = findEntry(applications, [&](const DesktopEntry& e) {
            return !e.startupWMClass.isEmpty() &&
                   (e.startupWMClass == window.wmClass || e.startupWMClass == window.wmInstance);
        });
    }
    if (!entry) {
        entry = findEntry(applications, [&](const DesktopEntry& e) {
            return sameName(window.wmClass, e.id) || sameName(window.wmInstance, e.id) ||
                   sameName(window.wmClass, lastIdPart(e.id));
        });
    }
    // An interpreter's entry is the interpreter's, not the application's: every program it runs
    // would share one set of hidden and bookmarked entries. The script's name stands in for it.
    const bool interpreted = isInterpreter(window.executable);
    const QString program = interpreted ? window.script : window.executable;
    if (!entry && !program.isEmpty()) {
        entry = findEntry(applications, [&](const DesktopEntry& e) { return e.executableName() == program; });
    }
    if (entry)
        return ResolvedApplication{entry->id, entry->name};
    if (!window.wmClass.isEmpty())
        return ResolvedApplication{window.wmClass, window.wmClass};
    if (!program.isEmpty())
        return ResolvedApplication{program, QString()};
    return std::nullopt;
}

} // namespace tavlen::linux_platform
