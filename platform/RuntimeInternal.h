#pragma once

#include <functional>

namespace platform {

// Every call from Qt into program code comes through here: the handler runs
// through Dispatch, and an exception that Dispatch lets through is kept for
// RuntimeRun instead of unwinding into Qt.
void CallFromToolkit(const std::function<void()>& handler);

// The process is ending under the event loop (the display went away): the
// windows close without a widget being touched.
bool ToolkitGone();

}  // namespace platform
