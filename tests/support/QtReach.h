#pragma once

#include <cstdint>
#include <string>

#include <QRgb>

namespace platform {
class ImageWell;
class Picture;
class PopupMenu;
class PushButton;
class RectControl;
class Timer;
class Window;
}  // namespace platform

// What a user (or the clock) does, done to the Qt objects behind the
// platform layer's windows and controls.
namespace qtreach {

// Triggers the enabled command of that Name in the window's menu bar; false
// when the window shows no such command.
bool ChooseMenuItem(platform::Window& window, const std::string& name);

// A left-button press at a point of the window's picture area.
void PressMouse(platform::Window& window, std::int32_t x, std::int32_t y);
// A left-button press at a point of the well.
void PressMouse(platform::ImageWell& well, std::int32_t x, std::int32_t y);

// A click on the button: nothing when it is disabled.
void Push(platform::PushButton& button);

// The timer's wake-up, as its Qt timer gives it.
void Fire(platform::Timer& timer);

// What the user reads: the window's title, a label's text or a button's
// caption, and the number of rows a popup offers.
std::string Title(platform::Window& window);
std::string ShownText(const platform::RectControl& control);
int RowCount(const platform::PopupMenu& popup);

// 0xAARRGGBB of one pixel; 0 outside the picture.
QRgb Pixel(const platform::Picture& picture, std::int32_t x, std::int32_t y);

}  // namespace qtreach
