#include "core/windows/settings/SettingsView.h"

#include "core/ActivationKeyDetector.h"
#include "core/windows/TabView.h"
#include "core/windows/settings/AboutView.h"
#include "core/windows/settings/AdvancedPresetsView.h"
#include "core/windows/settings/FormSection.h"
#include "core/windows/settings/GeneralPresetsView.h"
#include "core/windows/settings/InfoButton.h"
#include "core/windows/settings/IntegrationsView.h"
#include "core/windows/settings/SettingsPicture.h"
#include "core/windows/settings/TickSlider.h"
#include "core/windows/settings/ToggleSwitch.h"
#include "core/windows/settings/VisualPresetsView.h"
#include "platform/MacKeys.h"
#include "platform/NotificationNames.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeSystemSettingsOpener.h"
#include "platform/fake/FakeTimers.h"
#include "settings/PaneSettings.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsValueLists.h"
#include "settings/UserDefaults.h"
#include "support/SheetRowFixture.h"

#include "support/ImagePixels.h"
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QSlider>
#include <QTextDocument>
#include <QToolButton>

#include <gtest/gtest.h>
#include <memory>

using namespace tavlen;
using Panel = SystemSettingsOpener::Panel;

namespace {

class SettingsViewTest : public test::SheetRowFixture {
protected:
    SettingsView& view(QWidget* myShortcuts = nullptr)
    {
        if (!m_view) {
            m_view = std::make_unique<SettingsView>(SettingsViewServices{settings,
                                                                         notifications,
                                                                         opener,
                                                                         QStringLiteral("/usr/bin/tavlen"),
                                                                         QStringLiteral("1.4.0"),
                                                                         {}},
                                                    myShortcuts);
        }
        return *m_view;
    }

    // Names of the notifications posted so far.
    QStringList posted() const { return m_posted; }
    void listen(const QString& name)
    {
        notifications.addObserver(name,
                                  [this](const QString& posted, const QVariantMap&) { m_posted << posted; });
    }

    static QStringList titles(const QComboBox* picker)
    {
        QStringList result;
        for (int i = 0; i < picker->count(); ++i)
            result << picker->itemText(i);
        return result;
    }

    static QStringList tickTitles(const TickSlider* slider)
    {
        QStringList result;
        for (const ValueTitle& tick : slider->ticks())
            result << tick.title;
        return result;
    }

    // A step of the slider as the arrow keys make it.
    static void step(TickSlider* slider, int steps)
    {
        for (int i = 0; i < std::abs(steps); ++i)
            slider->slider()->triggerAction(steps > 0 ? QAbstractSlider::SliderSingleStepAdd
                                                      : QAbstractSlider::SliderSingleStepSub);
    }

    static void layOut(QWidget& widget)
    {
        widget.setAttribute(Qt::WA_DontShowOnScreen);
        widget.resize(SettingsPicture::WindowSize);
        widget.show();
        QCoreApplication::sendPostedEvents();
    }

    UserDefaults direct{defaults};
    fake::FakeSystemSettingsOpener opener;

private:
    std::unique_ptr<SettingsView> m_view;
    QStringList m_posted;
};

// Pixels that differ clearly from the picture's background (its bottom-left corner).
int drawnPixels(const QImage& image)
{
    return test::drawnPixels(image, QPoint(0, image.height() - 1));
}

int opaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).alpha() > 128;
    }
    return count;
}

} // namespace

