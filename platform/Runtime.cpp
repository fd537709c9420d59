#include "platform/Runtime.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QThread>

#include "platform/QtAccess.h"
#include "platform/Window.h"

namespace platform {
namespace {

struct RuntimeState {
    // Deleted by RuntimeExit; a process that exit() ends under the loop keeps it.
    QApplication* ownedApplication = nullptr;
    // The first exception that escaped a handler; it ends the program.
    std::exception_ptr fatal;
    bool unhandled = false;
    bool quitRequested = false;
    // A quit met a running handler and finishes once it returns.
    bool quitWaiting = false;
    // The windows are closed and the loop told to end.
    bool quitDone = false;
    std::int32_t quitCode = 0;
    int handlerDepth = 0;
    bool running = false;
    bool toolkitGone = false;
    std::function<void(const std::string&)> msgBoxHandler;
} state;

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
    if (!state.fatal)
        state.fatal = exception;
    state.unhandled = true;
    EndRunningLoops(1);
}

void FinishQuit();

// Close itself, not a handler: it must run even after a fatal exception.
void CloseOpenWindows()
{
    while (Window* window = FirstOpenWindow()) {
        try {
            window->Close();
        } catch (...) {
            KeepFatal(std::current_exception());
        }
    }
}

// Qt's X plugin calls exit() from inside the event loop when the display
// goes away. The Close handlers still save; the widgets are left alone.
void CloseWindowsAtExit()
{
    if (!state.running)
        return;
    state.running = false;
    state.toolkitGone = true;
    state.quitRequested = true;  // a Close handler's Quit has nothing to add
    CloseOpenWindows();
}

void PostFinishQuit()
{
    if (QCoreApplication* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, FinishQuit, Qt::QueuedConnection);
}

// Windows close only once no handler runs: the clock's opening may still be
// reading the settings that its Close handler writes. A handler waiting in a
// message box or a modal window is made to return by closing that.
void FinishQuit()
{
    if (!state.quitRequested || state.quitDone)
        return;
    if (state.handlerDepth > 0) {
        state.quitWaiting = true;
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        return;
    }
    CloseOpenWindows();
    state.quitDone = true;
    EndRunningLoops(state.quitCode);
}

struct HandlerDepth {
    HandlerDepth() { ++state.handlerDepth; }
    ~HandlerDepth()
    {
        if (--state.handlerDepth == 0 && state.quitWaiting) {
            state.quitWaiting = false;
            PostFinishQuit();
        }
    }
};

// A signal handler may only write to a descriptor; the loop reads the other end.
int signalPipe[2] = {-1, -1};

void OnQuitSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

void SayQuitSignalsFailed(const char* step)
{
    std::cerr << "talking-clock: quit signals will end the program without saving: " << step << ": "
              << std::strerror(errno) << '\n';
}

bool InstallQuitSignals(QCoreApplication& application)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        SayQuitSignalsFailed("socketpair");
        return false;
    }
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, [] {
        char buffer[64];
        while (::read(signalPipe[1], buffer, sizeof buffer) > 0) {
        }
        Quit(0);
    });
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    bool installed = true;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        installed = ::sigaction(signal, &action, nullptr) == 0 && installed;
    if (!installed)
        SayQuitSignalsFailed("sigaction");
    return installed;
}

}  // namespace

void RuntimeInit(int& argc, char** argv)
{
    if (!QCoreApplication::instance())
        state.ownedApplication = new QApplication(argc, argv);
    // The program decides when to end: closing its last window is not enough.
    QApplication::setQuitOnLastWindowClosed(false);
    // Tried once, so a failure is said once.
    [[maybe_unused]] static const bool quitSignals = InstallQuitSignals(*QCoreApplication::instance());
    // A write past the file-size limit then fails as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    [[maybe_unused]] static const int closesAtExit = std::atexit(CloseWindowsAtExit);
}

// A message box waits in its own loop inside the handler that shows it; the
// other handlers (the timer above all) wait for its end.
void Dispatch(const std::function<void()>& handler)
{
    if (state.fatal || qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
        return;
    HandlerDepth depth;
    try {
        handler();
    } catch (const RuntimeException&) {
        Report(std::current_exception());
    }
}

void MsgBox(const std::string& text)
{
    if (state.msgBoxHandler) {
        state.msgBoxHandler(text);
        return;
    }
    QMessageBox box;
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    box.exec();
}

void SetMsgBoxHandlerForTesting(std::function<void(const std::string&)> handler)
{
    state.msgBoxHandler = std::move(handler);
}

void CallFromToolkit(const std::function<void()>& handler)
{
    try {
        Dispatch(handler);
    } catch (...) {
        KeepFatal(std::current_exception());
    }
}

void RuntimeRun()
{
    if (!state.fatal && !state.quitDone && QCoreApplication::instance()) {
        state.running = true;
        QApplication::exec();
        state.running = false;
    }
    if (state.fatal)
        std::rethrow_exception(state.fatal);
}

void RuntimeUnhandledException(std::exception_ptr exception)
{
    state.unhandled = true;
    if (exception)
        Report(exception);
}

std::int32_t RuntimeExit()
{
    const std::int32_t status = state.unhandled ? 1 : state.quitCode;
    if (state.ownedApplication) {
        // Widgets must go before the application object.
        ReleaseModuleState();
        delete state.ownedApplication;
        state.ownedApplication = nullptr;
    }
    return status;
}

void Quit(std::int32_t code)
{
    if (state.quitRequested)
        return;
    state.quitRequested = true;
    state.quitCode = code;
    // Queued, so that a quit asked before the loop runs ends it once it does.
    PostFinishQuit();
}

bool QuitRequested() { return state.quitRequested; }
bool ToolkitGone() { return state.toolkitGone; }

void ResetRuntimeForTesting()
{
    state.fatal = nullptr;
    state.unhandled = state.quitRequested = state.quitWaiting = state.quitDone = false;
    state.quitCode = 0;
}

}  // namespace platform
