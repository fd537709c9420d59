#pragma once

// Inside the platform layer only: the runtime's list of open windows.
namespace platform {

class Window;

namespace windows {

// A window is open from the start of its construction until its Close
// handler has returned; the list keeps the oldest first.
void TrackOpen(Window& window);
// Takes the window off the list. One that the runtime owns is deleted once
// control is back in the event loop the close came from: it may be closing
// from inside its own handler.
void ForgetOpen(Window& window);
Window* FirstOpenWindow();

// Deletes every window the runtime owns, newest first, and empties the list.
void ReleaseAll();

}  // namespace windows
}  // namespace platform
