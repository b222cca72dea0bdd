#pragma once

#include "platform/KeyInput.h"
#include "store/ManualHotkey.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <optional>

namespace tavlen {

class AppSettings;
class DatabaseManager;
class KeyboardLayout;
class NotificationCenter;

// The custom shortcuts of one application as the editor's table shows them, in the store's
// order. Every change is written to the store at once.
//
// The model also holds the handshake with the application controller while the key recorder is
// open: monitoring is paused (unless it already was) and then blocked, so that no pause or
// resume request changes it until the recorder closes.
class HotkeyTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { TitleColumn, ShortcutColumn, IsEnabledColumn, IsBookmarkedColumn, ColumnCount };

    static constexpr char titleColumnID[] = "title";
    static constexpr char shortcutColumnID[] = "shortcut";
    static constexpr char isEnabledColumnID[] = "isEnabled";
    static constexpr char isBookmarkedColumnID[] = "isBookmarked";

    // The header of a pictogram column carries the symbol name in this role instead of a text.
    static constexpr int SymbolRole = Qt::UserRole + 1;

    static QString recordShortcutText() { return QStringLiteral("Record Shortcut"); }

    // What became of a new title.
    enum class Rename {
        Renamed,
        Unchanged,
        // Another shortcut of the application has that title: nothing was written.
        DuplicateTitle,
        NoSuchRow,
    };

    HotkeyTableModel(DatabaseManager& store, AppSettings& settings, const KeyboardLayout& keyboard,
                     NotificationCenter& notifications, QObject* parent = nullptr);
    // Ends a recorder handshake that is still open, so that monitoring is never left blocked.
    ~HotkeyTableModel() override;

    const QString& appSelected() const { return m_appSelected; }
    // Shows the shortcuts of another application (or the same one afresh), read from the store.
    void setAppSelected(const QString& identifier);
    void reload();

    const QList<ManualHotkey>& hotkeys() const { return m_data; }

    // Appends a shortcut titled "Hotkey N", N being the number of rows before (or the next
    // number whose title is still free), disabled and without a key, and stores it. Returns its
    // row.
    int addHotkey();
    Rename rename(int row, const QString& title);
    void setActive(int row, bool active);
    void setBookmarked(int row, bool bookmarked);
    // A click on a column header: on the enabled or bookmarked column, clears that flag on every
    // row when any has it, else sets it on all. Other columns do nothing.
    void headerClicked(int column);
    bool deleteHotkey(int row);

    // Starts the handshake for recording the key of one row; false (and nothing done) for a row
    // that does not exist or while a recorder is already open.
    bool openRecorder(int row);
    bool isRecorderOpen() const { return m_recordingId.has_value(); }
    // The recorder closed: an applied combination becomes the row's key and trigger, then
    // monitoring is unblocked and resumed unless it was paused before.
    void closeRecorder(bool applied, const std::optional<KeyInput>& result);

    // The trigger text of a recorded combination.
    QString triggerText(const KeyInput& keys) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // A new title was refused because another row of the application already has it.
    void renameRefused(int row, const QString& title);

private:
    void load();
    void writeRow(const ManualHotkey& hotkey);
    // Sets one of a row's marks and stores the row.
    void setMark(int row, bool ManualHotkey::*mark, bool value);
    void writeAllRows();
    void rowChanged(int row);
    bool isTitleTaken(const QString& title, int exceptRow) const;
    int rowOf(const QUuid& id) const;
    void endHandshake();

    DatabaseManager& m_store;
    AppSettings& m_settings;
    const KeyboardLayout& m_keyboard;
    NotificationCenter& m_notifications;
    QString m_appSelected;
    QList<ManualHotkey> m_data;
    // The row whose key is being recorded, and whether monitoring was paused when it began.
    std::optional<QUuid> m_recordingId;
    bool m_pauseState = false;
};

} // namespace tavlen
