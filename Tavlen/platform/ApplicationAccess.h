#pragma once

#include <QString>

namespace tavlen {

// What the accessibility side of the desktop tells about one running application: whether
// accessibility is on at all, whether the application talks to it, and what it is built with.
// Enough to tell the user why nothing of it can be read, and what to do about it.
struct ApplicationAccess {
    bool switchedOn = true; // accessibility is switched on for the session
    bool onBus = true;      // the application has joined the accessibility bus
    // The toolkit as the application names it on the bus ("GTK", "Qt", "Gecko"), or, off the
    // bus, as its loaded libraries tell ("GTK 2", "Qt 5", "LibreOffice gen"); empty when unknown.
    QString toolkit = {};
    QString toolkitVersion = {};

    friend bool operator==(const ApplicationAccess&, const ApplicationAccess&) = default;
};

} // namespace tavlen
