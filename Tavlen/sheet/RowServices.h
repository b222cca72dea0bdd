#pragma once

namespace tavlen {

class Accessibility;
class AppSettings;
class ApplicationDirectory;
class ApplicationLauncher;
class Clock;
class DatabaseManager;
class FileLocations;
class FileSystem;
class KeySender;
class KeyboardLayout;
class MenuSource;
class NotificationCenter;
class Timers;
class WindowActivator;
class Workspace;

// The shared objects a sheet row acts through. The sheet makes one and hands a copy to each
// row; every referenced object must outlive the rows, and Timers, KeySender and Workspace
// also a custom shortcut's delayed send (up to half a second after its row is gone).
struct RowServices {
    DatabaseManager& databaseManager;
    AppSettings& appSettings;
    Accessibility& accessibility;
    // Where sheets get applications' menus from.
    MenuSource& menus;
    // Whether the CustomShortcuts application is installed, at the moment "Customize" runs.
    const ApplicationDirectory& applications;
    ApplicationLauncher& launcher;
    NotificationCenter& notifications;
    // What writeEditRequest needs (store/EditRequest.h).
    const FileLocations& locations;
    FileSystem& files;
    const KeyboardLayout& keyboard;
    const Clock& clock;
    // What sending a custom shortcut needs.
    Workspace& workspace;
    KeySender& keySender;
    WindowActivator& windowActivator;
    Timers& timers;
};

} // namespace tavlen