TEST_F(SettingsViewTest, SixTabsInOrderEachShowingItsPaneAndTitle)
{
    auto* editor = new QLabel(QStringLiteral("the editor"));
    SettingsView& settingsView = view(editor);
    TabView* tabs = settingsView.tabView();
    const QStringList expected{"General", "Visual", "Advanced", "Integrations", "My Shortcuts", "About"};
    ASSERT_EQ(tabs->count(), expected.size());
    for (int i = 0; i < tabs->count(); ++i)
        EXPECT_EQ(tabs->tabTitle(i), expected.at(i));
    EXPECT_EQ(tabs->pane(0), settingsView.generalPane());
    EXPECT_EQ(settingsView.generalPane()->title(), QStringLiteral("General Presets"));
    EXPECT_EQ(settingsView.visualPane()->title(), QStringLiteral("Visual Presets"));
    EXPECT_EQ(settingsView.advancedPane()->title(), QStringLiteral("Advanced Presets"));
    EXPECT_EQ(settingsView.integrationsPane()->title(), QStringLiteral("Integrations"));
    EXPECT_EQ(settingsView.aboutPane()->title(), QStringLiteral("About"));
    // The editor is adopted as the fifth pane.
    EXPECT_EQ(tabs->pane(SettingsView::MyShortcutsIndex), editor);
    EXPECT_EQ(tabs->currentIndex(), 0);
    // Every tab shows a pictogram of its own (a misspelt symbol name would draw nothing).
    QList<QImage> icons;
    for (int i = 0; i < tabs->count(); ++i) {
        const QImage icon = tabs->tabButton(i)->icon().pixmap(24, 24).toImage();
        EXPECT_GT(opaquePixels(icon), 20) << i;
        EXPECT_FALSE(icons.contains(icon)) << i;
        icons << icon;
    }

    const QStringList generalSections{"Permissions", "Launch", "Panel Activation",
                                      "Persistent Panel Activation"};
    QStringList headings;
    for (const FormSection* section : settingsView.generalPane()->sections())
        headings << section->heading();
    EXPECT_EQ(headings, generalSections);
    EXPECT_EQ(settingsView.aboutPane()->versionLabel()->text(), QStringLiteral("Version 1.4.0"));
}

TEST_F(SettingsViewTest, HeadingsAreBoldAndAPanesTitleLargerThanItsSections)
{
    GeneralPresetsView* general = view().generalPane();
    const auto labelWithText = [](QWidget* within, const QString& text) -> QLabel* {
        for (QLabel* label : within->findChildren<QLabel*>()) {
            if (label->text() == text)
                return label;
        }
        return nullptr;
    };
    QLabel* title = labelWithText(general, general->title());
    QLabel* heading = labelWithText(general, QStringLiteral("Launch"));
    QLabel* rowLabel = labelWithText(general, QStringLiteral("Launch at Login"));
    ASSERT_NE(title, nullptr);
    ASSERT_NE(heading, nullptr);
    ASSERT_NE(rowLabel, nullptr);
    EXPECT_TRUE(title->font().bold());
    EXPECT_TRUE(heading->font().bold());
    EXPECT_FALSE(rowLabel->font().bold());
    EXPECT_DOUBLE_EQ(heading->font().pointSizeF(), rowLabel->font().pointSizeF());
    EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 1.5 * heading->font().pointSizeF());
    // Headings are plain text, never read as markup.
    EXPECT_EQ(title->textFormat(), Qt::PlainText);
    EXPECT_EQ(heading->textFormat(), Qt::PlainText);
}

TEST_F(SettingsViewTest, WithoutAnEditorTheMyShortcutsTabShowsItsTitle)
{
    TabView* tabs = view().tabView();
    const auto* pane = qobject_cast<SettingsPane*>(tabs->pane(SettingsView::MyShortcutsIndex));
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->title(), QStringLiteral("My Shortcuts"));
}

