#include "core/windows/settings/GeneralPresetsView.h"

#include "core/windows/settings/FormSection.h"
#include "core/windows/settings/SettingBinding.h"
#include "core/windows/settings/SettingsSymbol.h"
#include "settings/AppSettings.h"
#include "settings/PaneSettings.h"
#include "settings/SettingsValueLists.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace tavlen {

namespace {

using Panel = SystemSettingsOpener::Panel;

constexpr double hintOpacityOn = 0.8;
constexpr double hintOpacityOff = 0.5;
constexpr double footnoteScale = 0.85;
constexpr int delaySliderWidth = 300;

struct PermissionButton {
    Panel panel;
    const char* title;
    const char* help;
};

constexpr PermissionButton permissionButtons[] = {
    // "&&" shows one ampersand; a single one would mark a mnemonic.
    {Panel::accessibility, "Privacy && Security", "Opens the desktop's accessibility settings"},
    {Panel::notifications, "Notifications", "Opens the desktop's notification settings"},
    {Panel::autostart, "Login Items", "Opens the desktop's list of applications started at login"},
};

const QString superKeyHelp = QStringLiteral("⌘ is the Super (logo) key");

QFont footnoteFont(QFont font)
{
    font.setPointSizeF(font.pointSizeF() * footnoteScale);
    return font;
}

} // namespace

GeneralPresetsView::GeneralPresetsView(AppSettings& appSettings, PaneSettings& paneSettings,
                                       SystemSettingsOpener& systemSettings, const QString& keyboardNote,
                                       QWidget* parent)
    : SettingsPane(QStringLiteral("General Presets"), parent)
    , m_paneSettings(paneSettings)
    , m_systemSettings(systemSettings)
{
    // Permissions.
    FormSection* permissions = addSection(QStringLiteral("Permissions"));
    auto* buttons = new QWidget;
    auto* buttonLine = new QHBoxLayout(buttons);
    buttonLine->setContentsMargins(0, 0, 0, 0);
    for (const PermissionButton& entry : permissionButtons) {
        auto* button = new QPushButton(QString::fromUtf8(entry.title), buttons);
        button->setToolTip(QString::fromUtf8(entry.help));
        connect(button, &QPushButton::clicked, this,
                [this, panel = entry.panel] { openSystemSettings(panel); });
        buttonLine->addWidget(button);
        m_permissionButtons.append(button);
    }
    buttonLine->addStretch(1);
    permissions->addWideRow(buttons);
    m_permissionsNote = new QLabel;
    m_permissionsNote->setWordWrap(true);
    m_permissionsNote->setTextFormat(Qt::PlainText);
    m_permissionsNote->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_permissionsNote->setFont(footnoteFont(m_permissionsNote->font()));
    permissions->addWideRow(m_permissionsNote)->hide();

    // Launch. Starting at login always works through XDG autostart, so the switch is never
    // disabled.
    FormSection* launch = addSection(QStringLiteral("Launch"));
    m_launchAtLogin = SettingBinding::toggleRow(*launch, QStringLiteral("Launch at Login"), paneSettings,
                                                &PaneSettings::launchAtLogin, &PaneSettings::setLaunchAtLogin,
                                                &PaneSettings::launchAtLoginChanged);
    m_hideMenuIcon = SettingBinding::toggleRow(*launch, QStringLiteral("Hide Icon in Menu"), paneSettings,
                                               &PaneSettings::hideMenuIcon, &PaneSettings::setHideMenuIcon,
                                               &PaneSettings::hideMenuIconChanged);

    m_hint = new QWidget;
    auto* hintLine = new QHBoxLayout(m_hint);
    hintLine->setContentsMargins(0, 0, 0, 0);
    hintLine->setSpacing(0);
    const QFont hintFont = footnoteFont(m_hint->font());
    const int symbolSide = QFontMetrics(hintFont).ascent();
    hintLine->addWidget(
        new SettingsSymbol(QStringLiteral("exclamationmark.triangle.fill"), symbolSide, m_hint));
    auto* hintText =
        new QLabel(QStringLiteral("&nbsp;Press the ⌃ <b>key 3 times</b> to access Settings or launch "
                                  "App again"),
                   m_hint);
    hintText->setTextFormat(Qt::RichText);
    hintText->setFont(hintFont);
    hintLine->addWidget(hintText);
    hintLine->addStretch(1);
    launch->addWideRow(m_hint);
    connect(&paneSettings, &PaneSettings::hideMenuIconChanged, this, &GeneralPresetsView::showHintOpacity);
    showHintOpacity();

    // Panel Activation.
    FormSection* activation = addSection(QStringLiteral("Panel Activation"));
    m_keyboardNote = new QLabel(keyboardNote);
    m_keyboardNote->setWordWrap(true);
    m_keyboardNote->setTextFormat(Qt::PlainText);
    m_keyboardNote->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_keyboardNote->setFont(footnoteFont(m_keyboardNote->font()));
    activation->addWideRow(m_keyboardNote)->setVisible(!keyboardNote.isEmpty());
    m_trigger = new QComboBox;
    m_trigger->addItem(QStringLiteral("pressing the ⌘ key twice and hold"), 1);
    m_trigger->addItem(QStringLiteral("pressing the ⌘ key and hold"), 2);
    m_trigger->setToolTip(superKeyHelp);
    SettingBinding::picker(m_trigger, paneSettings, &PaneSettings::activationKeyType,
                           &PaneSettings::setActivationKeyType, &PaneSettings::activationKeyTypeChanged);
    activation->addRow(QStringLiteral("Trigger by"), m_trigger);

    const int type = paneSettings.activationKeyType();
    m_delay =
        new TickSlider(SettingsValueLists::delayScale(type), SettingsValueLists::delayValueTitles(type));
    m_delay->setFixedWidth(delaySliderWidth);
    // The range follows the trigger first, so that the stored delay is then shown on the new
    // range; the stored delay itself is left alone (the controller corrects one that is too
    // short for the trigger).
    connect(&paneSettings, &PaneSettings::activationKeyTypeChanged, this,
            &GeneralPresetsView::showDelayScale);
    SettingBinding::slider(m_delay, paneSettings, &PaneSettings::keyHoldingDelay,
                           &PaneSettings::setKeyHoldingDelay, &PaneSettings::keyHoldingDelayChanged);
    activation->addRow(QStringLiteral("Delay time, in seconds"), m_delay);

    // Persistent Panel Activation.
    FormSection* persistent = addSection(QStringLiteral("Persistent Panel Activation"));
    m_persistentTrigger = new QComboBox;
    m_persistentTrigger->addItem(QStringLiteral("none"), 0);
    m_persistentTrigger->addItem(QStringLiteral("pressing the ⌘ key 3 times"), 1);
    m_persistentTrigger->setToolTip(superKeyHelp);
    SettingBinding::picker(m_persistentTrigger, appSettings, &AppSettings::activationPersistentKeyType,
                           &AppSettings::setActivationPersistentKeyType,
                           &AppSettings::activationPersistentKeyTypeChanged);
    persistent->addRow(QStringLiteral("Trigger by"), m_persistentTrigger);
}

