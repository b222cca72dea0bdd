#include "core/windows/settings/VisualPresetsView.h"

#include "core/windows/settings/FormSection.h"
#include "core/windows/settings/SettingBinding.h"
#include "core/windows/settings/SettingsSymbol.h"
#include "settings/AppSettings.h"
#include "settings/Appearance.h"
#include "settings/PaneSettings.h"
#include "settings/SettingsTexts.h"
#include "settings/SettingsValueLists.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tavlen {

namespace {

constexpr int sizeSymbolSide = 18;

QComboBox* menuPicker()
{
    auto* picker = new QComboBox;
    picker->setFixedWidth(VisualPresetsView::PickerWidth);
    return picker;
}

QComboBox* sidePicker()
{
    QComboBox* picker = menuPicker();
    picker->addItem(QStringLiteral("Left"), false);
    picker->addItem(QStringLiteral("Right"), true);
    return picker;
}

QString capitalised(const QString& text)
{
    return text.isEmpty() ? text : text.first(1).toUpper() + text.sliced(1);
}

} // namespace

VisualPresetsView::VisualPresetsView(AppSettings& appSettings, PaneSettings& paneSettings, QWidget* parent)
    : SettingsPane(QStringLiteral("Visual Presets"), parent), m_appSettings(appSettings)
{
    // Panel.
    FormSection* panel = addSection(QStringLiteral("Panel"));
    m_appearance = menuPicker();
    for (const Appearance appearance : allAppearances) {
        const QString raw = appearanceRawValue(appearance);
        m_appearance->addItem(capitalised(raw), raw);
    }
    SettingBinding::picker(m_appearance, appSettings, &AppSettings::appearance, &AppSettings::setAppearance,
                           &AppSettings::appearanceChanged);
    panel->addRow(QStringLiteral("Appearance"), m_appearance);

    m_columns = menuPicker();
    for (int columns = 2; columns <= 5; ++columns)
        m_columns->addItem(QString::number(columns), columns);
    SettingBinding::picker(m_columns, appSettings, &AppSettings::amountOfColumns,
                           &AppSettings::setAmountOfColumns, &AppSettings::amountOfColumnsChanged);
    panel->addRow(QStringLiteral("Columns"), m_columns);

    m_screen = menuPicker();
    m_screen->addItem(QStringLiteral("Main Screen"), 0);
    panel->addRow(QStringLiteral("Show panel on the"), m_screen);

    SettingBinding::toggleRow(*panel, QStringLiteral("Show credits line"), appSettings,
                              &AppSettings::showCredits, &AppSettings::setShowCredits,
                              &AppSettings::showCreditsChanged);
    SettingBinding::toggleRow(*panel, QStringLiteral("Show App icon"), appSettings, &AppSettings::showAppIcon,
                              &AppSettings::setShowAppIcon, &AppSettings::showAppIconChanged);

    // Persistent panel.
    FormSection* persistent = addSection(QStringLiteral("Persistent panel"));
    m_persistentSide =
        SettingBinding::picker(sidePicker(), paneSettings, &PaneSettings::showPersistentWindowOnTheRight,
                               &PaneSettings::setShowPersistentWindowOnTheRight,
                               &PaneSettings::showPersistentWindowOnTheRightChanged);
    persistent->addRow(QStringLiteral("Show Persistent panel on the"), m_persistentSide);

    // Menu Items.
    FormSection* menuItems = addSection(QStringLiteral("Menu Items"));
    SettingBinding::toggleRow(*menuItems, QStringLiteral("Show bookmarks"), appSettings,
                              &AppSettings::showBookmarks, &AppSettings::setShowBookmarks,
                              &AppSettings::showBookmarksChanged);
    SettingBinding::toggleRow(*menuItems, QStringLiteral("Show user-hidden elements "), appSettings,
                              &AppSettings::showUserHiddenElements, &AppSettings::setShowUserHiddenElements,
                              &AppSettings::showUserHiddenElementsChanged,
                              QStringLiteral("Right click on element to pick action"));
    SettingBinding::toggleRow(*menuItems, QStringLiteral("Show inactive elements"), appSettings,
                              &AppSettings::showInactiveMenu, &AppSettings::setShowInactiveMenu,
                              &AppSettings::showInactiveMenuChanged);

    // Shortcuts.
    FormSection* shortcuts = addSection(QStringLiteral("Shortcuts"));
    m_shortcutSide = SettingBinding::picker(sidePicker(), appSettings, &AppSettings::showHotkeyOnTheRight,
                                            &AppSettings::setShowHotkeyOnTheRight,
                                            &AppSettings::showHotkeyOnTheRightChanged);
    shortcuts->addRow(QStringLiteral("Show shortcuts on the"), m_shortcutSide);

    auto* fontSize = new QWidget;
    auto* fontLine = new QHBoxLayout(fontSize);
    fontLine->setContentsMargins(0, 0, 0, 0);
    fontLine->setSpacing(4);
    fontLine->addWidget(new SettingsSymbol(QStringLiteral("textformat.size.smaller"), sizeSymbolSide), 0,
                        Qt::AlignTop);
    m_fontSize = SettingBinding::slider(
        new TickSlider(SettingsValueLists::fontSizeScale(), SettingsValueLists::availableFontSizes()),
        appSettings, &AppSettings::fontSize, &AppSettings::setFontSize, &AppSettings::fontSizeChanged);
    m_fontSize->setFixedWidth(SliderWidth);
    fontLine->addWidget(m_fontSize);
    fontLine->addWidget(new SettingsSymbol(QStringLiteral("textformat.size.larger"), sizeSymbolSide), 0,
                        Qt::AlignTop);
    shortcuts->addRow(QStringLiteral("Font size"), fontSize);

    m_truncate = SettingBinding::toggleRow(
        *shortcuts, QStringLiteral("Truncate long elements "), appSettings, &AppSettings::applyLimitToTitles,
        &AppSettings::setApplyLimitToTitles, &AppSettings::applyLimitToTitlesChanged,
        QStringLiteral("When enabled also limiting text to single line"));

    auto* truncation = new QWidget;
    auto* truncationStack = new QVBoxLayout(truncation);
    truncationStack->setContentsMargins(0, 0, 0, 0);
    m_limitTitles = SettingBinding::slider(new TickSlider(SettingsValueLists::limitTitlesScale(), {}),
                                           appSettings, &AppSettings::limitTitles,
                                           &AppSettings::setLimitTitles, &AppSettings::limitTitlesChanged);
    m_limitTitles->setFixedWidth(SliderWidth);
    truncationStack->addWidget(m_limitTitles, 0, Qt::AlignRight);
    m_preview = new QLabel;
    m_preview->setTextFormat(Qt::PlainText);
    m_preview->setObjectName(QStringLiteral("truncationPreview"));
    truncationStack->addWidget(m_preview);
    shortcuts->addWideRow(truncation);
    connect(&appSettings, &AppSettings::applyLimitToTitlesChanged, this, &VisualPresetsView::showTruncation);
    connect(&appSettings, &AppSettings::limitTitlesChanged, this, &VisualPresetsView::showTruncation);
    showTruncation();
}

void VisualPresetsView::showTruncation()
{
    const bool apply = m_appSettings.applyLimitToTitles();
    m_limitTitles->setEnabled(apply);
    m_preview->setText(SettingsTexts::truncationPreview(apply, m_appSettings.limitTitles()));
    // Truncated titles stay on one line; the whole sample wraps like a long title does.
    m_preview->setWordWrap(!apply);
}

} // namespace tavlen
