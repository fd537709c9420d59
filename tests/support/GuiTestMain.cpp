#include <QApplication>

#include <gtest/gtest.h>

// Every GUI test runs inside one application object on the offscreen
// platform, so windows, timers and pictures work without a display.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
