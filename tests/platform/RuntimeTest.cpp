#include <csignal>
#include <stdexcept>
#include <string>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <QThread>

#include <gtest/gtest.h>

#include "platform/Controls.h"
#include "platform/MsgBox.h"
#include "platform/Runtime.h"
#include "tests/platform/RuntimeTestSupport.h"

namespace {

using testsupport::CountOf;
using testsupport::ProbeWindow;
using RuntimeTest = testsupport::RuntimeFixture;

// A timer owned by the test that runs fn at each of its ticks.
struct TickingTimer {
    explicit TickingTimer(std::function<void()> fn, std::int32_t mode = 2)
    {
        timer.AddActionHandler([fn = std::move(fn)](platform::Timer&) { fn(); });
        timer.SetPeriod(0);
        timer.SetMode(mode);
    }
    platform::Timer timer;
};

TEST_F(RuntimeTest, DispatchReportsRuntimeExceptionsAndGoesOn)
{
    int helperCalls = 0;
    platform::RuntimeSetExceptionHelper([&](const std::function<void()>& fn) {
        ++helperCalls;
        return platform::CallFunctionWithExceptionHandling(fn);
    });
    bool ran = false;
    platform::Dispatch([&] { ran = true; });
    EXPECT_TRUE(ran);

    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(platform::Dispatch([] { throw platform::NilObjectException("no picture"); }));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("no picture"), std::string::npos);
    EXPECT_EQ(helperCalls, 2);

    // Outside the event loop (start-up) any other exception reaches the caller.
    EXPECT_THROW(platform::Dispatch([] { throw std::out_of_range("bug"); }), std::out_of_range);
    EXPECT_EQ(platform::RuntimeExit(), 0);
}

TEST_F(RuntimeTest, RuntimeExceptionInTimerIsReportedAndTheLoopGoesOn)
{
    int ticks = 0;
    TickingTimer ticking([&] {
        if (++ticks == 1)
            throw platform::RuntimeException("first tick failed");
        platform::Quit(4);
    });
    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(platform::RuntimeRun());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("first tick failed"), std::string::npos);
    EXPECT_GE(ticks, 2);
    EXPECT_EQ(platform::RuntimeExit(), 4);
}

TEST_F(RuntimeTest, OtherExceptionEndsTheLoopAndIsRaisedFromRun)
{
    int laterTicks = 0;
    ProbeWindow window;
    window.Constructor();
    TickingTimer failing([] { throw std::logic_error("broken invariant"); }, 1);
    EXPECT_THROW(platform::RuntimeRun(), std::logic_error);

    // The program is ending: no handler runs any more, yet a quit still
    // closes what is open.
    TickingTimer later([&] { ++laterTicks; });
    later.timer.Fire();
    EXPECT_EQ(laterTicks, 0);
    platform::Quit(0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.IsClosed());
    EXPECT_EQ(CountOf(window.calls, "Close"), 0);
    EXPECT_EQ(platform::RuntimeExit(), 1);
}

TEST_F(RuntimeTest, QuitBeforeTheLoopClosesWindowsOnceTheLoopRuns)
{
    ProbeWindow window;
    window.Constructor();
    platform::Quit(3);
    platform::Quit(5);
    EXPECT_TRUE(platform::QuitRequested());
    EXPECT_FALSE(window.IsClosed()) << "Quit returns before anything closes";

    platform::RuntimeRun();
    EXPECT_TRUE(window.IsClosed());
    EXPECT_EQ(CountOf(window.calls, "Close"), 1);
    EXPECT_EQ(platform::RuntimeExit(), 3);
}

TEST_F(RuntimeTest, LoopYieldNeverReentersAHandler)
{
    int depth = 0;
    int deepest = 0;
    int ticks = 0;
    int postedRuns = 0;
    int postedArrivals = 0;
    ProbeWindow window;
    window.Constructor();
    TickingTimer ticking([&] {
        ++depth;
        deepest = std::max(deepest, depth);
        // Work waiting in the loop while this handler yields.
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                ++postedArrivals;
                platform::Dispatch([&] { ++postedRuns; });
            },
            Qt::QueuedConnection);
        platform::LoopYield();  // too soon: the loop has not waited yet
        EXPECT_EQ(postedArrivals, ticks);
        QThread::msleep(12);  // long work: now the yield lets the loop run
        platform::LoopYield();
        if (++ticks == 3) {
            platform::Quit(0);
            platform::LoopYield();  // the quit waits for the yield to end
        }
        --depth;
    });
    platform::RuntimeRun();
    EXPECT_EQ(deepest, 1);
    EXPECT_GE(ticks, 3) << "the timer may tick once more before the quit ends the loop";
    EXPECT_GE(postedArrivals, 3) << "the yield let the loop work";
    EXPECT_EQ(postedRuns, 0) << "handlers arriving during a yield are dropped";
    EXPECT_EQ(CountOf(window.calls, "Close"), 1) << "the quit still ran the Close handler";
}

TEST_F(RuntimeTest, TerminationSignalsQuitLikeQuitZero)
{
    int argc = 1;
    char name[] = "platform_tests";
    char* argv[] = {name, nullptr};
    platform::RuntimeInit(argc, argv);  // keeps the test's application object
    for (int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        platform::ResetRuntimeForTesting();
        ProbeWindow window;
        window.Constructor();
        std::raise(signal);
        platform::RuntimeRun();
        EXPECT_TRUE(platform::QuitRequested());
        EXPECT_EQ(CountOf(window.calls, "Close"), 1);
        EXPECT_EQ(platform::RuntimeExit(), 0);
    }
    EXPECT_EQ(QCoreApplication::instance(), qApp);
}

TEST_F(RuntimeTest, MessageBoxHoldsHandlersBackUntilDismissed)
{
    std::vector<std::string> shown;
    platform::SetMsgBoxHandlerForTesting([&](const std::string& text) { shown.push_back(text); });
    platform::MsgBox("データが正しく配置されていません");
    platform::SetMsgBoxHandlerForTesting(nullptr);
    EXPECT_EQ(shown, std::vector<std::string>{"データが正しく配置されていません"});

    int ticksWhileShown = 0;
    TickingTimer ticking([&] { ++ticksWhileShown; });
    int turns = 0;
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, &dismiss, [&] {
        if (++turns < 5)
            return;
        for (QWidget* shownWidget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(shownWidget); box && box->isVisible())
                box->done(0);
        }
    });
    dismiss.start(0);
    platform::MsgBox("wait");
    EXPECT_GE(turns, 5);
    EXPECT_EQ(ticksWhileShown, 0);
}

}  // namespace
