#pragma once

#include "platform/linux/DesktopEntry.h"

#include <QList>
#include <QString>
#include <optional>

namespace tavlen::linux_platform {

// What a top-level window tells about the application that owns it. Without X11 (an
// application on the accessibility bus) the window class fields carry the application's
// accessible name.
struct WindowIdentity {
    QString gtkApplicationId; // _GTK_APPLICATION_ID
    QString wmInstance;       // WM_CLASS, first string
    QString wmClass;          // WM_CLASS, second string
    QString executable;       // the program file of the window's process, without folder
    // For a program that an interpreter runs (python3, perl, node, sh, ...): the script's name,
    // without folder; empty otherwise.
    QString script;
    QString desktopEntryId; // the entry the process was launched from, when the launcher said
};

struct ResolvedApplication {
    QString identifier;
    QString localizedName;

    friend bool operator==(const ResolvedApplication&, const ResolvedApplication&) = default;
};

// Names the application of a window the way the store keys it: the id of its desktop entry,
// matched by GTK application id or the entry the process was launched from, then by StartupWMClass or an id
// equal to the window class, then by the program the entry starts; without an entry the window class, else
// the program.
class ApplicationIdResolver {
public:
    ApplicationIdResolver() = delete;

    // None when the window tells nothing to go by.
    static std::optional<ResolvedApplication> resolve(const WindowIdentity& window,
                                                      const QList<DesktopEntry>& applications);

    // Whether a program runs other programs' code (python3.11, perl, node, gjs, java, sh, ...):
    // its name says nothing about which application runs, and its desktop entry, if any, is
    // not that application's.
    static bool isInterpreter(const QString& executable);
    // The script an interpreter runs, from its command line (the interpreter first): the first
    // argument that is not an option, without folder and without its extension.
    static QString scriptOf(const QStringList& commandLine);
};

} // namespace tavlen::linux_platform
