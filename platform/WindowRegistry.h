#pragma once

#include <string>

// Inside the platform layer only: the runtime's lists of windows.
namespace platform {

class Window;

namespace windows {

// The single-instance registry: one window per class name.
void RegisterImplicit(Window& window);
void ForgetImplicit(Window& window);

// Windows that are open, oldest first.
void TrackOpen(Window& window);
void ForgetOpen(Window& window);
Window* FirstOpenWindow();

// A closed window that the runtime owns is deleted later, once no handler
// runs and no modal loop waits: it may be closing from inside its own handler.
void Retire(Window& window);
void ScheduleRetiredDeletion();

// Deletes every window the runtime owns and empties the lists.
void ReleaseAll();

// Marks a modal loop; retired windows wait until it ends.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

}  // namespace windows
}  // namespace platform
