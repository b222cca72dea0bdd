#include "core/windows/WidgetWindowSystem.h"

#include "SheetViewFixture.h"
#include "core/windows/ApplicationIcon.h"
#include "core/windows/CustomPanel.h"
#include "core/windows/FadingWindow.h"
#include "core/windows/IntroView.h"
#include "core/windows/OutroView.h"
#include "core/windows/SettingsWindow.h"
#include "core/windows/TabView.h"
#include "core/windows/WindowShape.h"
#include "core/windows/settings/SettingsPane.h"
#include "core/windows/settings/SettingsView.h"
#include "platform/fake/FakeSystemSettingsOpener.h"
#include "platform/fake/FakeWindowStacking.h"
#include "settings/AppSettings.h"
#include "sheet/view/CreditsView.h"
#include "sheet/view/HotkeysView.h"
#include "sheet/view/MenuItemView.h"
#include "sheet/view/PersistentView.h"
#include "support/WaitUntil.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>

using namespace tavlen;
using Request = fake::FakeWindowStacking::Request;

namespace {

class WidgetWindowSystemTest : public test::SheetViewFixture {
protected:
    template <typename Window, typename Handle>
    static Window& as(const std::unique_ptr<Handle>& handle)
    {
        auto* window = dynamic_cast<Window*>(handle.get());
        if (!window)
            throw std::logic_error("unexpected window class");
        return *window;
    }

    static QRect availableGeometry() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    fake::FakeWindowStacking stacking;
    fake::FakeSystemSettingsOpener systemSettings;
    WidgetWindowSystem windows{services(), stacking, systemSettings};
};

} // namespace

TEST_F(WidgetWindowSystemTest, ClosingTheSettingsWindowHidesItAndTellsTheController)
{
    int closes = 0;
    std::unique_ptr<ManagedWindow> handle = windows.createSettingsWindow([&closes] { ++closes; });
    SettingsWindow& window = as<SettingsWindow>(handle);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tavlen Settings"));
    EXPECT_EQ(window.size(), QSize(720, 480));
    EXPECT_FALSE(handle->isVisible());

    handle->orderFront();
    EXPECT_TRUE(handle->isVisible());
    QPointer<QWidget> alive(&window);
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(handle->isVisible());
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(alive.isNull());

    handle->orderFront();
    EXPECT_TRUE(handle->isVisible());
    // Ordered out first, as when quitting: a later close has nothing to report.
    handle->orderOut();
    window.close();
    EXPECT_EQ(closes, 1);
}

TEST_F(WidgetWindowSystemTest, SettingsWindowHasTheSixTabsInOrder)
{
    std::unique_ptr<ManagedWindow> handle = windows.createSettingsWindow({});
    auto* content = qobject_cast<SettingsView*>(as<SettingsWindow>(handle).content());
    ASSERT_NE(content, nullptr);
    TabView* tabs = content->tabView();
    const QStringList expected{"General", "Visual", "Advanced", "Integrations", "My Shortcuts", "About"};
    const QStringList paneTitles{"General Presets", "Visual Presets", "Advanced Presets",
                                 "Integrations",    "My Shortcuts",   "About"};
    ASSERT_EQ(tabs->count(), expected.size());
    for (int i = 0; i < tabs->count(); ++i) {
        EXPECT_EQ(tabs->tabTitle(i), expected.at(i));
        const auto* pane = qobject_cast<SettingsPane*>(tabs->pane(i));
        ASSERT_NE(pane, nullptr);
        EXPECT_EQ(pane->title(), paneTitles.at(i));
    }
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_TRUE(tabs->tabButton(0)->isChecked());

    tabs->tabButton(3)->click();
    EXPECT_EQ(tabs->currentIndex(), 3);
    EXPECT_EQ(tabs->currentPane(), tabs->pane(3));
    EXPECT_TRUE(tabs->tabButton(3)->isChecked());
    EXPECT_FALSE(tabs->tabButton(0)->isChecked());

    tabs->setCurrentIndex(5);
    EXPECT_TRUE(tabs->tabButton(5)->isChecked());
    EXPECT_EQ(tabs->currentPane(), tabs->pane(5));
    tabs->setCurrentIndex(6);
    EXPECT_EQ(tabs->currentIndex(), 5);
}

