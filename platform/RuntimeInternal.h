#pragma once

#include <functional>

// Inside the platform layer only: how Qt's callbacks enter the program.
namespace platform {

// Every call from Qt into program code comes through here: the handler runs
// through Dispatch, and an exception that Dispatch lets through is kept for
// RuntimeRun instead of unwinding into Qt.
void CallFromToolkit(const std::function<void()>& handler);

// Program handlers are dropped while one lives: a message box waits in its
// own loop in the middle of the handler that shows it.
class MessageBoxWait {
public:
    MessageBoxWait();
    ~MessageBoxWait();
    MessageBoxWait(const MessageBoxWait&) = delete;
    MessageBoxWait& operator=(const MessageBoxWait&) = delete;
};

// Makes SIGTERM and SIGINT ask the program to quit.
void InstallQuitSignals();

}  // namespace platform
