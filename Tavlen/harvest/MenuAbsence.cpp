#include "harvest/MenuAbsence.h"

#include <utility>

namespace tavlen {

MenuAbsence menuAbsence(bool menuBarMissing, const ApplicationAccess& access)
{
    if (menuBarMissing || access.onBus)
        return {MenuAbsence::Kind::NoMenuBar, access.toolkit};
    if (!access.switchedOn)
        return {MenuAbsence::Kind::SwitchedOff, access.toolkit};
    return {MenuAbsence::Kind::NotOnBus, access.toolkit};
}

MenuAbsence menuBarAbsence(int emptyMenus, qint64 shortcuts)
{
    if (emptyMenus > 0 && shortcuts == 0)
        return {MenuAbsence::Kind::MenusNotOpened};
    return {};
}

QString noShortcutText(const QString& applicationName)
{
    return QStringLiteral("%1 has no menu entry with a keyboard shortcut.").arg(applicationName);
}

QString absenceText(const MenuAbsence& absence, const QString& applicationName)
{
    const QString& name = applicationName;
    const QString& toolkit = absence.toolkit;
    switch (absence.kind) {
    case MenuAbsence::Kind::None:
        return {};
    case MenuAbsence::Kind::SwitchedOff:
        return QStringLiteral("Accessibility is switched off, so %1 cannot be read: switch it on "
                              "(gsettings set org.gnome.desktop.interface toolkit-accessibility true), "
                              "then start %1 again.")
            .arg(name);
    case MenuAbsence::Kind::NotOnBus:
        // Each toolkit joins the bus its own way, and some never do.
        if (toolkit.startsWith(QLatin1String("LibreOffice")))
            return QStringLiteral("%1 runs LibreOffice's gen back end, which offers no accessibility: start "
                                  "it with another back end (SAL_USE_VCLPLUGIN=gtk3).")
                .arg(name);
        if (toolkit == QLatin1String("GTK 2"))
            return QStringLiteral("%1 (GTK 2) is not on the accessibility bus: start it with "
                                  "GTK_MODULES=gail:atk-bridge.")
                .arg(name);
        // GTK 3 joins unless told not to, GTK 4 unless its accessibility is switched off.
        for (const auto& [gtk, setting] :
             {std::pair{"GTK 3", "NO_AT_BRIDGE=1"}, std::pair{"GTK 4", "GTK_A11Y=none"}}) {
            if (toolkit == QLatin1String(gtk))
                return QStringLiteral("%1 (%2) is not on the accessibility bus: start it again without %3.")
                    .arg(name, toolkit, QLatin1String(setting));
        }
        if (toolkit.startsWith(QLatin1String("Qt")))
            return QStringLiteral("%1 (%2) is not on the accessibility bus: start it again now that "
                                  "accessibility is on, or with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.")
                .arg(name, toolkit);
        return QStringLiteral("%1 is not on the accessibility bus: start it again now that accessibility "
                              "is on.")
            .arg(name);
    case MenuAbsence::Kind::MenusNotOpened:
        return QStringLiteral("%1 fills its menus only once they have been opened: open each of its menus "
                              "once, then ask again.")
            .arg(name);
    case MenuAbsence::Kind::NoMenuBar:
        return QStringLiteral("%1 has no menu bar, and Tavlen knows no other list of its shortcuts.")
            .arg(name);
    }
    return {};
}

} // namespace tavlen
