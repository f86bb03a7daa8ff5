#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The clipboard and fonts need a GUI application object; no display is used.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