TEST_F(WidgetWindowSystemTest, SettingsWindowShowsTheCustomShortcutEditorFromItsFactory)
{
    QPointer<QWidget> editor;
    windows.setMyShortcutsPaneFactory([&editor] {
        editor = new QLabel(QStringLiteral("editor"));
        return editor.data();
    });
    std::unique_ptr<ManagedWindow> handle = windows.createSettingsWindow({});
    auto* content = qobject_cast<SettingsView*>(as<SettingsWindow>(handle).content());
    ASSERT_NE(content, nullptr);
    ASSERT_FALSE(editor.isNull());
    EXPECT_EQ(content->tabView()->pane(SettingsView::MyShortcutsIndex), editor.data());
    // Owned by the window: gone with it.
    handle.reset();
    EXPECT_TRUE(editor.isNull());
}

TEST_F(WidgetWindowSystemTest, PersistentPanelShowsItsApplicationAndKeepsItsPlaceWhenTheContentIsReplaced)
{
    installGeany();
    std::unique_ptr<PanelWindow> handle = windows.createPanel(PanelContent::persistent(test::GEANY));
    CustomPanel& panel = as<CustomPanel>(handle);
    auto* content = qobject_cast<PersistentView*>(panel.content());
    ASSERT_NE(content, nullptr);
    EXPECT_NE(content->sheet(), nullptr);
    EXPECT_EQ(panel.size(), content->size());
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("Tavlen Persistent Panel"));
    const Qt::WindowFlags flags = panel.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(panel.testAttribute(Qt::WA_ShowWithoutActivating));

    handle->setLevel(WindowLevel::MainMenu);
    handle->setTopLeft(QPointF(100, 80));
    handle->orderFront();
    EXPECT_TRUE(handle->isVisible());
    const auto window = static_cast<quintptr>(panel.winId());
    EXPECT_EQ(stacking.requests, (std::vector<Request>{{Request::Kind::OffTaskbar, window},
                                                       {Request::Kind::OnAllDesktops, window},
                                                       {Request::Kind::Above, window}}));

    // On screen the sheet has its menus, and the column grows with them around its centre.
    const QPointF placed = handle->frame().topLeft();
    EXPECT_EQ(placed.x(), 100);
    handle->replaceContent(PanelContent::persistent(QString(AppSettings::APP_IDENTIFIER)));
    auto* replaced = qobject_cast<PersistentView*>(panel.content());
    ASSERT_NE(replaced, nullptr);
    EXPECT_NE(replaced, content);
    EXPECT_EQ(replaced->sheet(), nullptr);
    EXPECT_EQ(handle->frame().topLeft(), placed);
    EXPECT_EQ(handle->frame().size(), QSizeF(replaced->size()));
    EXPECT_TRUE(handle->isVisible());

    handle->orderOut();
    EXPECT_FALSE(handle->isVisible());
}

TEST_F(WidgetWindowSystemTest, ShortcutPanelIsCentredAndStaysOnThisDesktop)
{
    std::unique_ptr<PanelWindow> handle = windows.createPanel(PanelContent::hotkeys(false));
    CustomPanel& panel = as<CustomPanel>(handle);
    ASSERT_NE(qobject_cast<HotkeysView*>(panel.content()), nullptr);
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("Tavlen Shortcuts Panel"));
    EXPECT_EQ(handle->frame().size(), QSizeF(600, 350));
    EXPECT_LE((handle->frame().center() - QRectF(availableGeometry()).center()).manhattanLength(), 1.0);

    // Floating: on top through the window flags alone; on this desktop only.
    handle->orderFront();
    const auto window = static_cast<quintptr>(panel.winId());
    EXPECT_EQ(stacking.requests, (std::vector<Request>{{Request::Kind::OffTaskbar, window}}));
    handle->setLevel(WindowLevel::MainMenu);
    EXPECT_EQ(stacking.requests,
              (std::vector<Request>{{Request::Kind::OffTaskbar, window}, {Request::Kind::Above, window}}));
}

