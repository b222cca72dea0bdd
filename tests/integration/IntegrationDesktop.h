#pragma once

#include "DesktopSession.h"

#include <QString>
#include <gtest/gtest.h>

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

// A test on the shared desktop: skipped where the machine has none, failed where it should have
// started and did not. A fixture's own set-up goes into SetUpOnDesktop, which runs only when the
// desktop is there.
class DesktopTest : public ::testing::Test {
protected:
    void SetUp() final
    {
        if (!IntegrationDesktop::skipReason().isEmpty())
            GTEST_SKIP() << IntegrationDesktop::skipReason().toStdString();
        session = IntegrationDesktop::session();
        ASSERT_NE(session, nullptr) << IntegrationDesktop::startError().toStdString();
        SetUpOnDesktop();
    }
    virtual void SetUpOnDesktop() {}

    DesktopSession* session = nullptr;
};

} // namespace tavlen::test
