#pragma once

#include <functional>

namespace platform {

// Every call from Qt into program code comes through here: the handler runs
// through Dispatch, and an exception that Dispatch lets through is kept for
// RuntimeRun instead of unwinding into Qt.
void CallFromToolkit(const std::function<void()>& handler);

}  // namespace platform