TEST_F(SettingsViewTest, PauseButtonFollowsThePauseStateAndPostsTheToggle)
{
    listen(QString(NotificationNames::toggleApp));
    listen(QString(NotificationNames::quitApp));
    SettingsView& settingsView = view();
    QToolButton* pause = settingsView.pauseButton();
    EXPECT_EQ(settingsView.tabView()->barButtons(),
              (QList<QAbstractButton*>{pause, settingsView.quitButton()}));
    EXPECT_EQ(pause->text(), QStringLiteral("Pause"));
    EXPECT_EQ(pause->toolTip(), QStringLiteral("Pause the Tavlen"));
    EXPECT_EQ(settingsView.pauseSymbol(), QStringLiteral("pause.fill"));
    EXPECT_DOUBLE_EQ(settingsView.pauseOpacity(), 0.8);
    EXPECT_EQ(pause->iconSize(), QSize(32, 32));

    pause->click();
    EXPECT_EQ(posted(), QStringList{"toggleAppNotification"});
    // The controller pauses; the button follows the state, not the click.
    EXPECT_EQ(pause->text(), QStringLiteral("Pause"));
    const QImage running = pause->icon().pixmap(32, 32).toImage();
    settings.setPauseMonitoring(true);
    EXPECT_EQ(pause->text(), QStringLiteral("Resume"));
    EXPECT_EQ(pause->toolTip(), QStringLiteral("Resume the Tavlen"));
    EXPECT_EQ(settingsView.pauseSymbol(), QStringLiteral("play.fill"));
    EXPECT_NE(pause->icon().pixmap(32, 32).toImage(), running);

    settings.setBlockedMonitoring(true);
    EXPECT_DOUBLE_EQ(settingsView.pauseOpacity(), 0.4);
    settings.setBlockedMonitoring(false);
    settings.setPauseMonitoring(false);
    EXPECT_EQ(pause->icon().pixmap(32, 32).toImage(), running);

    EXPECT_EQ(settingsView.quitButton()->toolTip(), QStringLiteral("Quit Tavlen"));
    settingsView.quitButton()->click();
    EXPECT_EQ(posted(), (QStringList{"toggleAppNotification", "QuitAppNotification"}));
}

TEST_F(SettingsViewTest, DelaySliderRangeAndTitlesFollowTheTriggerWithoutTouchingTheStoredDelay)
{
    direct.setActivationKeyType(2);
    direct.setKeyHoldingDelay(0.75);
    GeneralPresetsView* general = view().generalPane();
    TickSlider* delay = general->delaySlider();
    EXPECT_EQ(titles(general->triggerPicker()),
              (QStringList{"pressing the ⌘ key twice and hold", "pressing the ⌘ key and hold"}));
    EXPECT_EQ(general->triggerPicker()->currentIndex(), 1);
    EXPECT_EQ(delay->scale(), SettingsValueLists::delayScale(2));
    EXPECT_EQ(tickTitles(delay), (QStringList{"½", "¾", "1", "1¼", "1½", "1¾", "2"}));
    EXPECT_DOUBLE_EQ(delay->value(), 0.75);
    EXPECT_EQ(delay->position(), 1);

    // Type 1: the range starts at a quarter second; the stored delay stays and keeps its place
    // on the new range.
    general->triggerPicker()->setCurrentIndex(0);
    EXPECT_EQ(direct.activationKeyType(), 1);
    EXPECT_DOUBLE_EQ(direct.keyHoldingDelay(), 0.75);
    EXPECT_DOUBLE_EQ(delay->scale().minimum, 0.25);
    EXPECT_EQ(tickTitles(delay), (QStringList{"¼", "½", "¾", "1", "1¼", "1½", "1¾", "2"}));
    EXPECT_DOUBLE_EQ(delay->value(), 0.75);
    EXPECT_EQ(delay->position(), 2);

    // Moving the slider stores its value; two steps down reach the new minimum.
    step(delay, -2);
    EXPECT_DOUBLE_EQ(direct.keyHoldingDelay(), 0.25);
    step(delay, -1);
    EXPECT_DOUBLE_EQ(direct.keyHoldingDelay(), 0.25);

    // Back to type 2 by another way (the controller then corrects the delay to 0.5 itself):
    // the slider shows the too-short delay at the start of its range and writes nothing.
    int writes = 0;
    QObject::connect(&defaults, &UserDefaultsStore::valueChanged, &defaults,
                     [&writes](const QString& key) { writes += key == SettingsKeys::keyHoldingDelay; });
    direct.setActivationKeyType(2);
    EXPECT_EQ(general->triggerPicker()->currentIndex(), 1);
    EXPECT_DOUBLE_EQ(delay->scale().minimum, 0.5);
    EXPECT_DOUBLE_EQ(delay->value(), 0.5);
    EXPECT_EQ(writes, 0);
    EXPECT_DOUBLE_EQ(direct.keyHoldingDelay(), 0.25);
    direct.setKeyHoldingDelay(1.5);
    EXPECT_DOUBLE_EQ(delay->value(), 1.5);
}

