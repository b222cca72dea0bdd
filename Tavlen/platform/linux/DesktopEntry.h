#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavlen::linux_platform {

// The [Desktop Entry] group of one .desktop file, reduced to what Tavlen needs to name an
// application, show its icon and recognise its windows.
struct DesktopEntry {
    QString id;   // desktop file id, without ".desktop"; set by whoever found the file
    QString path; // the file it was read from; set by whoever found the file
    QString type; // "Application", "Link", "Directory"
    QString name; // Name, localized for the locale it was parsed for
    QString icon;
    QString exec;
    QString startupWMClass;
    bool hidden = false;    // Hidden=true: the entry counts as deleted
    bool noDisplay = false; // NoDisplay=true: installed, but kept out of menus
    // X-GNOME-Autostart-enabled=false: GNOME's own switch for an autostart entry.
    bool autostartSwitchedOff = false;

    bool isApplication() const { return type == QLatin1String("Application"); }

    // The program Exec starts, without its folder ("firefox" for "/usr/bin/firefox %u"). A
    // leading "env" and its VAR=value assignments are skipped; empty when there is no Exec.
    QString executableName() const;

    // Parses the file's bytes (UTF-8). `messagesLocale` is a POSIX locale name such as
    // "de_DE.UTF-8" or "sr_RS@latin"; Name is localized the way LC_MESSAGES selects
    // translations: Name[lang_COUNTRY@MODIFIER], Name[lang_COUNTRY], Name[lang@MODIFIER],
    // Name[lang], then Name. None when the file has no [Desktop Entry] group or lacks one of
    // its required keys, Type and Name.
    static std::optional<DesktopEntry> parse(const QByteArray& bytes, const QString& messagesLocale);

    // The user's message locale: LC_ALL, LC_MESSAGES or LANG, whichever is set first, else
    // the name of the system QLocale.
    static QString userMessagesLocale();

    // Undoes the escapes of string values: \s, \n, \t, \r and \\.
    static QString unescape(const QString& value);

    // Splits an Exec value into arguments, honouring its double-quoting rules.
    static QStringList execArguments(const QString& exec);
};

} // namespace tavlen::linux_platform
