#include <gtest/gtest.h>

#include <stdexcept>

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/Startup.h"
#include "clock/mainWindow.h"
#include "platform/Controls.h"
#include "platform/Runtime.h"
#include "prefs/prefWindow.h"
#include "tests/support/QtReach.h"
#include "tests/support/TestProgram.h"

namespace {

TEST(Startup, TheApplicationAndTheClockWindowShareOneMenuBar)
{
    TestProgram program;
    NewAppInstance();
    mainWindow& clock = program.open();
    EXPECT_EQ(implicit::App().MenuBar(), clock.MenuBar());
    EXPECT_EQ(clock.MenuBar(), implicit::MenuBar1());
    EXPECT_EQ(&clock.prefMenu(), clock.MenuBar()->FindByName("prefMenu"));
    EXPECT_EQ(&implicit::mainWindow(), &clock);  // one clock window
    // The preferences command shows its dialog modally until it closes.
    QTimer::singleShot(0, [] {
        if (platform::Window* dialog = platform::ImplicitWindow("prefWindow.prefWindow"))
            dialog->Close();
    });
    EXPECT_TRUE(qtreach::ChooseMenuItem(clock, "prefMenu"));
    platform::ReleaseAppObject();
    EXPECT_THROW(implicit::App(), platform::NilObjectException);
}

// The whole program in this process: start, run the loop, close the window
// from inside the loop and finish.
TEST(EntryRoutine, RunsToTheEndAndReleasesWhatStartUpMade)
{
    TestProgram program;
    program.clock->Set(10, 0, 0);
    std::weak_ptr<MenuBar1> menuBar;
    QTimer::singleShot(50, [&menuBar] {
        EXPECT_NE(platform::ImplicitWindow(mainWindow::kClassName), nullptr);
        menuBar = implicit::MenuBar1();
        implicit::mainWindow().Close();
    });
    int argc = 1;
    char name[] = "talking-clock";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(EntryRoutine(argc, argv), 0);
    EXPECT_TRUE(menuBar.expired());
    EXPECT_EQ(platform::RegisteredAppObject(), nullptr);
    EXPECT_EQ(platform::ImplicitWindow(mainWindow::kClassName), nullptr);
    EXPECT_NE(program.readSettings().find("seiyuOn/Off="), std::string::npos);
}

// A bug in a handler while the preferences dialog is open: the program ends
// with status 1 after finalising, the dialog's widgets going with their
// window.
TEST(EntryRoutine, AnExceptionThatEscapesAHandlerStillFinalises)
{
    TestProgram program;
    std::weak_ptr<MenuBar1> menuBar;
    QTimer::singleShot(0, [&menuBar] {
        menuBar = implicit::MenuBar1();
        qtreach::ChooseMenuItem(implicit::mainWindow(), "prefMenu");
    });
    platform::Timer buggy;
    bool thrown = false;
    buggy.AddActionHandler([&](platform::Timer&) {
        if (QApplication::activeModalWidget() && platform::ImplicitWindow(prefWindow::kClassName)) {
            thrown = true;
            throw std::logic_error("escaped");
        }
    });
    buggy.SetPeriod(10);
    buggy.SetMode(2);
    int argc = 1;
    char name[] = "talking-clock";
    char* argv[] = {name, nullptr};
    testing::internal::CaptureStderr();
    const int status = EntryRoutine(argc, argv);
    const std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(thrown);
    EXPECT_EQ(status, 1);
    EXPECT_NE(reported.find("escaped"), std::string::npos);
    EXPECT_TRUE(menuBar.expired());
    EXPECT_EQ(platform::RegisteredAppObject(), nullptr);
    EXPECT_EQ(platform::ImplicitWindow(prefWindow::kClassName), nullptr);
}

}  // namespace