TEST_F(SettingsViewTest, TickTitlesStandUnderTheirStops)
{
    GeneralPresetsView* general = view().generalPane();
    layOut(view());
    view().tabView()->setCurrentIndex(0);
    TickSlider* delay = general->delaySlider();
    const QList<ValueTitle> ticks = delay->ticks();
    ASSERT_EQ(ticks.size(), 8);
    double previous = -1;
    for (const ValueTitle& tick : ticks) {
        const double centre = delay->tickCentre(tick);
        EXPECT_GT(centre, previous);
        EXPECT_GE(centre - delay->fontMetrics().horizontalAdvance(tick.title) / 2.0, 0);
        EXPECT_LE(centre + delay->fontMetrics().horizontalAdvance(tick.title) / 2.0, delay->width());
        previous = centre;
    }
    // The first and last titles sit at the ends of the track, the others evenly between.
    const double spacing = delay->tickCentre(ticks.at(1)) - delay->tickCentre(ticks.at(0));
    EXPECT_NEAR(delay->tickCentre(ticks.last()) - delay->tickCentre(ticks.first()), spacing * 7, 7);
}

TEST_F(SettingsViewTest, GeneralSwitchesPickersAndTheHintAreBoundBothWays)
{
    GeneralPresetsView* general = view().generalPane();
    // Unwritten: the defaults the controller uses.
    EXPECT_FALSE(general->launchAtLoginSwitch()->isChecked());
    EXPECT_TRUE(general->launchAtLoginSwitch()->isEnabled());
    EXPECT_FALSE(general->hideMenuIconSwitch()->isChecked());
    EXPECT_EQ(titles(general->persistentTriggerPicker()),
              (QStringList{"none", "pressing the ⌘ key 3 times"}));
    EXPECT_EQ(general->persistentTriggerPicker()->currentIndex(), 1);
    EXPECT_NEAR(general->hintOpacity(), 0.5, 0.01);

    general->launchAtLoginSwitch()->click();
    EXPECT_TRUE(general->launchAtLoginSwitch()->isChecked());
    EXPECT_TRUE(defaults.contents().contains(SettingsKeys::launchAtLogin));
    EXPECT_TRUE(direct.launchAtLogin());
    general->launchAtLoginSwitch()->click();
    EXPECT_FALSE(direct.launchAtLogin());

    general->hideMenuIconSwitch()->click();
    EXPECT_TRUE(direct.hideMenuIcon());
    EXPECT_NEAR(general->hintOpacity(), 0.8, 0.01);
    // Another process shows the icon again.
    defaults.simulateOutsideEdit(SettingsKeys::hideMenuIcon, QStringLiteral("false"));
    EXPECT_FALSE(general->hideMenuIconSwitch()->isChecked());
    EXPECT_NEAR(general->hintOpacity(), 0.5, 0.01);

    general->persistentTriggerPicker()->setCurrentIndex(0);
    EXPECT_EQ(direct.activationPersistentKeyType(), 0);
    settings.setActivationPersistentKeyType(1);
    EXPECT_EQ(general->persistentTriggerPicker()->currentIndex(), 1);
    // A stored type no entry has selects nothing rather than a wrong entry.
    direct.setActivationKeyType(7);
    EXPECT_EQ(general->triggerPicker()->currentIndex(), -1);
}

