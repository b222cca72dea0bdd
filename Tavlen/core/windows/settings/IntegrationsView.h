#pragma once

#include "core/windows/settings/SettingsPane.h"

class QLabel;

namespace tavlen {

class AppSettings;
class ToggleSwitch;

// "Integrations": the CustomShortcuts application, and how other tools (key binders) open
// the panels through Tavlen's command line.
class IntegrationsView : public SettingsPane {
    Q_OBJECT
public:
    // `program` is the command that starts Tavlen, as the example command lines show it.
    IntegrationsView(AppSettings& appSettings, const QString& program, QWidget* parent = nullptr);

    ToggleSwitch* customShortcutsSwitch() const { return m_customShortcuts; }
    QLabel* otherToolsText() const { return m_otherTools; }

private:
    ToggleSwitch* m_customShortcuts = nullptr;
    QLabel* m_otherTools = nullptr;
};

} // namespace tavlen
