#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

// The runtime's life cycle: start, the event loop, quitting and the exit status.
namespace platform {

class MenuBar;

// Raised by a handler, one of these is reported on stderr and the loop goes
// on; any other exception ends the loop and is raised again from RuntimeRun.
struct RuntimeException : std::runtime_error {
    using std::runtime_error::runtime_error;
};
struct NilObjectException : RuntimeException {
    using RuntimeException::RuntimeException;
};
struct IllegalCastException : RuntimeException {
    using RuntimeException::RuntimeException;
};

// Makes the Qt application object unless a test has. SIGTERM, SIGINT and
// SIGHUP then quit as Quit(0) does; a write past the file-size limit fails
// instead of ending the program; should the process end under the event loop
// (the display went away), the open windows still close.
void RuntimeInit(int& argc, char** argv);

// Runs a program handler: a RuntimeException is reported and swallowed; any
// other reaches the caller. A handler arriving while a message box waits, or
// once an exception has ended the program, is dropped.
void Dispatch(const std::function<void()>& handler);

// Runs the event loop until the program quits; raises again an exception
// that a handler let escape.
void RuntimeRun();
// Reports an exception that nothing caught on stderr.
void RuntimeUnhandledException(std::exception_ptr exception);
// Ends the runtime; returns the quit code, or 1 after an unhandled exception.
std::int32_t RuntimeExit();

// Asks for the end and returns at once. A message box or modal window that a
// handler waits in closes first; once no handler runs, every open window
// closes and the event loop ends.
void Quit(std::int32_t code = 0);
bool QuitRequested();

// Shows the text in a modal message box and returns once it is dismissed.
// The program's handlers wait meanwhile; a quit closes the box.
void MsgBox(const std::string& text);
// Test seam: while set, MsgBox hands its text here instead of showing a box.
void SetMsgBoxHandlerForTesting(std::function<void(const std::string&)> handler);

// Ends each pass of the program's loops, which are too short to wait on.
inline void LoopYield() {}

// Deletes the windows the runtime still holds, newest first.
void ReleaseModuleState();

// Test seam: forget a quit request and unhandled exceptions between tests.
void ResetRuntimeForTesting();

// The application object. The runtime holds the one registered instance.
class Application {
public:
    virtual ~Application() = default;
    std::shared_ptr<platform::MenuBar> MenuBar() const { return menuBar_; }
    void SetMenuBar(std::shared_ptr<platform::MenuBar> menuBar) { menuBar_ = std::move(menuBar); }

private:
    std::shared_ptr<platform::MenuBar> menuBar_;
};

inline std::unique_ptr<Application> registeredApp;

// The runtime keeps the object from now on.
inline void RuntimeRegisterAppObject(std::unique_ptr<Application> app) { registeredApp = std::move(app); }
// The registered object; nullptr before registration and after release.
inline Application* RegisteredAppObject() { return registeredApp.get(); }
inline void ReleaseAppObject() { registeredApp.reset(); }

}  // namespace platform
