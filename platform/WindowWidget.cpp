#include "platform/WindowWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/Picture.h"
#include "platform/QtAccess.h"
#include "platform/RuntimeInternal.h"
#include "platform/WindowImpl.h"

namespace platform {

WindowWidget::WindowWidget(Window& window) : window_(window)
{
}

void WindowWidget::SetMenuBarWidget(QMenuBar* menuBar)
{
    menuBar_ = menuBar;
    PlaceMenuBar();
}

void WindowWidget::PressAt(QPoint point)
{
    if (childAt(point))
        return;  // the press belongs to the menu bar or a control
    const QPointF local(point);
    QMouseEvent press(QEvent::MouseButtonPress, local, mapToGlobal(local), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(this, &press);
}

void WindowWidget::paintEvent(QPaintEvent*)
{
    const PicturePtr backdrop = window_.Backdrop();
    if (!backdrop)
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), ImageOf(*backdrop));
}

void WindowWidget::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    const QPoint point = event->position().toPoint();
    if (childAt(point))
        return;  // passed up by a child that ignores presses
    CallFromToolkit([&] { WindowEvents::MouseDown(window_, point.x(), point.y()); });
}

void WindowWidget::closeEvent(QCloseEvent* event)
{
    if (window_.IsClosed()) {
        event->accept();
        return;
    }
    CallFromToolkit([this] { window_.Close(); });
    event->accept();
}

void WindowWidget::resizeEvent(QResizeEvent*)
{
    PlaceMenuBar();
}

void WindowWidget::PlaceMenuBar()
{
    if (!menuBar_)
        return;
    menuBar_->setGeometry(0, 0, width(), menuBar_->sizeHint().height());
    menuBar_->raise();
}

}  // namespace platform
