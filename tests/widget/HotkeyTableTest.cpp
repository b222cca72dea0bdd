#include "core/windows/settings/HotkeyTable.h"

#include "SheetViewFixture.h"
#include "core/windows/settings/ModalKeyInputView.h"
#include "core/windows/settings/ShowKeyInputView.h"
#include "platform/MacKeys.h"
#include "platform/NotificationNames.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tavlen;

namespace {

// A key the tests type: Qt's name for it, its X11 keycode (evdev + 8) as the recorder window
// receives it, and the virtual key code the keyboard gives it.
struct TypedKey {
    int qtKey;
    quint32 x11Code;
    quint16 virtualKey;
};

constexpr TypedKey keyK{Qt::Key_K, 45, 40};
constexpr TypedKey keyP{Qt::Key_P, 33, 35};
constexpr TypedKey escapeKey{Qt::Key_Escape, 9, mac_keys::Escape};
constexpr TypedKey returnKey{Qt::Key_Return, 36, mac_keys::Return};
constexpr TypedKey superKey{Qt::Key_Super_L, 133, mac_keys::Command};
constexpr TypedKey shiftKey{Qt::Key_Shift, 50, mac_keys::Shift};
constexpr TypedKey altKey{Qt::Key_Alt, 64, mac_keys::Option};

constexpr qint64 CommandShift = EventFlag::Command | EventFlag::Shift;

class HotkeyTableTest : public test::SheetViewFixture {
protected:
    HotkeyTableTest()
    {
        for (const TypedKey& typed : {keyK, keyP, escapeKey, returnKey, superKey, shiftKey, altKey})
            keyboard.setScanCode(typed.x11Code, typed.virtualKey);
        for (const QLatin1String name : {NotificationNames::pauseApp, NotificationNames::resumeApp})
            notifications.addObserver(
                name, [this](const QString& posted, const QVariantMap&) { posts.append(posted); });
    }

    HotkeyTable& table()
    {
        if (!m_table) {
            m_table = std::make_unique<HotkeyTable>(services());
            layOut(*m_table, QSize(520, 380));
        }
        return *m_table;
    }

    QString title(int row)
    {
        return table().model().index(row, HotkeyTableModel::TitleColumn).data().toString();
    }

    // "title|raw_value|raw_modifier|enabled|bookmarked" of every global custom shortcut.
    QStringList stored() const
    {
        return storeSupport.column(QStringLiteral(
            R"(SELECT "title" || '|' || "raw_value" || '|' || "raw_modifier" || '|' || "is_enabled" || '|' )"
            R"(|| "is_bookmarked" FROM "CustomHotkeys" WHERE "app_id" = 'global' ORDER BY rowid)"));
    }

    ModalKeyInputView& openRecorder(int row)
    {
        QAbstractButton* button = table().shortcutButton(row);
        EXPECT_NE(button, nullptr);
        if (button)
            button->click();
        ModalKeyInputView* recorder = table().recorderView();
        EXPECT_NE(recorder, nullptr);
        return *recorder;
    }

    static void key(QWidget& target, QEvent::Type type, const TypedKey& typed,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(type, typed.qtKey, modifiers, typed.x11Code, 0, 0);
        QApplication::sendEvent(&target, &event);
    }

    static void press(QWidget& target, const TypedKey& typed,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        key(target, QEvent::KeyPress, typed, modifiers);
    }

    static void release(QWidget& target, const TypedKey& typed,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        key(target, QEvent::KeyRelease, typed, modifiers);
    }

    static void tap(QWidget& target, const TypedKey& typed)
    {
        press(target, typed);
        release(target, typed);
    }

