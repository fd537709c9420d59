#pragma once

#include <QDialog>
#include <QMainWindow>
#include <QWidget>

// Inside the platform layer only: the Qt widgets behind a Window.
namespace platform {

class Window;

// The window's picture area, exactly Width x Height: the backdrop is painted
// from its top left corner, the controls sit in it, and a press on no control
// is the window's MouseDown.
class PictureArea : public QWidget {
public:
    explicit PictureArea(Window& window);
    // A press at a point of the area that no control covers.
    void PressAt(QPoint point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Window& window_;
};

// A window with its menu bar above the picture area.
class MainWindowWidget : public QMainWindow {
public:
    explicit MainWindowWidget(Window& window);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Window& window_;
};

// A modal window, transient for its parent. QDialog's own key handling gives
// Return and Enter to the default button and Escape to reject(), only while
// no list is open.
class DialogWidget : public QDialog {
public:
    DialogWidget(Window& window, QWidget* parent);
    // Presses the cancel button; a dialog without one stays open.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Window& window_;
};

// Marks the push button that Escape presses.
inline constexpr const char* kCancelButtonProperty = "platformCancelButton";

}  // namespace platform
