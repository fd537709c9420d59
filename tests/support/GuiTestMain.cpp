#include <QApplication>

#include <gtest/gtest.h>

namespace {

// The offscreen platform warns on every fixed-size and every raised window;
// that says nothing about the program.
void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("This plugin does not support")))
        return;
    fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

// Every GUI test runs inside one application object on the offscreen
// platform, so windows, timers and pictures work without a display.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietOffscreenWarnings);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
