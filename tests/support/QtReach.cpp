#include "tests/support/QtReach.h"

#include <QAction>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QMetaObject>
#include <QTest>
#include <QTimer>

#include "platform/Controls.h"
#include "platform/QtAccess.h"
#include "platform/Timer.h"
#include "platform/Window.h"

namespace qtreach {
namespace {

// QTest takes a null point for the widget's centre, so the corner is sent
// by hand.
void PressAt(QWidget* widget, std::int32_t x, std::int32_t y)
{
    const QPoint at(x, y);
    if (!at.isNull()) {
        QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, at);
        return;
    }
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

}  // namespace

bool ChooseMenuItem(platform::Window& window, const std::string& name)
{
    QWidget* area = platform::ContentWidget(window);
    auto* bar = area ? area->window()->findChild<QMenuBar*>() : nullptr;
    if (!bar)
        return false;
    for (QAction* action : bar->findChildren<QAction*>(QString::fromStdString(name))) {
        if (!action->menu() && action->isEnabled()) {
            action->trigger();
            return true;
        }
    }
    return false;
}

void PressMouse(platform::Window& window, std::int32_t x, std::int32_t y)
{
    if (QWidget* area = platform::ContentWidget(window))
        PressAt(area, x, y);
}

void PressMouse(platform::ImageWell& well, std::int32_t x, std::int32_t y) { PressAt(platform::WidgetOf(well), x, y); }

void Push(platform::PushButton& button) { QTest::mouseClick(platform::WidgetOf(button), Qt::LeftButton); }

void Fire(platform::Timer& timer) { QMetaObject::invokeMethod(&platform::QtTimerOf(timer), "timeout"); }

std::string Title(platform::Window& window)
{
    return platform::ContentWidget(window)->window()->windowTitle().toStdString();
}

// A button shows "&&" as "&".
std::string ShownText(const platform::RectControl& control)
{
    QWidget* widget = platform::WidgetOf(control);
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text().toStdString();
    auto* button = qobject_cast<QAbstractButton*>(widget);
    return button ? button->text().replace(QStringLiteral("&&"), QStringLiteral("&")).toStdString() : std::string();
}

int RowCount(const platform::PopupMenu& popup) { return qobject_cast<QComboBox*>(platform::WidgetOf(popup))->count(); }

QRgb Pixel(const platform::Picture& picture, std::int32_t x, std::int32_t y)
{
    const QImage& image = platform::ImageOf(picture);
    return image.valid(x, y) ? image.pixel(x, y) : 0;
}

}  // namespace qtreach
