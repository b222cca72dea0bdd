#pragma once

#include <QString>
#include <QWidget>
#include <array>

class QAbstractButton;
class QToolButton;

namespace tavlen {

class AdvancedPresetsView;
class AboutView;
class AppSettings;
class GeneralPresetsView;
class IntegrationsView;
class NotificationCenter;
class PaneSettings;
class SystemSettingsOpener;
class TabView;
class VisualPresetsView;

// What the settings panes work through. Each object must outlive the view.
struct SettingsViewServices {
    AppSettings& appSettings;
    NotificationCenter& notifications;
    SystemSettingsOpener& systemSettings;
    // The command that starts Tavlen, for the command lines the Integrations pane shows.
    QString program;
    // Shown by the About pane; none when empty.
    QString version;
    // How the gestures reach Tavlen in this session and how to get a better way, shown by the
    // General pane; none when empty.
    QString keyboardNote;
};

// The settings window's content: the six panes in a TabView, whose row also carries the
// pause/resume and quit buttons.
class SettingsView : public QWidget {
    Q_OBJECT
public:
    struct Tab {
        const char* title;
        const char* symbol;
    };
    static constexpr int MyShortcutsIndex = 4;
    static constexpr std::array<Tab, 6> tabs{{
        {"General", "list.bullet.rectangle"},
        {"Visual", "text.and.command.macwindow"},
        {"Advanced", "gearshape.2.fill"},
        {"Integrations", "arrow.2.squarepath"},
        {"My Shortcuts", "keyboard.fill"},
        {"About", "command"},
    }};

    static QString pauseHelp() { return QStringLiteral("Pause the Tavlen"); }
    static QString resumeHelp() { return QStringLiteral("Resume the Tavlen"); }
    static QString quitHelp() { return QStringLiteral("Quit Tavlen"); }

    // Takes `myShortcutsPane`, the custom shortcut editor; a pane with only its title stands in
    // for a null one.
    SettingsView(const SettingsViewServices& services, QWidget* myShortcutsPane, QWidget* parent = nullptr);

    TabView* tabView() const { return m_tabs; }
    PaneSettings& paneSettings() const { return *m_paneSettings; }
    GeneralPresetsView* generalPane() const { return m_general; }
    VisualPresetsView* visualPane() const { return m_visual; }
    AdvancedPresetsView* advancedPane() const { return m_advanced; }
    IntegrationsView* integrationsPane() const { return m_integrations; }
    QWidget* myShortcutsPane() const { return m_myShortcuts; }
    AboutView* aboutPane() const { return m_about; }

    // Shows "pause.fill" and says "Pause" while monitoring runs, "play.fill" and "Resume"
    // while it is paused.
    QToolButton* pauseButton() const { return m_pause; }
    QToolButton* quitButton() const { return m_quit; }
    // The pictogram the pause button shows, and its opacity: 0.8, or 0.4 while the custom
    // shortcut editor records a key (pausing is refused then).
    QString pauseSymbol() const;
    double pauseOpacity() const;

private:
    void showPauseState();

    AppSettings& m_appSettings;
    PaneSettings* m_paneSettings;
    TabView* m_tabs;
    GeneralPresetsView* m_general;
    VisualPresetsView* m_visual;
    AdvancedPresetsView* m_advanced;
    IntegrationsView* m_integrations;
    QWidget* m_myShortcuts;
    AboutView* m_about;
    QToolButton* m_pause;
    QToolButton* m_quit;
};

} // namespace tavlen
