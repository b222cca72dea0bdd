#include "sheet/CustomRowModel.h"

#include "harvest/ShortcutNotation.h"
#include "settings/AppSettings.h"
#include "sheet/ShortcutTyping.h"
#include "store/DatabaseManager.h"

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
    typeShortcut(services(), bundleIdentifier(), {*m_item.keys->keyCode, notation::eventFlags(*m_item.keys)});
}

void CustomRowModel::saveState()
{
    services().databaseManager.saveCustomHotkeyState(bundleIdentifier(), m_item.uuidText(), !hidden(),
                                                     bookmarked());
}

} // namespace tavlen
