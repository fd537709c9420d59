#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>

#include <gtest/gtest.h>

#include "platform/Runtime.h"
#include "tests/platform/RuntimeTestSupport.h"

namespace {

using testsupport::CountOf;
using testsupport::ProbeWindow;

class QuitSignalTest : public testsupport::RuntimeFixture, public testing::WithParamInterface<int> {};

// A hangup (a closed terminal, a logout) and Ctrl+C in a terminal quit as
// SIGTERM does, and the test's application object stays.
TEST_P(QuitSignalTest, QuitsLikeQuitZero)
{
    int argc = 1;
    char name[] = "platform_tests";
    char* argv[] = {name, nullptr};
    platform::RuntimeInit(argc, argv);  // keeps the test's application object
    ProbeWindow window;
    window.Constructor();
    std::raise(GetParam());
    platform::RuntimeRun();
    EXPECT_TRUE(platform::QuitRequested());
    EXPECT_EQ(CountOf(window.calls, "Close"), 1);
    EXPECT_EQ(platform::RuntimeExit(), 0);
    EXPECT_EQ(QCoreApplication::instance(), qApp);
}

INSTANTIATE_TEST_SUITE_P(Signals, QuitSignalTest, testing::Values(SIGHUP, SIGINT, SIGTERM));

// Every descriptor the limit allows is taken, so the next one fails.
void UseUpDescriptors()
{
    int highest = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        highest = std::max(highest, std::stoi(entry.path().filename().string()));
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(highest) + 1;
    ::setrlimit(RLIMIT_NOFILE, &limit);
    while (::dup(STDIN_FILENO) >= 0) {
    }
}

// Starts the runtime twice with no descriptor left for the signals' socket
// pair; ends with the number of times stderr said so.
[[noreturn]] void StartTwiceWithNoDescriptorLeft()
{
    int said[2];
    if (::pipe(said) != 0 || ::dup2(said[1], STDERR_FILENO) < 0)
        std::_Exit(100);
    ::close(said[1]);
    UseUpDescriptors();
    int argc = 1;
    char name[] = "platform_tests";
    char* argv[] = {name, nullptr};
    platform::RuntimeInit(argc, argv);
    platform::RuntimeInit(argc, argv);
    ::close(STDERR_FILENO);
    std::string text;
    char buffer[256];
    for (ssize_t got; (got = ::read(said[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    int times = 0;
    for (auto at = text.find("quit signals"); at != std::string::npos; at = text.find("quit signals", at + 1))
        ++times;
    std::_Exit(times);
}

TEST(QuitSignalsDeathTest, AFailedInstallationIsSaidOnce)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(StartTwiceWithNoDescriptorLeft(), testing::ExitedWithCode(1), "");
}

}  // namespace
