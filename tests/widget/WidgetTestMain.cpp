#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

// Widgets need a QApplication; without a display the offscreen platform draws into memory.
int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // One font everywhere, with the key symbols, so that sizes and pictures are the same on
    // every machine (fonts-dejavu-core).
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans")));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
