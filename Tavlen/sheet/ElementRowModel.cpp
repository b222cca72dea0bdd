#include "sheet/ElementRowModel.h"

#include "platform/AXAttributeNames.h"
#include "platform/Accessibility.h"
#include "platform/ApplicationDirectory.h"
#include "platform/ApplicationLauncher.h"
#include "platform/NotificationCenter.h"
#include "platform/NotificationNames.h"
#include "settings/AppSettings.h"
#include "sheet/ShortcutTyping.h"
#include "store/DatabaseManager.h"
#include "store/EditRequest.h"
#include "store/GlobalApp.h"

namespace tavlen {

ElementRowModel::ElementRowModel(QString appTitle, QString bundleIdentifier, MenuItem element,
                                 bool bookmarked, bool hidden, bool hiddenGlobally,
                                 const RowServices& services, QObject* parent)
    : RowModel(std::move(appTitle), std::move(bundleIdentifier), bookmarked, hidden, services, parent)
    , m_element(std::move(element))
    , m_hiddenGlobally(hiddenGlobally)
{}

QString ElementRowModel::keyText() const
{
    return m_element.keys.value_or(QString());
}

RowTextStyle ElementRowModel::textStyle() const
{
    // Inactive rows are drawn at half the opacity of active ones; hidden globally outranks
    // hidden, which outranks the plain colours.
    const double opacity = m_element.isActive ? 0.5 : 0.25;
    if (m_hiddenGlobally)
        return RowTextStyle::hiddenGlobally(opacity);
    if (hidden())
        return RowTextStyle::hidden(opacity);
    return m_element.isActive ? RowTextStyle::normal() : RowTextStyle::gray();
}

QList<ContextMenuEntry> ElementRowModel::contextMenuEntries() const
{
    using Kind = ContextMenuEntry::Kind;
    QList<ContextMenuEntry> entries;
    if (services().appSettings.enableCustomShortcuts()) {
        entries.append({Kind::Customize, QStringLiteral("Customize"),
                        services().appSettings.customShortcutsAvailable(), QStringLiteral("highlighter")});
        entries.append({Kind::Divider, QString(), true, QString()});
    }
    if (!m_hiddenGlobally) {
        entries.append(hidden() ? ContextMenuEntry{Kind::Show, QStringLiteral("Show"), true, QString()}
                                : ContextMenuEntry{Kind::Hide, QStringLiteral("Hide"), true, QString()});
    }
    entries.append(
        m_hiddenGlobally
            ? ContextMenuEntry{Kind::ShowGlobally, QStringLiteral("Show Globally"), true, QString()}
            : ContextMenuEntry{Kind::HideGlobally, QStringLiteral("Hide Globally"), true, QString()});
    return entries;
}

void ElementRowModel::press()
{
    if (!m_element.isActive)
        return;
    // An entry that no menu holds (a shortcuts window's, a shortcut list's) is typed instead.
    if (m_element.axuieElement.isNull()) {
        if (!m_element.hotkeys)
            return;
        const std::optional<TypedKey> key = typedKeyOf(*m_element.hotkeys, services().keyboard);
        if (!key)
            return;
        if (m_element.keys)
            services().databaseManager.incrementHotkeyUsage(bundleIdentifier(), m_element.title,
                                                            *m_element.keys);
        typeShortcut(services(), bundleIdentifier(), *key);
        return;
    }
    if (m_element.hotkeys && m_element.keys)
        services().databaseManager.incrementHotkeyUsage(bundleIdentifier(), m_element.title, *m_element.keys);
    services().accessibility.performAction(m_element.axuieElement, ax::PRESS);
}

void ElementRowModel::toggleHiddenGlobally()
{
    m_hiddenGlobally = !m_hiddenGlobally;
    if (m_element.keys)
        services().databaseManager.saveHotkeyState(QString::fromLatin1(global_app::IDENTIFIER),
                                                   m_element.title, *m_element.keys, false, m_hiddenGlobally);
    Q_EMIT changed();
}

void ElementRowModel::customize()
{
    writeEditRequest(bundleIdentifier(), appTitle(), m_element.title, m_element.parentTitles,
                     services().locations, services().files, services().keyboard, services().clock);
    const QString customShortcuts = AppSettings::APP_CUSTOM_SHORTCUTS;
    if (!services().applications.find(customShortcuts))
        return;
    // Closing the panel is only right once the application that takes the request is coming
    // up; when it cannot be started the panel stays, as it does when it is not installed.
    if (services().launcher.launch(customShortcuts))
        services().notifications.post(NotificationNames::closePanel);
}

void ElementRowModel::trigger(ContextMenuEntry::Kind kind)
{
    switch (kind) {
    case ContextMenuEntry::Kind::Customize:
        customize();
        break;
    case ContextMenuEntry::Kind::Hide:
    case ContextMenuEntry::Kind::Show:
        toggleHidden();
        break;
    case ContextMenuEntry::Kind::HideGlobally:
    case ContextMenuEntry::Kind::ShowGlobally:
        toggleHiddenGlobally();
        break;
    case ContextMenuEntry::Kind::Divider:
        break;
    }
}

void ElementRowModel::saveState()
{
    // Rows exist only for elements with a shortcut text; one without has no store key.
    if (m_element.keys)
        services().databaseManager.saveHotkeyState(bundleIdentifier(), m_element.title, *m_element.keys,
                                                   bookmarked(), hidden());
}

} // namespace tavlen
