#pragma once

#include <QString>

namespace tavlen {

// Starts an installed application by its application id (the desktop entry id on Linux).
class ApplicationLauncher {
public:
    virtual ~ApplicationLauncher() = default;

    // True when the application's process was started; false when it is not installed, has
    // nothing to run, or could not be started. Does not wait for the application to come up.
    virtual bool launch(const QString& applicationId) = 0;
};

} // namespace tavlen
