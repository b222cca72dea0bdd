#include "core/windows/settings/AdvancedPresetsView.h"

#include "core/windows/settings/FormSection.h"
#include "core/windows/settings/InfoButton.h"
#include "core/windows/settings/SettingBinding.h"
#include "settings/AppSettings.h"
#include "settings/SettingsValueLists.h"

namespace tavlen {

AdvancedPresetsView::AdvancedPresetsView(AppSettings& appSettings, QWidget* parent)
    : SettingsPane(QStringLiteral("Advanced Presets"), parent), m_appSettings(appSettings)
{
    FormSection* limits = addSection(QStringLiteral("Limits"));
    const QString showAll = QStringLiteral("Show all menu elements ");
    m_showAllMenusRow = limits->addRow(
        showAll,
        SettingBinding::toggle(new ToggleSwitch(showAll), appSettings, &AppSettings::showAllMenus,
                               &AppSettings::setShowAllMenus, &AppSettings::showAllMenusChanged),
        new InfoButton(
            QStringLiteral("When enabled, it has the potential to significantly impact App performance.")));
    m_showAllMenusRow->setVisible(appSettings.experimentalFeatures());
    connect(&appSettings, &AppSettings::experimentalFeaturesChanged, this,
            [this] { m_showAllMenusRow->setVisible(m_appSettings.experimentalFeatures()); });

    m_limitBrowsers = SettingBinding::toggleRow(
        *limits, QStringLiteral("Limit amount of elements for browsers "), appSettings,
        &AppSettings::applyLimitToBrowsers, &AppSettings::setApplyLimitToBrowsers,
        &AppSettings::applyLimitToBrowsersChanged,
        QStringLiteral("Limiting amount of elements for browsers.\nUseful when there is huge amount of "
                       "bookmarks."));

    // The slider stands for the stored limit, not for a position of its own: it starts at
    // the stored limit and follows it, so that it never shows one limit while another applies.
    m_limit =
        new TickSlider(SettingsValueLists::limitElementsScale(), SettingsValueLists::availableLimitValues());
    m_limit->setFixedWidth(SliderWidth);
    connect(m_limit, &TickSlider::valueEdited, &appSettings, [this](double position) {
        m_appSettings.setLimitElements(
            SettingsValueLists::limitElementsForPosition(static_cast<int>(position)));
    });
    connect(&appSettings, &AppSettings::limitElementsChanged, this, &AdvancedPresetsView::showLimit);
    connect(&appSettings, &AppSettings::applyLimitToBrowsersChanged, this, &AdvancedPresetsView::showLimit);
    limits->addRow(QStringLiteral("Limit to maximum of"), m_limit);
    showLimit();

    FormSection* myShortcuts = addSection(QStringLiteral("My Shortcuts"));
    SettingBinding::toggleRow(*myShortcuts, QStringLiteral("Show Localized Custom Shortcuts"), appSettings,
                              &AppSettings::showLocalizedCustomShortcuts,
                              &AppSettings::setShowLocalizedCustomShortcuts,
                              &AppSettings::showLocalizedCustomShortcutsChanged);
}

void AdvancedPresetsView::showLimit()
{
    m_limit->setValue(SettingsValueLists::positionForLimitElements(m_appSettings.limitElements()));
    m_limit->setEnabled(m_appSettings.applyLimitToBrowsers());
}

} // namespace tavlen
