#include "IntegrationDesktop.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

// Starts the desktop once for every test and ends it before the application object goes.
class DesktopEnvironment final : public ::testing::Environment {
public:
    void SetUp() override { tavlen::test::IntegrationDesktop::start(); }
    void TearDown() override { tavlen::test::IntegrationDesktop::stop(); }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new DesktopEnvironment);
    return RUN_ALL_TESTS();
}
