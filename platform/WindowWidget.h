#pragma once

#include <QMenuBar>
#include <QPointer>
#include <QWidget>

namespace platform {

class Window;

// The top-level widget of a Window: its size is the window's content size,
// the backdrop is painted from its top left corner and the menu bar lies over
// its top edge.
class WindowWidget : public QWidget {
public:
    explicit WindowWidget(Window& window);

    void SetMenuBarWidget(QMenuBar* menuBar);
    // A press at a point of the window that no child widget covers.
    void PressAt(QPoint point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceMenuBar();

    Window& window_;
    QPointer<QMenuBar> menuBar_;
};

}  // namespace platform
