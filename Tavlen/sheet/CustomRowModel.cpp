#include "sheet/CustomRowModel.h"

#include "harvest/ShortcutNotation.h"
#include "platform/KeySender.h"
#include "platform/Timers.h"
#include "platform/WindowActivator.h"
#include "platform/Workspace.h"
#include "settings/AppSettings.h"
#include "store/DatabaseManager.h"

#include <chrono>

namespace tavlen {

CustomRowModel::CustomRowModel(QString appTitle, QString bundleIdentifier, ManualHotkey item, bool bookmarked,
                               bool hidden, const RowServices& services, QObject* parent)
    : QObject(parent)
    , m_appTitle(std::move(appTitle))
    , m_bundleIdentifier(std::move(bundleIdentifier))
    , m_item(std::move(item))
    , m_bookmarked(bookmarked)
    , m_hidden(hidden)
    , m_services(services)
{}

void CustomRowModel::setHovered(bool hovered)
{
    if (hovered == m_hovered)
        return;
    m_hovered = hovered;
    Q_EMIT changed();
}

QString CustomRowModel::bookmarkSymbolName() const
{
    return m_bookmarked ? QStringLiteral("bookmark.fill") : QStringLiteral("bookmark");
}

double CustomRowModel::bookmarkOpacity() const
{
    return m_bookmarked || m_hovered ? 1.0 : 0.0;
}

QString CustomRowModel::keyText() const
{
    if (!m_item.keys)
        return QString();
    return notation::keyInputText(*m_item.keys, false, m_services.appSettings.showLocalizedCustomShortcuts(),
                                  m_services.keyboard);
}

RowTextStyle CustomRowModel::textStyle() const
{
    if (keyText().isEmpty())
        return m_hidden ? RowTextStyle::hidden(0.25) : RowTextStyle::gray();
    return m_hidden ? RowTextStyle::hidden(0.5) : RowTextStyle::normal();
}

QList<ContextMenuEntry> CustomRowModel::contextMenuEntries() const
{
    if (m_hidden)
        return {{ContextMenuEntry::Kind::Show, QStringLiteral("Show"), true, QString()}};
    return {{ContextMenuEntry::Kind::Hide, QStringLiteral("Hide"), true, QString()}};
}

void CustomRowModel::press()
{
    m_services.databaseManager.incrementCustomHotkeyUsage(m_bundleIdentifier, m_item.uuidText());
    sendShortcut();
}

void CustomRowModel::toggleBookmark()
{
    if (!m_bookmarked && m_hidden)
        m_hidden = false;
    m_bookmarked = !m_bookmarked;
    saveState();
    Q_EMIT changed();
}

void CustomRowModel::toggleHidden()
{
    if (!m_hidden && m_bookmarked)
        m_bookmarked = false;
    m_hidden = !m_hidden;
    saveState();
    Q_EMIT changed();
}

void CustomRowModel::trigger(ContextMenuEntry::Kind kind)
{
    if (kind == ContextMenuEntry::Kind::Hide || kind == ContextMenuEntry::Kind::Show)
        toggleHidden();
}

void CustomRowModel::sendShortcut()
{
    if (!m_item.keys || !m_item.keys->keyCode)
        return;
    const quint16 keyCode = *m_item.keys->keyCode;
    const qint64 flags = notation::eventFlags(*m_item.keys);
    KeySender& keySender = m_services.keySender;

    if (m_bundleIdentifier == globalIdentifier) {
        keySender.post(keyCode, flags);
        return;
    }
    const QList<RunningApplication> running = m_services.workspace.runningApplications(m_bundleIdentifier);
    if (running.isEmpty())
        return;
    const RunningApplication& target = running.first();
    const std::optional<RunningApplication> frontmost = m_services.workspace.frontmostApplication();
    if (frontmost && frontmost->processIdentifier == target.processIdentifier) {
        keySender.post(keyCode, flags);
        return;
    }
    if (!m_services.windowActivator.activate(target))
        return;
    // Captures no reference to the row: the sheet may be rebuilt before the key goes out.
    m_services.timers.singleShot(std::chrono::milliseconds(activationDelayMilliseconds),
                                 [&keySender, keyCode, flags] { keySender.post(keyCode, flags); });
}

void CustomRowModel::saveState()
{
    m_services.databaseManager.saveCustomHotkeyState(m_bundleIdentifier, m_item.uuidText(), !m_hidden,
                                                     m_bookmarked);
}

} // namespace tavlen
