#pragma once

#include <functional>
#include <memory>
#include <string>

// Inside the platform layer only: how its parts reach each other's Qt objects.
struct stat;

class QImage;
class QIODevice;
class QMenuBar;
class QSize;
class QTimer;
class QWidget;

namespace platform {

class MenuItem;
class Picture;
class RectControl;
class Timer;
class Window;

// Every call from Qt into program code comes through here: the handler runs
// through Dispatch, and an exception that Dispatch lets through is kept for
// RuntimeRun instead of unwinding into Qt.
void CallFromToolkit(const std::function<void()>& handler);
// The process is ending under the event loop: no widget may be touched.
bool ToolkitGone();
// The oldest open window; nullptr when none is open.
Window* FirstOpenWindow();

// The Qt objects behind a window's picture area, a control, a timer, a picture.
QWidget* ContentWidget(Window& window);
QWidget* WidgetOf(const RectControl& control);
QTimer& QtTimerOf(Timer& timer);
QImage& ImageOf(Picture& picture);
const QImage& ImageOf(const Picture& picture);

// Marks the push button that Escape presses in a dialog.
inline constexpr const char* kCancelButtonProperty = "platformCancelButton";

// The picture in an open file, shrunk to fit limit with its aspect ratio
// kept; null when it is no picture.
std::shared_ptr<Picture> ReadPicture(QIODevice& file, QSize limit);

// A read-only descriptor on the file, or -1 when it is no regular file (a
// named pipe or a device counts as missing, so nothing can block).
int OpenRegularFile(const std::string& path, struct stat& status);

// Told the Name of each item the user chooses, and whether it is the quit item.
using MenuChoice = std::function<void(const std::string& name, bool quits)>;
// The children of root become the bar's menus.
QMenuBar* BuildQtMenuBar(const MenuItem& root, QWidget* parent, const MenuChoice& onChosen);

}  // namespace platform
