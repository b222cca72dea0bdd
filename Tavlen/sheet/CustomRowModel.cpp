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
    : RowModel(std::move(appTitle), std::move(bundleIdentifier), bookmarked, hidden, services, parent)
    , m_item(std::move(item))
{}

QString CustomRowModel::keyText() const
{
    if (!m_item.keys)
        return QString();
    return notation::keyInputText(*m_item.keys, false, services().appSettings.showLocalizedCustomShortcuts(),
                                  services().keyboard);
}

RowTextStyle CustomRowModel::textStyle() const
{
    if (keyText().isEmpty())
        return hidden() ? RowTextStyle::hidden(0.25) : RowTextStyle::gray();
    return hidden() ? RowTextStyle::hidden(0.5) : RowTextStyle::normal();
}

QList<ContextMenuEntry> CustomRowModel::contextMenuEntries() const
{
    if (hidden())
        return {{ContextMenuEntry::Kind::Show, QStringLiteral("Show"), true, QString()}};
    return {{ContextMenuEntry::Kind::Hide, QStringLiteral("Hide"), true, QString()}};
}

void CustomRowModel::press()
{
    services().databaseManager.incrementCustomHotkeyUsage(bundleIdentifier(), m_item.uuidText());
    sendShortcut();
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
    KeySender& keySender = services().keySender;

    if (bundleIdentifier() == globalIdentifier) {
        keySender.post(keyCode, flags);
        return;
    }
    const QList<RunningApplication> running = services().workspace.runningApplications(bundleIdentifier());
    if (running.isEmpty())
        return;
    const RunningApplication& target = running.first();
    const std::optional<RunningApplication> frontmost = services().workspace.frontmostApplication();
    if (frontmost && frontmost->processIdentifier == target.processIdentifier) {
        keySender.post(keyCode, flags);
        return;
    }
    if (!services().windowActivator.activate(target))
        return;
    // Captures no reference to the row: the sheet may be rebuilt before the key goes out.
    services().timers.singleShot(std::chrono::milliseconds(activationDelayMilliseconds),
                                 [&keySender, keyCode, flags] { keySender.post(keyCode, flags); });
}

void CustomRowModel::saveState()
{
    services().databaseManager.saveCustomHotkeyState(bundleIdentifier(), m_item.uuidText(), !hidden(),
                                                     bookmarked());
}

} // namespace tavlen
