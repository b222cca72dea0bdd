#pragma once

#include "core/WindowSystem.h"
#include "sheet/RowServices.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

namespace tavlen {

class CustomPanel;
class SettingsWindow;
class SystemSettingsOpener;
class WindowStacking;

// The controller's windows drawn with Qt Widgets: the panels with the sheet's views, the
// settings window, the fades, the tray icon and the alerts.
class WidgetWindowSystem final : public WindowSystem {
public:
    // All must outlive the windows made here. `stacking` talks to the window manager, so it
    // should be the X11 one only where Qt itself runs on X11. `systemSettings` opens the
    // desktop's settings pages that the General pane points to.
    WidgetWindowSystem(const RowServices& services, WindowStacking& stacking,
                       SystemSettingsOpener& systemSettings);
    ~WidgetWindowSystem() override;

    // Where to say what the windows show, for following Tavlen from a terminal; nowhere by
    // default. Windows made before keep the previous one.
    using Log = std::function<void(const QString& line)>;
    void setLog(Log log) { m_log = std::move(log); }
    // What the settings window says about the keyboard in this session.
    void setKeyboardNote(QString note) { m_keyboardNote = std::move(note); }

    // Makes the settings window's "My Shortcuts" pane, the custom shortcut editor; the window
    // adopts it. Without a factory the tab shows an empty pane with its title. Set before the
    // settings window is made.
    using MyShortcutsPaneFactory = std::function<QWidget*()>;
    void setMyShortcutsPaneFactory(MyShortcutsPaneFactory factory)
    {
        m_myShortcutsPaneFactory = std::move(factory);
    }

    std::unique_ptr<PanelWindow> createPanel(const PanelContent& content) override;
    void preparePanel(const PanelContent& content) override;
    std::unique_ptr<ManagedWindow> createSettingsWindow(std::function<void()> willClose) override;
    std::unique_ptr<FadeWindow> createFadeWindow(FadeWindow::Kind kind) override;
    std::unique_ptr<StatusItem> createStatusItem(std::function<void()> clicked) override;
    bool statusAreaAvailable() const override;
    std::optional<QRectF> mainScreenVisibleFrame() const override;
    void showAlert(const QString& title, const QString& message) override;
    void activateApplication() override;
    void deactivateApplication() override;
    void orderOutAllWindows() override;
    void terminate() override;

    static QString alertWindowTitle() { return QStringLiteral("Tavlen"); }
    // What a panel shows, in one line: "shortcut panel: geany: File, Edit, Help".
    static QString describe(const CustomPanel& panel);

private:
    QWidget* makePanelContent(const PanelContent& content) const;
    std::unique_ptr<CustomPanel> buildPanel(const PanelContent& content);
    void log(const QString& line) const;

    RowServices m_services;
    WindowStacking& m_stacking;
    QPointer<SettingsWindow> m_settingsWindow;
    SystemSettingsOpener& m_systemSettings;
    MyShortcutsPaneFactory m_myShortcutsPaneFactory;
    Log m_log;
    QString m_keyboardNote;
    // A panel built ahead, and when: it serves only while the same application is in front
    // (the workspace says when another comes), and only for a while (its sheet would fall
    // behind the application's menus).
    std::unique_ptr<CustomPanel> m_prepared;
    bool m_preparedStale = false;
    QElapsedTimer m_preparedAt;
    QMetaObject::Connection m_frontmostWatch;
};

} // namespace tavlen
