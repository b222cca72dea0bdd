#pragma once

#include "core/windows/settings/SettingsPane.h"

class QComboBox;
class QLabel;

namespace tavlen {

class AppSettings;
class PaneSettings;
class TickSlider;
class ToggleSwitch;

// "Visual Presets": how the panels look and what their sheets list.
class VisualPresetsView : public SettingsPane {
    Q_OBJECT
public:
    static constexpr int PickerWidth = 200;
    static constexpr int SliderWidth = 300;

    VisualPresetsView(AppSettings& appSettings, PaneSettings& paneSettings, QWidget* parent = nullptr);

    QComboBox* appearancePicker() const { return m_appearance; }
    QComboBox* columnsPicker() const { return m_columns; }
    // View state only: the panels always use the main screen.
    QComboBox* screenPicker() const { return m_screen; }
    QComboBox* persistentSidePicker() const { return m_persistentSide; }
    QComboBox* shortcutSidePicker() const { return m_shortcutSide; }
    TickSlider* fontSizeSlider() const { return m_fontSize; }
    ToggleSwitch* truncateSwitch() const { return m_truncate; }
    TickSlider* limitTitlesSlider() const { return m_limitTitles; }
    QLabel* truncationPreview() const { return m_preview; }

private:
    void showTruncation();

    AppSettings& m_appSettings;
    QComboBox* m_appearance = nullptr;
    QComboBox* m_columns = nullptr;
    QComboBox* m_screen = nullptr;
    QComboBox* m_persistentSide = nullptr;
    QComboBox* m_shortcutSide = nullptr;
    TickSlider* m_fontSize = nullptr;
    ToggleSwitch* m_truncate = nullptr;
    TickSlider* m_limitTitles = nullptr;
    QLabel* m_preview = nullptr;
};

} // namespace tavlen
