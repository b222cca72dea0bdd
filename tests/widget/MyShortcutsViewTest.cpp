#include "core/windows/settings/MyShortcutsView.h"

#include "SheetViewFixture.h"
#include "core/windows/settings/ApplicationPicker.h"
#include "core/windows/settings/DataExportView.h"
#include "core/windows/settings/DataImportView.h"
#include "core/windows/settings/HotkeyTable.h"
#include "support/WaitUntil.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavlen;

namespace {

const QString NOTEBOOK = QStringLiteral("org.example.Notebook");
const QString EDITOR = QStringLiteral("org.example.Editor");

// What the dialogs were asked, and what they answer.
struct DialogLog {
    QStringList requests;
    QStringList alerts;
    std::optional<QString> answer;
};

class MyShortcutsViewTest : public test::SheetViewFixture {
protected:
    MyShortcutsViewTest()
    {
        store.saveApp(NOTEBOOK, QStringLiteral("Notebook"));
        store.saveApp(EDITOR, QStringLiteral("Editor"));
    }

    MyShortcutsView& pane()
    {
        if (!m_pane) {
            m_pane = std::make_unique<MyShortcutsView>(services());
            m_pane->setDialogs(
                TransferDialogs{[this](QWidget*, const QString& title, const QString& proposed) {
                                    log.requests.append(title + QLatin1Char(':') + proposed);
                                    return log.answer;
                                },
                                [this](QWidget*, const QString& title) {
                                    log.requests.append(title);
                                    return log.answer;
                                },
                                [this](QWidget*, const QString& title, const QString& message) {
                                    log.alerts.append(title + QLatin1Char(':') + message);
                                }});
            layOut(*m_pane, QSize(720, 420));
        }
        return *m_pane;
    }

    void choose(const QString& filter)
    {
        pane().picker()->open();
        pane().picker()->filterField()->setText(filter);
        pane().picker()->choose(0);
    }

    QStringList listedTitles()
    {
        QStringList titles;
        for (const AppItem& item : pane().picker()->listedItems())
            titles.append(item.title);
        return titles;
    }

    // Presses a button of the pane and waits for the panel it presents to close again.
    bool pressAndWait(QPushButton* button)
    {
        button->click();
        return test::waitUntil(
            [this] { return !pane().exportView()->isPresented() && !pane().importView()->isPresented(); });
    }

    QJsonObject writtenFile(const QString& path) const
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return QJsonDocument::fromJson(file.readAll()).object();
    }

    void addShortcut(const QString& appId, const QString& uuid, const QString& title, qint64 code,
                     qint64 flags, bool enabled = true, bool bookmarked = false)
    {
        const QString value = code < 0 ? QStringLiteral("Record Shortcut") : QStringLiteral("stored");
        store.saveCustomHotkey(appId, uuid, title, value, code, flags, enabled, bookmarked);
    }

    DialogLog log;
    QTemporaryDir folder;
    std::unique_ptr<MyShortcutsView> m_pane;
};

TEST_F(MyShortcutsViewTest, ThePickerFiltersByTitleAndItsChoiceLoadsThatApplicationsRows)
{
    addShortcut(NOTEBOOK, QStringLiteral("0A3D1E27-5B8C-4D2F-9E61-7C4B8A2F1D30"), QStringLiteral("New Page"),
                45, EventFlag::Command);
    EXPECT_EQ(pane().selectedIdentifier(), QStringLiteral("global"));
    EXPECT_EQ(pane().table()->model().rowCount(), 0);

    pane().picker()->open();
    EXPECT_TRUE(pane().picker()->isExpanded());
    EXPECT_EQ(listedTitles(), (QStringList{"Global Custom Shortcuts", "Editor", "Notebook"}));
    pane().picker()->filterField()->setText(QStringLiteral("BOOK"));
    EXPECT_EQ(listedTitles(), QStringList{"Notebook"});
    pane().picker()->filterField()->setText(QStringLiteral("glob"));
    EXPECT_EQ(listedTitles(), QStringList{"Global Custom Shortcuts"});

    pane().picker()->filterField()->setText(QStringLiteral("BOOK"));
    pane().picker()->choose(0);
    EXPECT_FALSE(pane().picker()->isExpanded());
    EXPECT_EQ(pane().selectedIdentifier(), NOTEBOOK);
    EXPECT_EQ(pane().table()->appSelected(), NOTEBOOK);
    EXPECT_EQ(settings.selectedAppInSetings().identifier, NOTEBOOK);
    ASSERT_EQ(pane().table()->model().rowCount(), 1);
    EXPECT_EQ(pane().table()->model().hotkeys().at(0).title, QStringLiteral("New Page"));
    EXPECT_EQ(pane().table()->model().hotkeys().at(0).trigger, QStringLiteral("⌘ N"));

    // Reopened, the filter starts empty again.
    pane().picker()->open();
    EXPECT_EQ(listedTitles().size(), 3);
    pane().picker()->close();
}

