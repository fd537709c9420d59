#pragma once

#include <functional>
#include <memory>
#include <string>

// Inside the platform layer only: how its parts reach each other's Qt objects.

class QImage;
class QIODevice;
class QMenuBar;
class QSize;
class QString;
class QTimer;
class QWidget;

namespace platform {

class MenuItem;
class Picture;
class RectControl;
class Timer;
class Window;

// The widget that a window's controls are placed in (its content area).
QWidget* ContentWidget(Window& window);

// The widget that shows a control.
QWidget* WidgetOf(const RectControl& control);

// The Qt timer that wakes a Timer.
QTimer& QtTimerOf(Timer& timer);

// Marks the push button that Escape presses in a dialog.
inline constexpr const char* kCancelButtonProperty = "platformCancelButton";

// The pixels of a picture.
QImage& ImageOf(Picture& picture);
const QImage& ImageOf(const Picture& picture);

// The picture in an open file, shrunk to fit limit with its aspect ratio
// kept; null when it is no picture.
std::shared_ptr<Picture> ReadPicture(QIODevice& file, QSize limit);

// Told the Name of each item the user chooses, and whether it is the quit item.
using MenuChoice = std::function<void(const std::string& name, bool quits)>;
// The children of root become the bar's menus.
QMenuBar* BuildQtMenuBar(const MenuItem& root, QWidget* parent, const MenuChoice& onChosen);

}  // namespace platform