TEST_F(WidgetWindowSystemTest, APreparedPanelIsHandedOutLoadedOnlyWhileItStillShowsWhatANewOneWould)
{
    installGeany();
    windows.preparePanel(PanelContent::hotkeys(true));
    std::unique_ptr<PanelWindow> handle = windows.createPanel(PanelContent::hotkeys(true));
    CustomPanel& panel = as<CustomPanel>(handle);
    EXPECT_FALSE(panel.isVisible());
    auto* hotkeys = qobject_cast<HotkeysView*>(panel.content());
    ASSERT_TRUE(hotkeys != nullptr && hotkeys->sheet() != nullptr);
    EXPECT_TRUE(hotkeys->sheet()->viewModel().loaded()) << "loaded before it is shown";
    EXPECT_FALSE(hotkeys->sheet()->elementRows().isEmpty());
    const auto window = static_cast<quintptr>(panel.winId());
    EXPECT_EQ(stacking.requests, (std::vector<Request>{{Request::Kind::OffTaskbar, window}}));
    handle->setLevel(WindowLevel::MainMenu);
    handle->orderFront();
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(stacking.requests.back(), (Request{Request::Kind::Above, window}));

    // Another application came to the front meanwhile, or another content is asked for: the
    // prepared panel would show the wrong thing.
    windows.preparePanel(PanelContent::hotkeys(true));
    workspace.setFrontmostApplication(
        RunningApplication{QStringLiteral("other"), QStringLiteral("Other"), 77});
    std::unique_ptr<PanelWindow> fresh = windows.createPanel(PanelContent::hotkeys(true));
    auto* freshSheet = qobject_cast<HotkeysView*>(as<CustomPanel>(fresh).content())->sheet();
    ASSERT_NE(freshSheet, nullptr);
    EXPECT_FALSE(freshSheet->viewModel().loaded()) << "built now, it loads when it is shown";
    windows.preparePanel(PanelContent::hotkeys(true));
    std::unique_ptr<PanelWindow> local = windows.createPanel(PanelContent::hotkeys(false));
    EXPECT_FALSE(as<CustomPanel>(local).panelContent().isGlobal);
}

TEST_F(WidgetWindowSystemTest, OrderingOutAllWindowsHidesEveryWindowButKeepsThem)
{
    std::unique_ptr<PanelWindow> panel = windows.createPanel(PanelContent::hotkeys(false));
    std::unique_ptr<ManagedWindow> settingsWindow = windows.createSettingsWindow({});
    std::unique_ptr<FadeWindow> fade = windows.createFadeWindow(FadeWindow::Kind::Intro);
    panel->orderFront();
    settingsWindow->orderFront();
    fade->orderFront();

    windows.orderOutAllWindows();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(settingsWindow->isVisible());
    EXPECT_FALSE(fade->isVisible());
    settingsWindow->orderFront();
    EXPECT_TRUE(settingsWindow->isVisible());
}

TEST_F(WidgetWindowSystemTest, FadeWindowsShowTheirViewAndFadeToNothing)
{
    std::unique_ptr<FadeWindow> intro = windows.createFadeWindow(FadeWindow::Kind::Intro);
    std::unique_ptr<FadeWindow> outro = windows.createFadeWindow(FadeWindow::Kind::Outro);
    EXPECT_NE(qobject_cast<IntroView*>(as<FadingWindow>(intro).content()), nullptr);
    EXPECT_NE(qobject_cast<OutroView*>(as<FadingWindow>(outro).content()), nullptr);
    EXPECT_EQ(as<FadingWindow>(intro).size(), QSize(130, 130));

    outro->orderFront();
    outro->fadeOut(std::chrono::milliseconds(40));
    const FadingWindow& window = as<FadingWindow>(outro);
    EXPECT_TRUE(test::waitUntil([&window] { return window.windowOpacity() == 0.0; }, 3000));
}

TEST_F(WidgetWindowSystemTest, AlertShowsTitleAndMessageAndReturnDismissesIt)
{
    QString text;
    QString informative;
    QString windowTitle;
    int buttons = 0;
    QTimer::singleShot(0, [&] {
        auto* alert = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!alert)
            return;
        text = alert->text();
        informative = alert->informativeText();
        windowTitle = alert->windowTitle();
        buttons = static_cast<int>(alert->buttons().size());
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(alert, &press);
    });
    // Should the alert not go away, the test fails instead of hanging.
    QTimer rescue;
    rescue.setSingleShot(true);
    QObject::connect(&rescue, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    rescue.start(5000);

    windows.showAlert(QStringLiteral("Tavlen Import file"),
                      QStringLiteral("Can only process a single file."));
    EXPECT_TRUE(rescue.isActive());
    EXPECT_EQ(text, QStringLiteral("Tavlen Import file"));
    EXPECT_EQ(informative, QStringLiteral("Can only process a single file."));
    EXPECT_EQ(windowTitle, QStringLiteral("Tavlen"));
    EXPECT_EQ(buttons, 1);
}

