#pragma once

#include <string>

// Inside the platform layer only: the runtime's lists of windows.
namespace platform {

class Window;

namespace windows {

// The open windows, oldest first: a window is open from the start of its
// construction until its Close handler has returned. ImplicitWindow finds
// the newest of a class.
void TrackOpen(Window& window);
void ForgetOpen(Window& window);
Window* FirstOpenWindow();

// A closed window that the runtime owns is deleted later: it may be closing
// from inside its own handler.
void Retire(Window& window);

// Deletes every window the runtime owns and empties the lists.
void ReleaseAll();

}  // namespace windows
}  // namespace platform