    void clickHeader(int column)
    {
        QHeaderView* header = table().tableView()->horizontalHeader();
        const QPointF at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2.0,
                         header->height() / 2.0);
        const QPointF global = header->viewport()->mapToGlobal(at);
        QMouseEvent down(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(header->viewport(), &down);
        QMouseEvent up(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(header->viewport(), &up);
    }

    QStringList checkStates(int column)
    {
        QStringList states;
        for (int row = 0; row < table().model().rowCount(); ++row) {
            QCheckBox* box = table().checkBox(row, column);
            states.append(box ? (box->isChecked() ? "on" : "off") : "none");
        }
        return states;
    }

    QStringList posts;
    std::unique_ptr<HotkeyTable> m_table;
};

TEST_F(HotkeyTableTest, AddNewAppendsNumberedDisabledRowsThatAreStoredAtOnce)
{
    EXPECT_EQ(table().addButton()->toolTip(), QStringLiteral("Add new"));
    for (int i = 0; i < 3; ++i) {
        table().addButton()->click();
        EXPECT_EQ(stored().size(), i + 1);
    }
    EXPECT_EQ((QStringList{title(0), title(1), title(2)}), (QStringList{"Hotkey 0", "Hotkey 1", "Hotkey 2"}));
    EXPECT_EQ(stored(), (QStringList{"Hotkey 0|-1|-1|0|0", "Hotkey 1|-1|-1|0|0", "Hotkey 2|-1|-1|0|0"}));
    ASSERT_NE(table().shortcutButton(2), nullptr);
    EXPECT_EQ(table().shortcutButton(2)->text(), QStringLiteral("Record Shortcut"));
    EXPECT_EQ(checkStates(HotkeyTableModel::IsEnabledColumn), (QStringList{"off", "off", "off"}));
    EXPECT_EQ(checkStates(HotkeyTableModel::IsBookmarkedColumn), (QStringList{"off", "off", "off"}));
}

TEST_F(HotkeyTableTest, CheckBoxesWriteTheirRowAndHeaderClicksSwitchTheColumn)
{
    for (int i = 0; i < 3; ++i)
        table().newItem();
    table().checkBox(0, HotkeyTableModel::IsEnabledColumn)->click();
    EXPECT_EQ(stored().at(0), QStringLiteral("Hotkey 0|-1|-1|1|0"));

    clickHeader(HotkeyTableModel::IsEnabledColumn);
    EXPECT_EQ(checkStates(HotkeyTableModel::IsEnabledColumn), (QStringList{"off", "off", "off"}));
    clickHeader(HotkeyTableModel::IsEnabledColumn);
    EXPECT_EQ(checkStates(HotkeyTableModel::IsEnabledColumn), (QStringList{"on", "on", "on"}));
    clickHeader(HotkeyTableModel::IsBookmarkedColumn);
    EXPECT_EQ(checkStates(HotkeyTableModel::IsBookmarkedColumn), (QStringList{"on", "on", "on"}));
    clickHeader(HotkeyTableModel::TitleColumn);
    EXPECT_EQ(stored(), (QStringList{"Hotkey 0|-1|-1|1|1", "Hotkey 1|-1|-1|1|1", "Hotkey 2|-1|-1|1|1"}));
    EXPECT_EQ(table().selectedRow(), -1) << "a header click selects nothing";
}

TEST_F(HotkeyTableTest, DeleteButtonIsShownOnlyWhileARowIsSelected)
{
    EXPECT_FALSE(table().isDeleteButtonShown());
    table().newItem();
    EXPECT_FALSE(table().isDeleteButtonShown());
    table().deleteItem();
    EXPECT_EQ(table().model().rowCount(), 1) << "nothing selected, nothing deleted";

    table().selectRow(0);
    EXPECT_EQ(table().selectedRow(), 0);
    EXPECT_TRUE(table().isDeleteButtonShown());
    EXPECT_EQ(table().deleteButton()->toolTip(), QStringLiteral("Delete selected"));
    table().deleteButton()->click();
    EXPECT_EQ(table().model().rowCount(), 0);
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_FALSE(table().isDeleteButtonShown());
    EXPECT_EQ(table().selectedRow(), -1);
}

TEST_F(HotkeyTableTest, TitlesAreEditedInPlaceAndATakenTitleIsRefused)
{
    table().newItem();
    table().newItem();
    const auto rename = [this](int row, const QString& text) {
        QTableView* view = table().tableView();
        view->edit(table().model().index(row, HotkeyTableModel::TitleColumn));
        auto* editor = view->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        press(*editor, returnKey);
        // The delegate commits on a queued call, then lets the editor go.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };

    rename(0, QStringLiteral("Open Terminal"));
    EXPECT_EQ(title(0), QStringLiteral("Open Terminal"));
    EXPECT_EQ(table().message(), QString());

    rename(1, QStringLiteral("Open Terminal"));
    EXPECT_EQ(title(1), QStringLiteral("Hotkey 1"));
    EXPECT_TRUE(table().message().contains(QStringLiteral("Open Terminal")));
    EXPECT_EQ(stored(), (QStringList{"Open Terminal|-1|-1|0|0", "Hotkey 1|-1|-1|0|0"}));

    // The next change clears the message.
    table().newItem();
    EXPECT_EQ(table().message(), QString());
}

TEST_F(HotkeyTableTest, LatchedModifiersAndAKeyAreRecordedAndApplied)
{
    table().newItem();
    ModalKeyInputView& recorder = openRecorder(0);
    EXPECT_TRUE(recorder.isVisible());
    EXPECT_TRUE(settings.blockedMonitoring());
    EXPECT_EQ(posts, QStringList{"PauseAppNotification"});
    EXPECT_FALSE(recorder.applyButton()->isEnabled());

    // Keys before "Record" are not recorded.
    press(recorder, keyK);
    EXPECT_FALSE(recorder.recorder().isKeyPressed());

    recorder.recordButton()->click();
    EXPECT_EQ(recorder.recordButton()->text(), QStringLiteral("Stop recording"));
    EXPECT_FALSE(recorder.applyButton()->isEnabled());
    EXPECT_FALSE(recorder.cancelButton()->isEnabled());
    tap(recorder, superKey);
    tap(recorder, shiftKey);
    EXPECT_FALSE(recorder.applyButton()->isEnabled()) << "modifiers alone end nothing";
    press(recorder, keyK);
    EXPECT_EQ(recorder.recordButton()->text(), QStringLiteral("Record"));
    EXPECT_FALSE(recorder.isMonitoring());
    EXPECT_TRUE(recorder.applyButton()->isEnabled());

    recorder.applyButton()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(table().recorderView(), nullptr);
    EXPECT_EQ(stored(),
              QStringList{QStringLiteral("Hotkey 0|%1|%2|0|0").arg(keyK.virtualKey).arg(CommandShift)});
    EXPECT_FALSE(settings.blockedMonitoring());
    EXPECT_EQ(posts, (QStringList{"PauseAppNotification", "ResumeAppNotification"}));

    auto* display = table().shortcutButton(0)->findChild<ShowKeyInputView*>();
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->pictograms(), (QStringList{"shift", "command", "K"}));
    EXPECT_EQ(table().shortcutButton(0)->text(), QString());
}

TEST_F(HotkeyTableTest, AChordIsRecordedAndEscapeIsAKeyNotACancel)
{
    table().newItem();
    ModalKeyInputView& recorder = openRecorder(0);
    recorder.recordButton()->click();
    // Super tapped twice clears its latch again.
    tap(recorder, superKey);
    tap(recorder, superKey);
    press(recorder, superKey);
    press(recorder, altKey, Qt::MetaModifier);
    release(recorder, altKey, Qt::MetaModifier | Qt::AltModifier);
    release(recorder, superKey, Qt::MetaModifier);
    press(recorder, keyP);
    KeyInput chord{keyP.virtualKey, true, false, true, false, false};
    EXPECT_EQ(recorder.recorder().hotkeyPressed(), chord);

    recorder.recordButton()->click();
    press(recorder, escapeKey);
    EXPECT_TRUE(recorder.isVisible()) << "Escape is recorded, not taken for Cancel";
    EXPECT_EQ(recorder.recorder().hotkeyPressed(),
              (KeyInput{mac_keys::Escape, false, false, false, false, false}));
    EXPECT_TRUE(recorder.applyButton()->isEnabled());

    // Cancelled: nothing is stored.
    recorder.cancelButton()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(table().recorderView(), nullptr);
    EXPECT_EQ(stored(), QStringList{"Hotkey 0|-1|-1|0|0"});
    EXPECT_EQ(table().shortcutButton(0)->text(), QStringLiteral("Record Shortcut"));
}

TEST_F(HotkeyTableTest, MonitoringPausedBeforeTheRecorderOpenedIsNeitherPausedNorResumed)
{
    settings.setPauseMonitoring(true);
    table().newItem();
    ModalKeyInputView& recorder = openRecorder(0);
    EXPECT_TRUE(settings.blockedMonitoring());
    recorder.recordButton()->click();
    press(recorder, keyK);
    recorder.applyButton()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(settings.blockedMonitoring());
    EXPECT_TRUE(posts.isEmpty());
    EXPECT_EQ(stored(), QStringList{QStringLiteral("Hotkey 0|%1|0|0|0").arg(keyK.virtualKey)});
}

TEST_F(HotkeyTableTest, ATableClosedWithTheRecorderOpenUnblocksMonitoring)
{
    table().newItem();
    ModalKeyInputView& recorder = openRecorder(0);
    recorder.recordButton()->click();
    EXPECT_TRUE(recorder.isMonitoring());
    m_table.reset();
    EXPECT_FALSE(settings.blockedMonitoring());
    EXPECT_EQ(posts, (QStringList{"PauseAppNotification", "ResumeAppNotification"}));
    // Keys reach the application's widgets again.
    QLineEdit field;
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 38, 0, 0, QStringLiteral("a"));
    QApplication::sendEvent(&field, &typed);
    EXPECT_EQ(field.text(), QStringLiteral("a"));
}

} // namespace
