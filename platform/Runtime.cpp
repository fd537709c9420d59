#include "platform/Runtime.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <memory>

#include <QApplication>
#include <QThread>

#include "platform/MediaBackend.h"
#include "platform/RuntimeInternal.h"
#include "platform/Window.h"
#include "platform/WindowRegistry.h"

namespace platform {
namespace {

struct RuntimeState {
    std::unique_ptr<QApplication> ownedApplication;
    std::vector<std::string> classes;
    ExceptionHelper helper;
    // The first exception that escaped a handler; it ends the program.
    std::exception_ptr fatal;
    bool unhandled = false;
    bool quitRequested = false;
    // The quit has closed the windows and told the loop to end.
    bool quitDone = false;
    std::int32_t quitCode = 0;
    // Tells a quit posted before a test reset from the current one.
    int quitGeneration = 0;
    int handlerDepth = 0;
    // Since when the event loop has been kept waiting: the start of the
    // running handler, or the last yield that let the loop run.
    std::chrono::steady_clock::time_point loopWaitingSince;
    int pauses = 0;
    std::vector<std::function<void()>> afterPause;
};

RuntimeState& State()
{
    static RuntimeState state;
    return state;
}

void Report(std::exception_ptr exception)
{
    try {
        std::rethrow_exception(exception);
    } catch (const std::exception& e) {
        std::cerr << "Unhandled exception: " << e.what() << '\n';
    } catch (...) {
        std::cerr << "Unhandled exception of unknown type\n";
    }
}

// QCoreApplication::exit with no loop running would make every later nested
// loop return at once, so it is only called while one runs.
void EndRunningLoops(int code)
{
    if (QCoreApplication::instance() && QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(code);
}

void KeepFatal(std::exception_ptr exception)
{
    RuntimeState& s = State();
    if (!s.fatal)
        s.fatal = exception;
    s.unhandled = true;
    EndRunningLoops(1);
}

void FinishQuit(int generation)
{
    RuntimeState& s = State();
    if (generation != s.quitGeneration)
        return;
    if (s.pauses > 0) {
        // Close handlers must run, and paused handlers are dropped.
        RunWhenHandlersResume([generation] { FinishQuit(generation); });
        return;
    }
    // Close itself, not a handler: it must run even when handlers are dropped.
    while (Window* window = windows::FirstOpenWindow()) {
        try {
            window->Close();
        } catch (...) {
            KeepFatal(std::current_exception());
        }
    }
    s.quitDone = true;
    EndRunningLoops(s.quitCode);
}

}  // namespace

void RuntimeInit(int& argc, char** argv)
{
    ChooseMediaBackend();
    RuntimeState& s = State();
    if (!QCoreApplication::instance())
        s.ownedApplication = std::make_unique<QApplication>(argc, argv);
    // The program decides when to end: closing its last window is not enough.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallQuitSignals();
}

void RegisterClass(const std::string& className)
{
    auto& classes = State().classes;
    if (std::find(classes.begin(), classes.end(), className) == classes.end())
        classes.push_back(className);
}

bool IsClassRegistered(const std::string& className)
{
    const auto& classes = State().classes;
    return std::find(classes.begin(), classes.end(), className) != classes.end();
}

const std::vector<std::string>& RegisteredClasses()
{
    return State().classes;
}

std::exception_ptr CallFunctionWithExceptionHandling(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (const RuntimeException&) {
        return std::current_exception();
    }
    return nullptr;
}

void RuntimeSetExceptionHelper(ExceptionHelper helper)
{
    State().helper = std::move(helper);
}

void Dispatch(const std::function<void()>& handler)
{
    RuntimeState& s = State();
    if (s.pauses > 0 || s.fatal)
        return;
    struct Depth {
        Depth()
        {
            if (State().handlerDepth++ == 0)
                State().loopWaitingSince = std::chrono::steady_clock::now();
        }
        ~Depth()
        {
            if (--State().handlerDepth == 0)
                windows::ScheduleRetiredDeletion();
        }
    } depth;
    std::exception_ptr raised = s.helper ? s.helper(handler) : CallFunctionWithExceptionHandling(handler);
    if (raised)
        Report(raised);
}

void CallFromToolkit(const std::function<void()>& handler)
{
    try {
        Dispatch(handler);
    } catch (...) {
        KeepFatal(std::current_exception());
    }
}

bool HandlersPaused()
{
    return State().pauses > 0;
}

bool InsideHandler()
{
    return State().handlerDepth > 0;
}

void RunWhenHandlersResume(std::function<void()> fn)
{
    RuntimeState& s = State();
    if (s.pauses > 0)
        s.afterPause.push_back(std::move(fn));
    else
        PostToEventLoop(std::move(fn));
}

HandlerPause::HandlerPause()
{
    ++State().pauses;
}

HandlerPause::~HandlerPause()
{
    RuntimeState& s = State();
    if (--s.pauses > 0)
        return;
    auto waiting = std::move(s.afterPause);
    s.afterPause.clear();
    for (auto& fn : waiting)
        PostToEventLoop(std::move(fn));
}

void PostToEventLoop(std::function<void()> fn)
{
    if (QCoreApplication* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, std::move(fn), Qt::QueuedConnection);
}

void RunFrameworkInitialization(const std::function<void()>& startup)
{
    startup();
}

void RuntimeRun()
{
    RuntimeState& s = State();
    if (!s.fatal && !s.quitDone && QCoreApplication::instance()) {
        QApplication::setQuitOnLastWindowClosed(false);
        QApplication::exec();
    }
    if (s.fatal)
        std::rethrow_exception(s.fatal);
}

void RuntimeUnhandledException(std::exception_ptr exception)
{
    State().unhandled = true;
    if (exception)
        Report(exception);
}

std::int32_t RuntimeExit()
{
    RuntimeState& s = State();
    const std::int32_t status = s.unhandled ? 1 : s.quitCode;
    if (s.ownedApplication) {
        // Widgets must go before the application object.
        windows::ReleaseAll();
        s.ownedApplication.reset();
    }
    return status;
}

void Quit(std::int32_t code)
{
    RuntimeState& s = State();
    if (s.quitRequested)
        return;
    s.quitRequested = true;
    s.quitCode = code;
    // Queued, so that a quit asked before the loop runs ends it once it does.
    PostToEventLoop([generation = s.quitGeneration] { FinishQuit(generation); });
}

bool QuitRequested()
{
    return State().quitRequested;
}

// A long loop yields on every pass. Letting the event loop run each time would
// cost more than the loop's own work, so a yield lets it run only once the
// loop has waited 10 ms: long work stays responsive, short work is not slowed.
void LoopYield()
{
    if (!QCoreApplication::instance())
        return;
    RuntimeState& s = State();
    const auto now = std::chrono::steady_clock::now();
    if (now - s.loopWaitingSince < std::chrono::milliseconds(10))
        return;
    s.loopWaitingSince = now;
    HandlerPause pause;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ReleaseModuleState()
{
    windows::ReleaseAll();
    State().classes.clear();
}

void ResetRuntimeForTesting()
{
    RuntimeState& s = State();
    s.fatal = nullptr;
    s.unhandled = false;
    s.quitRequested = false;
    s.quitDone = false;
    s.quitCode = 0;
    ++s.quitGeneration;
    s.afterPause.clear();
}

}  // namespace platform