TEST_F(MyShortcutsViewTest, ExportWritesTheChosenApplicationAndExportAllEveryOneWithShortcuts)
{
    addShortcut(QStringLiteral("global"), QStringLiteral("0A3D1E27-5B8C-4D2F-9E61-7C4B8A2F1D30"),
                QStringLiteral("Terminal"), 17, EventFlag::Control | EventFlag::Option);
    addShortcut(NOTEBOOK, QStringLiteral("1B4E2F38-6C9D-4E30-8F72-8D5C9B3E2E41"), QStringLiteral("New Page"),
                45, EventFlag::Command);

    const QString one = folder.filePath(QStringLiteral("editor.tavlen"));
    choose(QStringLiteral("Editor"));
    log.answer = one;
    ASSERT_TRUE(pressAndWait(pane().exportButton()));
    EXPECT_EQ(log.requests, QStringList{"Export:Editor"});
    EXPECT_EQ(writtenFile(one).keys(), QStringList{EDITOR});
    EXPECT_TRUE(writtenFile(one).value(EDITOR).toObject().contains(QStringLiteral("Editor Shortcuts")));

    const QString all = folder.filePath(QStringLiteral("all.tavlen"));
    log.answer = all;
    ASSERT_TRUE(pressAndWait(pane().exportAllButton()));
    EXPECT_EQ(log.requests.last(), QStringLiteral("Export:all"));
    EXPECT_EQ(writtenFile(all).keys(), (QStringList{"global", NOTEBOOK}));

    // Cancelled: nothing written, nothing said.
    log.answer.reset();
    ASSERT_TRUE(pressAndWait(pane().exportButton()));
    EXPECT_EQ(log.requests.size(), 3);
    EXPECT_TRUE(log.alerts.isEmpty());
}

TEST_F(MyShortcutsViewTest, AFailedExportIsReportedInAnAlert)
{
    log.answer = folder.filePath(QStringLiteral("missing-folder/global.tavlen"));
    ASSERT_TRUE(pressAndWait(pane().exportButton()));
    EXPECT_EQ(log.requests, QStringList{"Export:Global Custom Shortcuts"});
    ASSERT_EQ(log.alerts.size(), 1);
    EXPECT_TRUE(log.alerts.at(0).startsWith(
        QStringLiteral("Tavlen Export file:File 'global.tavlen' export failed. \nError: ")))
        << log.alerts.at(0).toStdString();
    EXPECT_FALSE(QFile::exists(log.answer.value()));
}

TEST_F(MyShortcutsViewTest, ImportReportsTheResultAndReloadsTheTable)
{
    const QString path = folder.filePath(QStringLiteral("shortcuts.tavlen"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            R"({"global": {"Global Custom Shortcuts": [["Terminal", "control+option", 17], ["Later", "", -1]]}})");
    }
    EXPECT_EQ(pane().table()->model().rowCount(), 0);
    log.answer = path;
    ASSERT_TRUE(pressAndWait(pane().importButton()));
    EXPECT_EQ(log.requests, QStringList{"Import"});
    EXPECT_EQ(log.alerts, QStringList{"Tavlen Import file:File 'shortcuts.tavlen' imported successfully."});
    QStringList rows;
    for (const ManualHotkey& hotkey : pane().table()->model().hotkeys())
        rows.append(hotkey.title + QLatin1Char(':') + hotkey.trigger);
    rows.sort();
    EXPECT_EQ(rows, (QStringList{"Later:Record Shortcut", "Terminal:⌃⌥ T"}));

    const QString broken = folder.filePath(QStringLiteral("broken.tavlen"));
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[1, 2]");
    }
    log.answer = broken;
    ASSERT_TRUE(pressAndWait(pane().importButton()));
    EXPECT_EQ(log.alerts.last(),
              QStringLiteral(
                  "Tavlen Import file:File 'broken.tavlen' import failed. \nError: Invalid JSON format."));
}

