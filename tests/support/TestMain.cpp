#include <QCoreApplication>
#include <gtest/gtest.h>

// Qt objects under test (watchers, timers, queued signals) expect an application object.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
