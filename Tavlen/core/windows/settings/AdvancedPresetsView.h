#pragma once

#include "core/windows/settings/SettingsPane.h"

namespace tavlen {

class AppSettings;
class TickSlider;
class ToggleSwitch;

// "Advanced Presets": limits on what the harvester reads, and the custom shortcuts' language.
class AdvancedPresetsView : public SettingsPane {
    Q_OBJECT
public:
    static constexpr int SliderWidth = 300;

    explicit AdvancedPresetsView(AppSettings& appSettings, QWidget* parent = nullptr);

    // The "Show all menu elements " row, shown only with experimental features.
    QWidget* showAllMenusRow() const { return m_showAllMenusRow; }
    ToggleSwitch* limitBrowsersSwitch() const { return m_limitBrowsers; }
    // Positions 0 … 3 for a limit of 100, 200, 500 and 1000 elements.
    TickSlider* limitSlider() const { return m_limit; }

private:
    void showLimit();

    AppSettings& m_appSettings;
    QWidget* m_showAllMenusRow = nullptr;
    ToggleSwitch* m_limitBrowsers = nullptr;
    TickSlider* m_limit = nullptr;
};

} // namespace tavlen