QString GeneralPresetsView::explanation(SystemSettingsOpener::Panel panel)
{
    switch (panel) {
    case Panel::accessibility:
        return QStringLiteral(
            "Tavlen reads the menus of other applications through the desktop's accessibility bus (AT-SPI). "
            "No "
            "accessibility settings could be opened on this desktop: switch the bus on with \"gsettings set "
            "org.gnome.desktop.interface toolkit-accessibility true\", then restart the applications whose "
            "shortcuts you want to see.");
    case Panel::notifications:
        return QStringLiteral(
            "Tavlen shows no desktop notifications on Linux, so there is nothing to allow. No "
            "notification settings could be opened on this desktop.");
    case Panel::autostart:
        return QStringLiteral(
            "Tavlen starts at login through its entry in your autostart folder ($XDG_CONFIG_HOME/autostart, "
            "usually ~/.config/autostart), which the \"Launch at Login\" switch writes and removes. No "
            "startup "
            "settings could be opened on this desktop; the switch is all that is needed.");
    }
    return {};
}

QAbstractButton* GeneralPresetsView::permissionButton(SystemSettingsOpener::Panel panel) const
{
    for (qsizetype i = 0; i < m_permissionButtons.size(); ++i) {
        if (permissionButtons[i].panel == panel)
            return m_permissionButtons.at(i);
    }
    return nullptr;
}

void GeneralPresetsView::openSystemSettings(SystemSettingsOpener::Panel panel)
{
    const bool opened = m_systemSettings.canOpen(panel) && m_systemSettings.open(panel);
    m_permissionsNote->setText(opened ? QString() : explanation(panel));
    m_permissionsNote->parentWidget()->setVisible(!opened);
}

double GeneralPresetsView::hintOpacity() const
{
    return m_hint->palette().color(QPalette::WindowText).alphaF();
}

void GeneralPresetsView::showHintOpacity()
{
    QPalette faded = palette();
    QColor text = faded.color(QPalette::WindowText);
    text.setAlphaF(m_paneSettings.hideMenuIcon() ? hintOpacityOn : hintOpacityOff);
    faded.setColor(QPalette::WindowText, text);
    m_hint->setPalette(faded);
}

void GeneralPresetsView::showDelayScale()
{
    const int type = m_paneSettings.activationKeyType();
    m_delay->setScale(SettingsValueLists::delayScale(type), SettingsValueLists::delayValueTitles(type));
    m_delay->setValue(m_paneSettings.keyHoldingDelay());
}

} // namespace tavlen
