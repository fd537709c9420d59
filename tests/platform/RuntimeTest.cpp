#include <array>
#include <csignal>
#include <stdexcept>
#include <string>

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/PropertyStream.h"
#include "platform/Runtime.h"
#include "platform/Timer.h"
#include "tests/platform/RuntimeTestSupport.h"
#include "tests/support/QtReach.h"

namespace {

using testsupport::CountOf;
using testsupport::ProbeWindow;
using RuntimeTest = testsupport::RuntimeFixture;

void DismissMessageBoxes()
{
    for (QWidget* shown : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(shown); box && box->isVisible())
            box->done(0);
    }
}

// A timer owned by the test that runs fn at each of its ticks.
struct TickingTimer {
    explicit TickingTimer(std::function<void()> fn)
    {
        timer.AddActionHandler([fn = std::move(fn)](platform::Timer&) { fn(); });
        timer.SetPeriod(0);
        timer.SetMode(2);
    }
    platform::Timer timer;
};

TEST_F(RuntimeTest, DispatchReportsRuntimeExceptionsAndGoesOn)
{
    bool ran = false;
    platform::Dispatch([&] { ran = true; });
    EXPECT_TRUE(ran);

    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(platform::Dispatch([] { throw platform::NilObjectException("no picture"); }));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("no picture"), std::string::npos);

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
    TickingTimer failing([] { throw std::logic_error("broken invariant"); });
    EXPECT_THROW(platform::RuntimeRun(), std::logic_error);

    // The program is ending: no handler runs any more, yet a quit still
    // closes what is open.
    TickingTimer later([&] { ++laterTicks; });
    qtreach::Fire(later.timer);
    EXPECT_EQ(laterTicks, 0);
    platform::Quit(0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.IsClosed());
    EXPECT_EQ(CountOf(window.calls, "Close"), 0);
    EXPECT_EQ(platform::RuntimeExit(), 1);
}

// A logout's SIGTERM meets the missing-data message inside the clock's Open
// handler: the box goes at once, the handler finishes (it still reads the
// settings), and only then the windows close.
TEST_F(RuntimeTest, ASignalEndsAMessageBoxAndClosesWindowsAfterItsHandler)
{
    int argc = 1;
    char name[] = "platform_tests";
    char* argv[] = {name, nullptr};
    platform::RuntimeInit(argc, argv);
    ProbeWindow window;
    QElapsedTimer sinceSignal;
    qint64 boxWaitedAfterSignal = -1;
    window.onOpen = [&] {
        QTimer::singleShot(50, [&] {
            sinceSignal.start();
            std::raise(SIGTERM);
        });
        QTimer::singleShot(3000, [] { DismissMessageBoxes(); });  // nobody else would
        platform::MsgBox("データが正しく配置されていません");
        boxWaitedAfterSignal = sinceSignal.elapsed();
        window.calls.push_back("rest of Open");
    };
    window.Constructor();
    platform::RuntimeRun();
    EXPECT_LT(boxWaitedAfterSignal, 1000);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"Layout", "CreateControls", "AddMenuHandlers", "Open",
                                                      "rest of Open", "Close"}));
    EXPECT_EQ(platform::RuntimeExit(), 0);
}

// A quit while a handler waits in a modal window closes that window first;
// the others close once the handler has returned, never inside it.
TEST_F(RuntimeTest, QuitClosesTheModalWindowFirstAndTheRestAfterItsHandler)
{
    std::vector<std::string> order;
    ProbeWindow clock;
    clock.onClose = [&] { order.push_back("clock closed"); };
    clock.Constructor();
    ProbeWindow dialog("probeDialog.probeDialog");
    dialog.onLayout = [&] {
        constexpr auto modal = platform::BuildStream([] { return std::array{platform::Record::Int32("Frame", 1)}; });
        platform::SetProperties(dialog, modal);
    };
    dialog.onClose = [&] { order.push_back("dialog closed"); };
    dialog.Constructor();
    QTimer::singleShot(0, [&] {
        platform::Dispatch([&] {
            QTimer::singleShot(20, [] { platform::Quit(0); });
            dialog.ShowModal();
            order.push_back("menu handler returns");
        });
    });
    platform::RuntimeRun();
    EXPECT_EQ(order, (std::vector<std::string>{"dialog closed", "menu handler returns", "clock closed"}));
    EXPECT_EQ(platform::RuntimeExit(), 0);
}

TEST_F(RuntimeTest, MessageBoxHoldsHandlersBackUntilDismissed)
{
    int ticksWhileShown = 0;
    TickingTimer ticking([&] { ++ticksWhileShown; });
    int turns = 0;
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, &dismiss, [&] {
        if (++turns == 5)
            DismissMessageBoxes();
    });
    dismiss.start(0);
    platform::MsgBox("wait");
    EXPECT_GE(turns, 5);
    EXPECT_EQ(ticksWhileShown, 0);
}

}  // namespace
