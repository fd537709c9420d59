#include <gtest/gtest.h>

#include <QTimer>

#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/Startup.h"
#include "clock/mainWindow.h"
#include "platform/Runtime.h"
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

TEST(EntryRoutine, AnExceptionThatEscapesTheLoopStillFinalises)
{
    TestProgram program;
    std::weak_ptr<MenuBar1> menuBar;
    QTimer::singleShot(20, [&menuBar] {
        menuBar = implicit::MenuBar1();
        platform::Dispatch([] { throw std::logic_error("escaped"); });
    });
    int argc = 1;
    char name[] = "talking-clock";
    char* argv[] = {name, nullptr};
    testing::internal::CaptureStderr();
    const int status = EntryRoutine(argc, argv);
    const std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_NE(status, 0);
    EXPECT_NE(reported.find("escaped"), std::string::npos);
    EXPECT_TRUE(menuBar.expired());
    EXPECT_EQ(platform::RegisteredAppObject(), nullptr);
}

}  // namespace
