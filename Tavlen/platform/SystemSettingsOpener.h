#pragma once

namespace tavlen {

// Opens the desktop's own settings where the user grants Tavlen what it needs.
class SystemSettingsOpener {
public:
    enum class Panel {
        // Where assistive technologies (the accessibility bus Tavlen reads menus through) are
        // switched on.
        accessibility,
        notifications,
        // The applications started at login.
        autostart,
    };

    virtual ~SystemSettingsOpener() = default;

    // Whether this desktop has settings of that kind that can be opened.
    virtual bool canOpen(Panel panel) const = 0;
    // True when the settings were started; false when there are none or they did not start.
    virtual bool open(Panel panel) = 0;
};

} // namespace tavlen
