#include "platform/Runtime.h"

#include <iostream>
#include <memory>

#include <QApplication>
#include <QThread>
#include <QWidget>

#include "platform/FirstPaintReport.h"
#include "platform/RuntimeInternal.h"
#include "platform/Window.h"
#include "platform/WindowRegistry.h"

namespace platform {
namespace {

struct RuntimeState {
    std::unique_ptr<QApplication> ownedApplication;
    // The first exception that escaped a handler; it ends the program.
    std::exception_ptr fatal;
    bool unhandled = false;
    bool quitRequested = false;
    // A quit met a running handler and finishes once it returns.
    bool quitWaiting = false;
    // The quit has closed the windows and told the loop to end.
    bool quitDone = false;
    std::int32_t quitCode = 0;
    // Tells a quit posted before a test reset from the current one.
    int quitGeneration = 0;
    int handlerDepth = 0;
    int messageBoxes = 0;
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

void PostToEventLoop(std::function<void()> fn)
{
    if (QCoreApplication* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, std::move(fn), Qt::QueuedConnection);
}

void FinishQuit(int generation);

void PostFinishQuit()
{
    PostToEventLoop([generation = State().quitGeneration] { FinishQuit(generation); });
}

// Windows close only once no handler runs: a Close handler must not run in
// the middle of another (the clock's opening may still be reading the
// settings that its Close handler writes). A handler that waits in a message
// box or a modal window is made to return by closing that.
void FinishQuit(int generation)
{
    RuntimeState& s = State();
    if (generation != s.quitGeneration || s.quitDone)
        return;
    if (s.handlerDepth > 0) {
        s.quitWaiting = true;
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        return;
    }
    // Close itself, not a handler: it must run even after a fatal exception.
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

class HandlerDepth {
public:
    HandlerDepth() { ++State().handlerDepth; }
    ~HandlerDepth()
    {
        RuntimeState& s = State();
        if (--s.handlerDepth > 0)
            return;
        if (s.quitWaiting) {
            s.quitWaiting = false;
            PostFinishQuit();
        }
    }
    HandlerDepth(const HandlerDepth&) = delete;
    HandlerDepth& operator=(const HandlerDepth&) = delete;
};

}  // namespace

void RuntimeInit(int& argc, char** argv)
{
    RuntimeState& s = State();
    if (!QCoreApplication::instance())
        s.ownedApplication = std::make_unique<QApplication>(argc, argv);
    ReportFirstPaintWhenAsked();
    // The program decides when to end: closing its last window is not enough.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallQuitSignals();
}

void Dispatch(const std::function<void()>& handler)
{
    RuntimeState& s = State();
    if (s.messageBoxes > 0 || s.fatal)
        return;
    HandlerDepth depth;
    try {
        handler();
    } catch (const RuntimeException&) {
        Report(std::current_exception());
    }
}

void CallFromToolkit(const std::function<void()>& handler)
{
    try {
        Dispatch(handler);
    } catch (...) {
        KeepFatal(std::current_exception());
    }
}

MessageBoxWait::MessageBoxWait()
{
    ++State().messageBoxes;
}

MessageBoxWait::~MessageBoxWait()
{
    --State().messageBoxes;
}

void RuntimeRun()
{
    RuntimeState& s = State();
    if (!s.fatal && !s.quitDone && QCoreApplication::instance())
        QApplication::exec();
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
    PostFinishQuit();
}

bool QuitRequested()
{
    return State().quitRequested;
}

void ReleaseModuleState()
{
    windows::ReleaseAll();
}

void ResetRuntimeForTesting()
{
    RuntimeState& s = State();
    s.fatal = nullptr;
    s.unhandled = false;
    s.quitRequested = false;
    s.quitWaiting = false;
    s.quitDone = false;
    s.quitCode = 0;
    ++s.quitGeneration;
}

}  // namespace platform
