#include <QGuiApplication>

#include <gtest/gtest.h>

// Drawing text into images needs an application object and fonts, no display.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
