#pragma once

#include "core/PanelScroll.h"
#include "core/StatusMenu.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace tavlen {

// What a panel shows: the shortcut panel's sheet (or legend, when asked for from Tavlen's own
// window), or the persistent panel's sheet of one application.
struct PanelContent {
    enum class Kind { Hotkeys, Persistent };

    Kind kind = Kind::Hotkeys;
    bool isGlobal = true;  // Hotkeys only
    QString appIdentifier; // Persistent only

    static PanelContent hotkeys(bool isGlobal) { return {Kind::Hotkeys, isGlobal, {}}; }
    static PanelContent persistent(QString appIdentifier)
    {
        return {Kind::Persistent, true, std::move(appIdentifier)};
    }
    friend bool operator==(const PanelContent&, const PanelContent&) = default;
};

// How far above other windows a panel stays: above everything including the desktop's panels
// while it is new, merely on top of normal windows once it has followed another application.
enum class WindowLevel { MainMenu, Floating };

// One of Tavlen's windows, as the controller sees it. Dropping the handle closes the window.
class ManagedWindow {
public:
    virtual ~ManagedWindow() = default;

    // Shows the window on top without taking the keyboard from the frontmost application.
    virtual void orderFront() = 0;
    virtual void orderOut() = 0;
    virtual bool isVisible() const = 0;
};

// A floating panel that never takes the keyboard focus.
class PanelWindow : public ManagedWindow {
public:
    // In screen coordinates, y growing downwards.
    virtual QRectF frame() const = 0;
    virtual void setTopLeft(const QPointF& topLeft) = 0;
    // Builds new content in place; the panel keeps its position.
    virtual void replaceContent(const PanelContent& content) = 0;
    virtual void setLevel(WindowLevel level) = 0;
    // Moves the sheet the panel shows, if it shows one taller than its room.
    virtual void scroll(PanelScroll step) = 0;
};

// The greeting at start and the goodbye at quit.
class FadeWindow : public ManagedWindow {
public:
    enum class Kind { Intro, Outro };

    // Takes the window's opacity to 0 over `duration`. The controller decides when the fade
    // is over by its own timer, so the window only draws it.
    virtual void fadeOut(std::chrono::milliseconds duration) = 0;
};

// The menu-bar icon (tray icon) and the menu it opens.
class StatusItem {
public:
    virtual ~StatusItem() = default;

    // Attaches the menu; later clicks open it directly. Titles of entries bound to a property
    // follow that property of `titleSource` while the menu lives.
    virtual void setMenu(const StatusMenu& menu) = 0;
    // Opens the attached menu at the icon.
    virtual void openMenu() = 0;
    virtual void setEntryEnabled(int tag, bool enabled) = 0;
};

// The desktop's windowing, behind an interface so that the controller's rules run in the tests
// against a recording stand-in. The real one draws with Qt Widgets.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // A panel of the content's fixed size, centred on the main screen (the shortcut panel) or
    // covering it until placed (the persistent panel); not yet shown. The persistent panel is
    // sticky: it stays on every desktop.
    virtual std::unique_ptr<PanelWindow> createPanel(const PanelContent& content) = 0;
    // A panel with this content is likely to be asked for in a moment (the gesture has begun):
    // its window may be built ahead, unseen, and createPanel then hands it out as long as it
    // still shows what a new one would. Nothing appears on screen.
    virtual void preparePanel(const PanelContent& content) { (void)content; }
    // The settings window, centred, not yet shown. `willClose` runs when the user closes it;
    // the window is then hidden, not destroyed.
    virtual std::unique_ptr<ManagedWindow> createSettingsWindow(std::function<void()> willClose) = 0;
    virtual std::unique_ptr<FadeWindow> createFadeWindow(FadeWindow::Kind kind) = 0;
    // The icon, shown at once; `clicked` runs on a click on it while no menu is attached.
    virtual std::unique_ptr<StatusItem> createStatusItem(std::function<void()> clicked) = 0;
    // False when no tray host runs: the icon then shows nowhere (until one starts).
    virtual bool statusAreaAvailable() const = 0;

    // The main screen without the desktop's panels; none without a screen.
    virtual std::optional<QRectF> mainScreenVisibleFrame() const = 0;

    // A modal alert with one "OK" button; returns once the user has dismissed it.
    virtual void showAlert(const QString& title, const QString& message) = 0;

    // Brings Tavlen's own windows to the front and gives them the keyboard, and back.
    virtual void activateApplication() = 0;
    virtual void deactivateApplication() = 0;
    // Hides every window of the process, the controller's and any other (menus, alerts).
    virtual void orderOutAllWindows() = 0;
    // Ends the event loop; the process ends once the current handler has returned.
    virtual void terminate() = 0;
};

} // namespace tavlen
