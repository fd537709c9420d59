#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// The runtime's life cycle: initialisation, class registration, the
// exception routine that guards every call from the event loop into the
// program, the event loop, quitting and the exit status.
namespace platform {

// The runtime's own exceptions. A handler that raises one has it reported on
// stderr and the event loop goes on; any other exception ends the event loop
// and is raised again from RuntimeRun.
class RuntimeException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class NilObjectException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};
class IllegalCastException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};
class IOException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

// Makes the Qt application object unless one exists already (a test may
// have made it).
void RuntimeInit(int& argc, char** argv);

// Class registration by class name, in order. A window can only be made of
// a registered class.
void RegisterClass(const std::string& className);
bool IsClassRegistered(const std::string& className);
const std::vector<std::string>& RegisteredClasses();

// Runs fn; returns nothing when it completes, the runtime exception when one
// escaped it, and raises any other exception again.
std::exception_ptr CallFunctionWithExceptionHandling(const std::function<void()>& fn);

// The routine through which the runtime calls every program handler.
using ExceptionHelper = std::function<std::exception_ptr(const std::function<void()>&)>;
void RuntimeSetExceptionHelper(ExceptionHelper helper);

// Runs a program handler through the exception routine: a runtime exception
// is reported and swallowed; any other ends the event loop (see RuntimeRun).
// A handler that arrives while the loop yields is dropped, never re-entered.
void Dispatch(const std::function<void()>& handler);

void RunFrameworkInitialization(const std::function<void()>& startup);

// Runs the event loop until the program quits. Raises again an exception
// that a handler let escape and the exception routine did not take.
void RuntimeRun();

// Reports an exception that nothing caught on stderr.
void RuntimeUnhandledException(std::exception_ptr exception);

// Ends the runtime; the result is the exit status: the quit code, or 1 when an
// exception went unhandled.
std::int32_t RuntimeExit();

// Asks for the end of the program and returns at once. Every open window is
// then closed (its Close handler runs) and the event loop ends. SIGTERM and
// SIGINT do the same.
void Quit(std::int32_t code = 0);
bool QuitRequested();

// Lets the toolkit paint and play; never runs a program handler.
void LoopYield();

// Releases the runtime's module state: the window lists and the registry of
// single-instance windows.
void ReleaseModuleState();

// Test seam: forget a quit request and unhandled exceptions between tests.
void ResetRuntimeForTesting();

}  // namespace platform