TEST_F(WidgetWindowSystemTest, TheLogSaysWhatAPanelShows)
{
    installGeany();
    QStringList lines;
    windows.setLog([&lines](const QString& line) { lines.append(line); });
    std::unique_ptr<PanelWindow> handle = windows.createPanel(PanelContent::hotkeys(true));
    EXPECT_TRUE(lines.isEmpty());

    handle->orderFront();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines.front().startsWith(QStringLiteral("shortcut panel: geany: File, Edit, ")))
        << lines.front().toStdString();
    handle->orderFront();
    EXPECT_EQ(lines.size(), 1);

    handle->replaceContent(PanelContent::hotkeys(false));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines.back().startsWith(QStringLiteral("shortcut panel: the legend (600×350 at ")))
        << lines.back().toStdString();
    handle->orderOut();
    handle->orderOut();
    EXPECT_EQ(lines.mid(2), QStringList{"shortcut panel: hidden"});
}

namespace {

// WCAG's relative luminance and contrast ratio.
double luminance(const QColor& colour)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

TEST_F(WidgetWindowSystemTest, WithoutACompositorThePanelsAndTheTileTakeTheirOutlineAsShape)
{
    installGeany();
    for (const bool composed : {false, true}) {
        SCOPED_TRACE(composed ? "compositor" : "no compositor");
        WindowShape::setCompositingProbe([composed] { return composed; });
        std::unique_ptr<PanelWindow> handle = windows.createPanel(PanelContent::hotkeys(false));
        CustomPanel& panel = as<CustomPanel>(handle);
        handle->orderFront();
        const QRect inside(QPoint(), panel.size());
        EXPECT_EQ(panel.mask().isEmpty(), composed);
        if (!composed) {
            EXPECT_FALSE(panel.mask().contains(QPoint(0, 0))) << "no black corner";
            EXPECT_TRUE(panel.mask().contains(inside.center()));
            EXPECT_TRUE(panel.mask().contains(QPoint(inside.width() / 2, 0)));
        }
        std::unique_ptr<FadeWindow> fade = windows.createFadeWindow(FadeWindow::Kind::Outro);
        fade->orderFront();
        auto& tile = dynamic_cast<FadingWindow&>(*fade);
        EXPECT_EQ(tile.mask().isEmpty(), composed);
        EXPECT_EQ(tile.mask().contains(QPoint(1, 1)), false);
        fade->orderOut();
        handle->orderOut();
    }
    WindowShape::setCompositingProbe({});
}

TEST_F(WidgetWindowSystemTest, TheTilesShapeIsTheTileTheIconPaints)
{
    const QImage icon = ApplicationIcon::pixmap(128).toImage();
    const QPainterPath tile = ApplicationIcon::tileOutline(QRectF(0, 0, 128, 128));
    // Outside the margin, in a rounded corner, just inside the corner's curve, mid-edge, the middle.
    for (const QPoint at : {QPoint(1, 1), QPoint(6, 6), QPoint(14, 14), QPoint(64, 5), QPoint(64, 64)}) {
        SCOPED_TRACE(QStringLiteral("%1,%2").arg(at.x()).arg(at.y()).toStdString());
        const bool painted = qAlpha(icon.pixel(at)) == 255;
        EXPECT_EQ(tile.contains(QPointF(at) + QPointF(0.5, 0.5)), painted);
    }
    EXPECT_FALSE(tile.contains(QPointF(6.5, 6.5)));
    EXPECT_TRUE(tile.contains(QPointF(64.5, 64.5)));
}

TEST_F(WidgetWindowSystemTest, ThePanelsEdgeAndFooterReadOnLightAndDark)
{
    // The edge against any window behind the panel, white or black (non-text contrast, 3:1).
    EXPECT_GE(contrast(CustomPanel::edgeColour(), Qt::white), 3.0);
    EXPECT_GE(contrast(CustomPanel::edgeColour(), Qt::black), 3.0);
    installGeany();
    for (const QString& appearance : {QStringLiteral("light"), QStringLiteral("dark")}) {
        SCOPED_TRACE(appearance.toStdString());
        settings.setAppearance(appearance);
        HotkeysView content(services(), true, QSizeF(1440, 875));
        CreditsView* footer = content.sheet()->creditsView();
        ASSERT_NE(footer, nullptr);
        const QColor ground = content.palette().color(QPalette::Window);
        // Text: WCAG AA, 4.5:1.
        EXPECT_GE(contrast(footer->palette().color(QPalette::WindowText), ground), 4.5);
        // Yet quieter than the rows.
        EXPECT_LT(contrast(footer->palette().color(QPalette::WindowText), ground),
                  contrast(content.palette().color(QPalette::WindowText), ground));
    }
}
