#pragma once

#include "core/windows/settings/SettingsPane.h"
#include "platform/SystemSettingsOpener.h"

class QAbstractButton;
class QComboBox;
class QLabel;

namespace tavlen {

class AppSettings;
class PaneSettings;
class TickSlider;
class ToggleSwitch;

// "General Presets": the desktop settings Tavlen depends on, starting with the session,
// and the gestures that open the panels.
class GeneralPresetsView : public SettingsPane {
    Q_OBJECT
public:
    // `keyboardNote`: what the session lets Tavlen see of the keyboard, shown above the
    // triggers when there is something to say.
    GeneralPresetsView(AppSettings& appSettings, PaneSettings& paneSettings,
                       SystemSettingsOpener& systemSettings, const QString& keyboardNote = {},
                       QWidget* parent = nullptr);

    // What to do when the desktop has no settings of that kind to open (or they did not start).
    static QString explanation(SystemSettingsOpener::Panel panel);

    QAbstractButton* permissionButton(SystemSettingsOpener::Panel panel) const;
    // The explanation of the last permission button whose settings could not be opened;
    // hidden while there is none.
    QLabel* permissionsNote() const { return m_permissionsNote; }
    ToggleSwitch* launchAtLoginSwitch() const { return m_launchAtLogin; }
    ToggleSwitch* hideMenuIconSwitch() const { return m_hideMenuIcon; }
    // The Control gesture hint, drawn stronger while the menu icon is hidden.
    QWidget* hideMenuIconHint() const { return m_hint; }
    double hintOpacity() const;
    QComboBox* triggerPicker() const { return m_trigger; }
    TickSlider* delaySlider() const { return m_delay; }
    QComboBox* persistentTriggerPicker() const { return m_persistentTrigger; }
    // Hidden when there is no note.
    QLabel* keyboardNote() const { return m_keyboardNote; }

private:
    void openSystemSettings(SystemSettingsOpener::Panel panel);
    void showHintOpacity();
    void showDelayScale();

    PaneSettings& m_paneSettings;
    SystemSettingsOpener& m_systemSettings;
    QList<QAbstractButton*> m_permissionButtons;
    QLabel* m_permissionsNote = nullptr;
    ToggleSwitch* m_launchAtLogin = nullptr;
    ToggleSwitch* m_hideMenuIcon = nullptr;
    QWidget* m_hint = nullptr;
    QComboBox* m_trigger = nullptr;
    TickSlider* m_delay = nullptr;
    QComboBox* m_persistentTrigger = nullptr;
    QLabel* m_keyboardNote = nullptr;
};

} // namespace tavlen
