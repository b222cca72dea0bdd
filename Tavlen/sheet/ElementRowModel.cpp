#include "sheet/ElementRowModel.h"

#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "platform/AXAttributeNames.h"
#include "platform/Accessibility.h"
#include "platform/ApplicationDirectory.h"
#include "platform/ApplicationLauncher.h"
#include "settings/AppSettings.h"
#include "store/DatabaseManager.h"
#include "store/EditRequest.h"
#include "store/GlobalApp.h"

namespace tavlen {

ElementRowModel::ElementRowModel(QString appTitle, QString bundleIdentifier, MenuItem element,
                                 bool bookmarked, bool hidden, bool hiddenGlobally,
                                 const RowServices& services, QObject* parent)
    : QObject(parent)
    , m_appTitle(std::move(appTitle))
    , m_bundleIdentifier(std::move(bundleIdentifier))
    , m_element(std::move(element))
    , m_bookmarked(bookmarked)
    , m_hidden(hidden)
    , m_hiddenGlobally(hiddenGlobally)
    , m_services(services)
{}

QString ElementRowModel::keyText() const
{
    return m_element.keys.value_or(QString());
}

void ElementRowModel::setHovered(bool hovered)
{
    if (hovered == m_hovered)
        return;
    m_hovered = hovered;
    Q_EMIT changed();
}

QString ElementRowModel::bookmarkSymbolName() const
{
    return m_bookmarked ? QStringLiteral("bookmark.fill") : QStringLiteral("bookmark");
}

double ElementRowModel::bookmarkOpacity() const
{
    return m_bookmarked || m_hovered ? 1.0 : 0.0;
}

RowTextStyle ElementRowModel::textStyle() const
{
    // Inactive rows are drawn at half the opacity of active ones; hidden globally outranks
    // hidden, which outranks the plain colours.
    const double opacity = m_element.isActive ? 0.5 : 0.25;
    if (m_hiddenGlobally)
        return RowTextStyle::hiddenGlobally(opacity);
    if (m_hidden)
        return RowTextStyle::hidden(opacity);
    return m_element.isActive ? RowTextStyle::normal() : RowTextStyle::gray();
}

QList<ContextMenuEntry> ElementRowModel::contextMenuEntries() const
{
    using Kind = ContextMenuEntry::Kind;
    QList<ContextMenuEntry> entries;
    if (m_services.appSettings.enableCustomShortcuts()) {
        entries.append({Kind::Customize, QStringLiteral("Customize"),
                        m_services.appSettings.customShortcutsAvailable(), QStringLiteral("highlighter")});
        entries.append({Kind::Divider, QString(), true, QString()});
    }
    if (!m_hiddenGlobally) {
        entries.append(m_hidden ? ContextMenuEntry{Kind::Show, QStringLiteral("Show"), true, QString()}
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
    if (m_element.hotkeys && m_element.keys)
        m_services.databaseManager.incrementHotkeyUsage(m_bundleIdentifier, m_element.title, *m_element.keys);
    m_services.accessibility.performAction(m_element.axuieElement, ax::PRESS);
}

void ElementRowModel::toggleBookmark()
{
    if (!m_bookmarked && m_hidden)
        m_hidden = false;
    m_bookmarked = !m_bookmarked;
    saveState();
    Q_EMIT changed();
}

void ElementRowModel::toggleHidden()
{
    if (!m_hidden && m_bookmarked)
        m_bookmarked = false;
    m_hidden = !m_hidden;
    saveState();
    Q_EMIT changed();
}

void ElementRowModel::toggleHiddenGlobally()
{
    m_hiddenGlobally = !m_hiddenGlobally;
    if (m_element.keys)
        m_services.databaseManager.saveHotkeyState(QString::fromLatin1(global_app::IDENTIFIER),
                                                   m_element.title, *m_element.keys, false, m_hiddenGlobally);
    Q_EMIT changed();
}

void ElementRowModel::customize()
{
    writeEditRequest(m_bundleIdentifier, m_appTitle, m_element.title, m_element.parentTitles,
                     m_services.locations, m_services.files, m_services.keyboard, m_services.clock);
    const QString customShortcuts = AppSettings::APP_CUSTOM_SHORTCUTS;
    if (!m_services.applications.find(customShortcuts))
        return;
    // Closing the panel is only right once the application that takes the request is coming
    // up; when it cannot be started the panel stays, as it does when it is not installed.
    if (m_services.launcher.launch(customShortcuts))
        m_services.notifications.post(NotificationNames::closePanel);
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
        m_services.databaseManager.saveHotkeyState(m_bundleIdentifier, m_element.title, *m_element.keys,
                                                   m_bookmarked, m_hidden);
}

} // namespace tavlen