TEST_F(SettingsViewTest, ForAFreshStoreEveryControlShowsTheValueTheControllerUses)
{
    ASSERT_TRUE(defaults.contents().isEmpty());
    GeneralPresetsView* general = view().generalPane();
    VisualPresetsView* visual = view().visualPane();
    EXPECT_EQ(general->launchAtLoginSwitch()->isChecked(), direct.launchAtLogin());
    EXPECT_EQ(general->hideMenuIconSwitch()->isChecked(), direct.hideMenuIcon());
    EXPECT_EQ(general->triggerPicker()->currentData().toInt(), direct.activationKeyType());
    EXPECT_DOUBLE_EQ(general->delaySlider()->value(), direct.keyHoldingDelay());
    EXPECT_EQ(general->persistentTriggerPicker()->currentData().toInt(),
              direct.activationPersistentKeyType());
    EXPECT_EQ(visual->columnsPicker()->currentData().toInt(), direct.amountOfColumns());
    EXPECT_EQ(visual->persistentSidePicker()->currentData().toBool(),
              direct.showPersistentWindowOnTheRight());
    EXPECT_EQ(visual->shortcutSidePicker()->currentData().toBool(), direct.showHotkeyOnTheRight());
    EXPECT_DOUBLE_EQ(visual->fontSizeSlider()->value(), direct.fontSize());
    EXPECT_EQ(visual->truncateSwitch()->isChecked(), direct.applyLimitToTitles());
    EXPECT_DOUBLE_EQ(visual->limitTitlesSlider()->value(), direct.limitTitles());
    EXPECT_TRUE(defaults.contents().isEmpty()) << "showing the panes writes nothing";

    // What the controller does with them: three taps of Command toggle the persistent panel.
    fake::FakeClock tapClock;
    fake::FakeTimers tapTimers(&tapClock);
    ActivationKeyDetector detector(defaults, tapClock, tapTimers);
    int toggles = 0;
    QObject::connect(&detector, &ActivationKeyDetector::togglePersistentPanel, [&toggles] { ++toggles; });
    for (int tap = 0; tap < 3; ++tap) {
        detector.handleGlobalEvent({KeyEvent::Type::FlagsChanged, EventFlag::Command, mac_keys::Command});
        detector.handleGlobalEvent({KeyEvent::Type::FlagsChanged, 0, mac_keys::Command});
        tapTimers.advance(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(toggles, 1);
}

TEST_F(SettingsViewTest, PermissionButtonsOpenTheDesktopsSettingsOrExplain)
{
    opener.setAvailable(Panel::accessibility);
    opener.setAvailable(Panel::autostart);
    GeneralPresetsView* general = view().generalPane();
    layOut(view());
    QStringList buttons;
    for (const Panel panel : {Panel::accessibility, Panel::notifications, Panel::autostart})
        // As shown: "&&" stands for one ampersand.
        buttons << general->permissionButton(panel)->text().replace(QStringLiteral("&&"),
                                                                    QStringLiteral("&"));
    EXPECT_EQ(buttons, (QStringList{"Privacy & Security", "Notifications", "Login Items"}));
    EXPECT_FALSE(general->permissionsNote()->isVisibleTo(general));

    general->permissionButton(Panel::accessibility)->click();
    EXPECT_EQ(opener.requests(), QList<Panel>{Panel::accessibility});
    EXPECT_FALSE(general->permissionsNote()->isVisibleTo(general));

    // No notification settings on this desktop: the pane says what to do instead.
    general->permissionButton(Panel::notifications)->click();
    EXPECT_TRUE(general->permissionsNote()->isVisibleTo(general));
    EXPECT_EQ(general->permissionsNote()->text(), GeneralPresetsView::explanation(Panel::notifications));

    // Settings that exist but do not start are no success either.
    opener.setSucceeds(false);
    general->permissionButton(Panel::autostart)->click();
    EXPECT_EQ(general->permissionsNote()->text(), GeneralPresetsView::explanation(Panel::autostart));
    opener.setSucceeds(true);
    general->permissionButton(Panel::autostart)->click();
    EXPECT_FALSE(general->permissionsNote()->isVisibleTo(general));
    for (const Panel panel : {Panel::accessibility, Panel::notifications, Panel::autostart})
        EXPECT_FALSE(GeneralPresetsView::explanation(panel).isEmpty());
}

TEST_F(SettingsViewTest, VisualSwitchesWriteTheirKeysAndFollowOutsideChanges)
{
    VisualPresetsView* visual = view().visualPane();
    const QList<std::pair<QString, QLatin1String>> switches{
        {QStringLiteral("Show credits line"), SettingsKeys::showCredits},
        {QStringLiteral("Show App icon"), SettingsKeys::showAppIcon},
        {QStringLiteral("Show bookmarks"), SettingsKeys::showBookmarks},
        {QStringLiteral("Show user-hidden elements "), SettingsKeys::showUserHiddenElements},
        {QStringLiteral("Show inactive elements"), SettingsKeys::showInactiveMenu},
        {QStringLiteral("Truncate long elements "), SettingsKeys::applyLimitToTitles},
    };
    for (const auto& [label, key] : switches) {
        ToggleSwitch* control = visual->toggle(label);
        ASSERT_NE(control, nullptr) << label.toStdString();
        const bool before = control->isChecked();
        control->click();
        EXPECT_EQ(defaults.value(key), QVariant(!before)) << label.toStdString();
        defaults.simulateOutsideEdit(key, before ? QStringLiteral("true") : QStringLiteral("false"));
        EXPECT_EQ(control->isChecked(), before) << label.toStdString();
    }
    // Declared defaults while unwritten.
    defaults.simulateOutsideEdit(SettingsKeys::showCredits, QVariant());
    defaults.simulateOutsideEdit(SettingsKeys::showBookmarks, QVariant());
    EXPECT_TRUE(visual->toggle(QStringLiteral("Show credits line"))->isChecked());
    EXPECT_FALSE(visual->toggle(QStringLiteral("Show bookmarks"))->isChecked());

    auto* hidden = visual->section(QStringLiteral("Menu Items"))->findChild<InfoButton*>();
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(hidden->note(), QStringLiteral("Right click on element to pick action"));
    EXPECT_FALSE(hidden->popover()->isVisible());
    hidden->click();
    EXPECT_TRUE(hidden->popover()->isVisible());
    const auto* popoverText = hidden->popover()->findChild<QLabel*>();
    ASSERT_NE(popoverText, nullptr);
    EXPECT_EQ(popoverText->text(), hidden->note());
    hidden->popover()->hide();
}

TEST_F(SettingsViewTest, VisualPickersOfferTheirValuesAndStoreThem)
{
    VisualPresetsView* visual = view().visualPane();
    EXPECT_EQ(titles(visual->appearancePicker()), (QStringList{"System", "Light", "Dark"}));
    EXPECT_EQ(visual->appearancePicker()->currentIndex(), 0);
    visual->appearancePicker()->setCurrentIndex(2);
    EXPECT_EQ(settings.appearance(), QStringLiteral("dark"));
    settings.setAppearance(QStringLiteral("sepia"));
    EXPECT_EQ(visual->appearancePicker()->currentIndex(), -1);

    EXPECT_EQ(titles(visual->columnsPicker()), (QStringList{"2", "3", "4", "5"}));
    EXPECT_EQ(visual->columnsPicker()->currentText(), QStringLiteral("4"));
    visual->columnsPicker()->setCurrentIndex(3);
    EXPECT_EQ(settings.amountOfColumns(), 5);
    EXPECT_EQ(defaults.value(SettingsKeys::amountOfColumns), QVariant(5));

    EXPECT_EQ(titles(visual->screenPicker()), QStringList{"Main Screen"});

    EXPECT_EQ(titles(visual->persistentSidePicker()), (QStringList{"Left", "Right"}));
    EXPECT_EQ(visual->persistentSidePicker()->currentText(), QStringLiteral("Left"));
    visual->persistentSidePicker()->setCurrentIndex(1);
    EXPECT_TRUE(direct.showPersistentWindowOnTheRight());

    EXPECT_EQ(visual->shortcutSidePicker()->currentText(), QStringLiteral("Right"));
    visual->shortcutSidePicker()->setCurrentIndex(0);
    EXPECT_EQ(defaults.value(SettingsKeys::showHotkeyOnTheRight), QVariant(false));
    settings.setShowHotkeyOnTheRight(true);
    EXPECT_EQ(visual->shortcutSidePicker()->currentText(), QStringLiteral("Right"));

    for (const QComboBox* picker :
         {visual->appearancePicker(), visual->columnsPicker(), visual->screenPicker(),
          visual->persistentSidePicker(), visual->shortcutSidePicker()})
        EXPECT_EQ(picker->width(), VisualPresetsView::PickerWidth);
}

TEST_F(SettingsViewTest, FontSizeSliderStepsThroughEverySizeWithFiveTitles)
{
    TickSlider* font = view().visualPane()->fontSizeSlider();
    EXPECT_EQ(tickTitles(font), (QStringList{"10", "13", "16", "19", "22"}));
    EXPECT_EQ(font->width(), VisualPresetsView::SliderWidth);
    EXPECT_DOUBLE_EQ(font->value(), 13);
    step(font, 1);
    EXPECT_DOUBLE_EQ(settings.fontSize(), 14);
    step(font, 20);
    EXPECT_DOUBLE_EQ(settings.fontSize(), 22);
    settings.setFontSize(10);
    EXPECT_EQ(font->position(), 0);
}

TEST_F(SettingsViewTest, TruncationPreviewFollowsTheSwitchAndTheLimit)
{
    VisualPresetsView* visual = view().visualPane();
    QLabel* preview = visual->truncationPreview();
    const QString sample =
        QStringLiteral("Some menu titles can be very long which cause them to split into two lines "
                       "and even more");
    EXPECT_EQ(preview->text(), sample);
    EXPECT_FALSE(visual->limitTitlesSlider()->isEnabled());
    EXPECT_DOUBLE_EQ(visual->limitTitlesSlider()->value(), 45);

    visual->truncateSwitch()->click();
    EXPECT_TRUE(settings.applyLimitToTitles());
    EXPECT_TRUE(visual->limitTitlesSlider()->isEnabled());
    EXPECT_EQ(preview->text(), sample.first(45) + QStringLiteral("…"));
    EXPECT_FALSE(preview->wordWrap());

    settings.setLimitTitles(13);
    EXPECT_EQ(preview->text(), QStringLiteral("Some menu tit…"));
    EXPECT_EQ(visual->limitTitlesSlider()->position(), 0);
    step(visual->limitTitlesSlider(), 2);
    EXPECT_DOUBLE_EQ(settings.limitTitles(), 15);
    EXPECT_EQ(preview->text(), QStringLiteral("Some menu title…"));

    settings.setApplyLimitToTitles(false);
    EXPECT_EQ(preview->text(), sample);
    EXPECT_FALSE(visual->limitTitlesSlider()->isEnabled());
}

TEST_F(SettingsViewTest, BrowserLimitSliderStoresItsLimitAndShowsTheStoredOne)
{
    AdvancedPresetsView* advanced = view().advancedPane();
    TickSlider* limit = advanced->limitSlider();
    EXPECT_EQ(tickTitles(limit), (QStringList{"100", "200", "500", "1k"}));
    EXPECT_EQ(limit->position(), 1);
    EXPECT_FALSE(limit->isEnabled());

    advanced->limitBrowsersSwitch()->click();
    EXPECT_TRUE(settings.applyLimitToBrowsers());
    EXPECT_TRUE(limit->isEnabled());
    step(limit, 2);
    EXPECT_EQ(limit->position(), 3);
    EXPECT_EQ(settings.limitElements(), 1000);
    EXPECT_EQ(defaults.value(SettingsKeys::limitElements), QVariant(1000));
    step(limit, -3);
    EXPECT_EQ(settings.limitElements(), 100);

    // A pane built later shows what is stored, not a position of its own.
    settings.setLimitElements(1000);
    AdvancedPresetsView fresh(settings);
    EXPECT_EQ(fresh.limitSlider()->position(), 3);
    settings.setLimitElements(300);
    EXPECT_EQ(fresh.limitSlider()->position(), 1);
    EXPECT_EQ(limit->position(), 1);
    EXPECT_EQ(settings.limitElements(), 300);
}

TEST_F(SettingsViewTest, ShowAllMenusIsOfferedOnlyWithExperimentalFeatures)
{
    AdvancedPresetsView* advanced = view().advancedPane();
    EXPECT_TRUE(advanced->showAllMenusRow()->isHidden());
    settings.setExperimentalFeatures(true);
    EXPECT_FALSE(advanced->showAllMenusRow()->isHidden());
    ToggleSwitch* showAll = advanced->toggle(QStringLiteral("Show all menu elements "));
    ASSERT_NE(showAll, nullptr);
    showAll->click();
    EXPECT_TRUE(settings.showAllMenus());

    ToggleSwitch* localized = advanced->toggle(QStringLiteral("Show Localized Custom Shortcuts"));
    ASSERT_NE(localized, nullptr);
    EXPECT_TRUE(localized->isChecked());
    localized->click();
    EXPECT_FALSE(settings.showLocalizedCustomShortcuts());
}

TEST_F(SettingsViewTest, IntegrationsBindCustomShortcutsAndShowTheCommandLines)
{
    IntegrationsView* integrations = view().integrationsPane();
    EXPECT_FALSE(integrations->customShortcutsSwitch()->isChecked());
    integrations->customShortcutsSwitch()->click();
    EXPECT_TRUE(settings.enableCustomShortcuts());

    QTextDocument rendered;
    rendered.setMarkdown(integrations->otherToolsText()->text());
    const QString text = rendered.toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("/usr/bin/tavlen --show-shortcuts"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("/usr/bin/tavlen --toggle-persistent")));
    EXPECT_TRUE(text.contains(QStringLiteral("pass --show-shortcuts param")));
    EXPECT_FALSE(text.contains(QLatin1Char('*')));
}

// Set TAVLEN_SETTINGS_PICTURES to a folder to keep the pictures (docs/settings-*.png are made
// so).
TEST_F(SettingsViewTest, EveryPaneIsDrawnInTheWindowsSize)
{
    settings.setExperimentalFeatures(true);
    settings.setApplyLimitToTitles(true);
    settings.setApplyLimitToBrowsers(true);
    SettingsView& settingsView = view();
    const QString folder = qEnvironmentVariable("TAVLEN_SETTINGS_PICTURES");
    const QStringList names{"general", "visual", "advanced", "integrations", "", "about"};
    for (int index = 0; index < names.size(); ++index) {
        if (names.at(index).isEmpty())
            continue;
        settingsView.tabView()->setCurrentIndex(index);
        const QImage image = SettingsPicture::render(settingsView);
        EXPECT_EQ(image.size(), QSize(720, 480));
        EXPECT_GT(drawnPixels(image), 1500) << names.at(index).toStdString();
        if (!folder.isEmpty()) {
            const QString path =
                QDir(folder).filePath(QStringLiteral("settings-%1.png").arg(names.at(index)));
            QString error;
            const QSize whole = SettingsPicture::wholeSize(settingsView);
            EXPECT_GE(whole.height(), 480);
            EXPECT_TRUE(SettingsPicture::save(settingsView, path, error, whole, 2.0)) << error.toStdString();
        }
    }
    QString error;
    EXPECT_FALSE(
        SettingsPicture::save(settingsView, QStringLiteral("/nonexistent-folder/settings.png"), error));
    EXPECT_TRUE(error.contains(QStringLiteral("/nonexistent-folder/settings.png")));
}
