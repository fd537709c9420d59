#pragma once

#include <functional>

// Inside the platform layer only: how Qt's callbacks enter the program.
namespace platform {

// Every call from Qt into program code comes through here: the handler runs
// through Dispatch, and an exception that Dispatch lets through is kept for
// RuntimeRun instead of unwinding into Qt.
void CallFromToolkit(const std::function<void()>& handler);

// True while program handlers are held back because the loop yields or a
// message box waits.
bool HandlersPaused();

// True while a program handler runs.
bool InsideHandler();

// Runs fn from the event loop once handlers are no longer paused: at the next
// loop turn, or after the pause ends.
void RunWhenHandlersResume(std::function<void()> fn);

// Pauses program handlers for its lifetime.
class HandlerPause {
public:
    HandlerPause();
    ~HandlerPause();
    HandlerPause(const HandlerPause&) = delete;
    HandlerPause& operator=(const HandlerPause&) = delete;
};

// Posts fn to the event loop; it runs at a later loop turn.
void PostToEventLoop(std::function<void()> fn);

// Makes SIGTERM and SIGINT ask the program to quit.
void InstallQuitSignals();

}  // namespace platform
