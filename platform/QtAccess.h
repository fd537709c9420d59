#pragma once

// Inside the platform layer only: how its parts reach each other's Qt objects.

class QWidget;
class QImage;

namespace platform {

class Window;
class Picture;
class RectControl;

// The widget that a window's controls are placed in (its content area).
QWidget* ContentWidget(Window& window);

// The widget that shows a control.
QWidget* WidgetOf(const RectControl& control);

// The pixels of a picture.
QImage& ImageOf(Picture& picture);
const QImage& ImageOf(const Picture& picture);

}  // namespace platform