TEST_F(MyShortcutsViewTest, APanelIsShownOnceHoweverOftenItIsAskedForAndReportsItsClosing)
{
    int dismissals = 0;
    QObject::connect(pane().importView(), &DataImportView::dismissed, [&dismissals] { ++dismissals; });
    // A double click asks twice before the panel is up; cancelled, it imports nothing.
    pane().importButton()->click();
    EXPECT_TRUE(pane().importView()->isPresented());
    EXPECT_TRUE(log.requests.isEmpty()) << "the panel waits for the click to finish";
    ASSERT_TRUE(pressAndWait(pane().importButton()));
    EXPECT_EQ(log.requests, QStringList{"Import"});
    EXPECT_EQ(dismissals, 1);
    EXPECT_TRUE(log.alerts.isEmpty());

    // Once closed, it can be asked for again.
    ASSERT_TRUE(pressAndWait(pane().importButton()));
    EXPECT_EQ(log.requests, (QStringList{"Import", "Import"}));
    EXPECT_EQ(dismissals, 2);
}

// Set TAVLEN_MY_SHORTCUTS_PICTURE to a file name to keep the picture (docs/settings-my-shortcuts.png
// is made so).
TEST_F(MyShortcutsViewTest, ThePaneDrawsItsRowsAndKeys)
{
    addShortcut(QStringLiteral("global"), QStringLiteral("0A3D1E27-5B8C-4D2F-9E61-7C4B8A2F1D30"),
                QStringLiteral("Open Terminal"), 17, EventFlag::Control | EventFlag::Option, true, false);
    addShortcut(QStringLiteral("global"), QStringLiteral("1B4E2F38-6C9D-4E30-8F72-8D5C9B3E2E41"),
                QStringLiteral("Screenshot of an Area"), 21, EventFlag::Command | EventFlag::Shift, true,
                true);
    addShortcut(QStringLiteral("global"), QStringLiteral("2C5F3049-7DAE-4F41-9083-9E6DAC4F3F52"),
                QStringLiteral("Lock Screen"), 12, EventFlag::Command | EventFlag::Control, false, false);
    addShortcut(QStringLiteral("global"), QStringLiteral("3D604151-8EBF-4052-A194-AF7EBD504063"),
                QStringLiteral("Hotkey 3"), -1, -1, false, false);
    pane().table()->selectRow(1);

    // Taller than the settings window, so that the picture shows the whole pane.
    const QSize size(720, 540);
    QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(pane().palette().color(QPalette::Window));
    pane().resize(size);
    QCoreApplication::sendPostedEvents();
    {
        QPainter painter(&image);
        pane().render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    // The key pictograms are drawn in the shortcut column: dark pixels there on every key row.
    HotkeyTable* table = pane().table();
    for (int row = 0; row < 3; ++row) {
        QAbstractButton* button = table->shortcutButton(row);
        ASSERT_NE(button, nullptr);
        const QRect cell(button->mapTo(&pane(), QPoint(0, 0)), button->size());
        int dark = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            for (int x = cell.left(); x <= cell.right(); ++x)
                dark += image.pixelColor(2 * x, 2 * y).lightness() < 110 ? 1 : 0;
        }
        EXPECT_GT(dark, 20) << "row " << row;
    }
    if (const QString path = qEnvironmentVariable("TAVLEN_MY_SHORTCUTS_PICTURE"); !path.isEmpty()) {
        EXPECT_TRUE(image.save(path, "PNG")) << path.toStdString();
    }
}

} // namespace
