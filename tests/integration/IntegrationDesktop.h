#pragma once

#include "DesktopSession.h"

#include <QString>

namespace tavlen::test {

// The one desktop the integration tests share, started before the first test.
class IntegrationDesktop {
public:
    IntegrationDesktop() = delete;

    static void start();
    static void stop();

    // The running desktop, or null; `skipReason` then says why.
    static DesktopSession* session();
    static QString skipReason();
    // What went wrong when the desktop should have started but did not.
    static QString startError();
};

} // namespace tavlen::test
