#include "settings/HotkeyTableModel.h"

#include "harvest/ShortcutNotation.h"
#include "platform/NotificationCenter.h"
#include "platform/NotificationNames.h"
#include "settings/AppSettings.h"
#include "store/DatabaseManager.h"
#include "store/GlobalApp.h"

#include <algorithm>

namespace tavlen {

namespace {

constexpr qint64 NoKey = -1;

QString hotkeyTitle(qsizetype number)
{
    return QStringLiteral("Hotkey ") + QString::number(number);
}

} // namespace

HotkeyTableModel::HotkeyTableModel(DatabaseManager& store, AppSettings& settings,
                                   const KeyboardLayout& keyboard, NotificationCenter& notifications,
                                   QObject* parent)
    : QAbstractTableModel(parent)
    , m_store(store)
    , m_settings(settings)
    , m_keyboard(keyboard)
    , m_notifications(notifications)
    , m_appSelected(QString::fromLatin1(global_app::IDENTIFIER))
{
    load();
}

HotkeyTableModel::~HotkeyTableModel()
{
    if (m_recordingId)
        endHandshake();
}

void HotkeyTableModel::setAppSelected(const QString& identifier)
{
    m_appSelected = identifier;
    reload();
}

void HotkeyTableModel::reload()
{
    beginResetModel();
    load();
    endResetModel();
}

void HotkeyTableModel::load()
{
    m_data.clear();
    for (const CustomHotkeyRow& row : m_store.getCustomHotkeys(m_appSelected, true)) {
        // A uuid that is no UUID was not written by the editor; such a row could not be saved
        // or deleted by its identity, so it is left out rather than shown.
        std::optional<ManualHotkey> hotkey = ManualHotkey::fromRow(row);
        if (!hotkey)
            continue;
        if (hotkey->keys)
            hotkey->trigger = triggerText(*hotkey->keys);
        m_data.append(*hotkey);
    }
}

QString HotkeyTableModel::triggerText(const KeyInput& keys) const
{
    if (!keys.keyCode)
        return recordShortcutText();
    return notation::keyInputText(keys, true, m_settings.showLocalizedCustomShortcuts(), m_keyboard);
}

void HotkeyTableModel::writeRow(const ManualHotkey& hotkey)
{
    const bool hasKey = hotkey.keys && hotkey.keys->keyCode;
    const qint64 rawValue = hasKey ? *hotkey.keys->keyCode : NoKey;
    const qint64 rawModifier = hasKey ? notation::eventFlags(*hotkey.keys) : NoKey;
    m_store.saveCustomHotkey(m_appSelected, hotkey.uuidText(), hotkey.title, hotkey.trigger, rawValue,
                             rawModifier, hotkey.isActive, hotkey.isBookmarked);
}

void HotkeyTableModel::writeAllRows()
{
    for (const ManualHotkey& hotkey : std::as_const(m_data))
        writeRow(hotkey);
}

void HotkeyTableModel::rowChanged(int row)
{
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

bool HotkeyTableModel::isTitleTaken(const QString& title, int exceptRow) const
{
    for (int row = 0; row < m_data.size(); ++row) {
        if (row != exceptRow && m_data.at(row).title == title)
            return true;
    }
    return false;
}

int HotkeyTableModel::rowOf(const QUuid& id) const
{
    const auto it = std::find_if(m_data.cbegin(), m_data.cend(),
                                 [&id](const ManualHotkey& hotkey) { return hotkey.id == id; });
    return it == m_data.cend() ? -1 : static_cast<int>(it - m_data.cbegin());
}

int HotkeyTableModel::addHotkey()
{
    if (m_data.isEmpty())
        reload();

    // Titles are unique within an application: after a deletion the row count can name a
    // shortcut that is still there, and the store would refuse the new row and, with it, every
    // key later recorded for it.
    qsizetype number = m_data.size();
    while (isTitleTaken(hotkeyTitle(number), -1))
        ++number;

    ManualHotkey hotkey;
    hotkey.title = hotkeyTitle(number);
    hotkey.trigger = recordShortcutText();
    hotkey.isActive = false;
    hotkey.isBookmarked = false;
    m_store.saveCustomHotkey(m_appSelected, hotkey.uuidText(), hotkey.title, hotkey.trigger, NoKey, NoKey,
                             false, false);

    const int row = static_cast<int>(m_data.size());
    beginInsertRows({}, row, row);
    m_data.append(hotkey);
    endInsertRows();
    return row;
}

HotkeyTableModel::Rename HotkeyTableModel::rename(int row, const QString& title)
{
    if (row < 0 || row >= m_data.size())
        return Rename::NoSuchRow;
    if (m_data.at(row).title == title)
        return Rename::Unchanged;
    // The store keeps one title per application: it would drop the whole update of the row,
    // and every later one, without a word.
    if (isTitleTaken(title, row)) {
        Q_EMIT renameRefused(row, title);
        return Rename::DuplicateTitle;
    }
    m_data[row].title = title;
    writeAllRows();
    rowChanged(row);
    return Rename::Renamed;
}

void HotkeyTableModel::setActive(int row, bool active)
{
    setMark(row, &ManualHotkey::isActive, active);
}

void HotkeyTableModel::setBookmarked(int row, bool bookmarked)
{
    setMark(row, &ManualHotkey::isBookmarked, bookmarked);
}

void HotkeyTableModel::setMark(int row, bool ManualHotkey::*mark, bool value)
{
    if (row < 0 || row >= m_data.size())
        return;
    m_data[row].*mark = value;
    writeRow(m_data.at(row));
    rowChanged(row);
}

void HotkeyTableModel::headerClicked(int column)
{
    if (column != IsEnabledColumn && column != IsBookmarkedColumn)
        return;
    const auto flag = column == IsEnabledColumn ? &ManualHotkey::isActive : &ManualHotkey::isBookmarked;
    const bool anySet = std::any_of(m_data.cbegin(), m_data.cend(),
                                    [flag](const ManualHotkey& hotkey) { return hotkey.*flag; });
    for (ManualHotkey& hotkey : m_data) {
        if (hotkey.*flag == !anySet)
            continue;
        hotkey.*flag = !anySet;
        writeRow(hotkey);
    }
    if (!m_data.isEmpty())
        Q_EMIT dataChanged(index(0, column), index(static_cast<int>(m_data.size()) - 1, column));
}

bool HotkeyTableModel::deleteHotkey(int row)
{
    if (row < 0 || row >= m_data.size())
        return false;
    m_store.deleteCustomHotkey(m_appSelected, m_data.at(row).uuidText());
    beginRemoveRows({}, row, row);
    m_data.removeAt(row);
    endRemoveRows();
    return true;
}

bool HotkeyTableModel::openRecorder(int row)
{
    if (m_recordingId || row < 0 || row >= m_data.size())
        return false;
    m_recordingId = m_data.at(row).id;
    // Paused first and blocked afterwards: the controller ignores pause requests once blocked.
    m_pauseState = m_settings.pauseMonitoring();
    if (!m_pauseState)
        m_notifications.post(NotificationNames::pauseApp);
    m_settings.setBlockedMonitoring(true);
    return true;
}

void HotkeyTableModel::closeRecorder(bool applied, const std::optional<KeyInput>& result)
{
    if (!m_recordingId)
        return;
    const int row = rowOf(*m_recordingId);
    if (applied && result && row >= 0) {
        m_data[row].keys = *result;
        m_data[row].trigger = triggerText(*result);
        writeAllRows();
        rowChanged(row);
    }
    endHandshake();
}

void HotkeyTableModel::endHandshake()
{
    m_recordingId.reset();
    // Unblocked first, so that the controller takes the resume request.
    m_settings.setBlockedMonitoring(false);
    if (!m_pauseState)
        m_notifications.post(NotificationNames::resumeApp);
}

int HotkeyTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_data.size());
}

int HotkeyTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HotkeyTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_data.size())
        return {};
    const ManualHotkey& hotkey = m_data.at(index.row());
    switch (index.column()) {
    case TitleColumn:
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return hotkey.title;
        break;
    case ShortcutColumn:
        if (role == Qt::DisplayRole)
            return hotkey.trigger;
        break;
    case IsEnabledColumn:
        if (role == Qt::CheckStateRole)
            return static_cast<int>(hotkey.isActive ? Qt::Checked : Qt::Unchecked);
        break;
    case IsBookmarkedColumn:
        if (role == Qt::CheckStateRole)
            return static_cast<int>(hotkey.isBookmarked ? Qt::Checked : Qt::Unchecked);
        break;
    default:
        break;
    }
    return {};
}

QVariant HotkeyTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole) {
        if (section == TitleColumn)
            return QStringLiteral("Title");
        if (section == ShortcutColumn)
            return QStringLiteral("Shortcut");
    } else if (role == SymbolRole) {
        if (section == IsEnabledColumn)
            return QStringLiteral("checkmark");
        if (section == IsBookmarkedColumn)
            return QStringLiteral("bookmark.fill");
    }
    return {};
}

Qt::ItemFlags HotkeyTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == TitleColumn)
        flags |= Qt::ItemIsEditable;
    else if (index.column() == IsEnabledColumn || index.column() == IsBookmarkedColumn)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool HotkeyTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid())
        return false;
    if (index.column() == TitleColumn && role == Qt::EditRole) {
        const Rename result = rename(index.row(), value.toString());
        return result == Rename::Renamed || result == Rename::Unchanged;
    }
    if (role != Qt::CheckStateRole)
        return false;
    const bool on = value.toInt() == Qt::Checked;
    if (index.column() == IsEnabledColumn)
        setActive(index.row(), on);
    else if (index.column() == IsBookmarkedColumn)
        setBookmarked(index.row(), on);
    else
        return false;
    return true;
}

} // namespace tavlen
