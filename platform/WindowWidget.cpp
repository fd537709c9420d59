#include "platform/WindowWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "platform/Picture.h"
#include "platform/QtAccess.h"
#include "platform/RuntimeInternal.h"
#include "platform/WindowImpl.h"

namespace platform {

PictureArea::PictureArea(Window& window) : window_(window) {}

void PictureArea::PressAt(QPoint point)
{
    if (childAt(point))
        return;  // the press belongs to a control
    const QPointF at(point);
    QMouseEvent press(QEvent::MouseButtonPress, at, mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(this, &press);
}

void PictureArea::paintEvent(QPaintEvent*)
{
    if (const PicturePtr backdrop = window_.Backdrop())
        QPainter(this).drawImage(QPoint(0, 0), ImageOf(*backdrop));
}

void PictureArea::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    const QPoint point = event->position().toPoint();
    if (childAt(point))
        return;  // passed up by a control that ignores presses
    CallFromToolkit([&] { WindowEvents::MouseDown(window_, point.x(), point.y()); });
}

namespace {

// A close request (the close box, a quit) goes through the window's Close,
// which runs its handler and hides the widget.
void RequestClose(Window& window, QCloseEvent* event)
{
    event->ignore();
    if (!window.IsClosed())
        CallFromToolkit([&] { window.Close(); });
}

}  // namespace

MainWindowWidget::MainWindowWidget(Window& window) : window_(window) {}

void MainWindowWidget::closeEvent(QCloseEvent* event) { RequestClose(window_, event); }

DialogWidget::DialogWidget(Window& window, QWidget* parent) : QDialog(parent), window_(window) {}

void DialogWidget::reject()
{
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button->property(kCancelButtonProperty).toBool() && button->isVisible()) {
            if (button->isEnabled())
                button->click();
            return;
        }
    }
}

void DialogWidget::closeEvent(QCloseEvent* event) { RequestClose(window_, event); }

}  // namespace platform
