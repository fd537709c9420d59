#include <algorithm>

#include <QMenuBar>
#include <QPalette>

#include "platform/WindowImpl.h"

namespace platform {
namespace {

int WidgetSize(std::int32_t value)
{
    return std::clamp<std::int32_t>(value, 0, QWIDGETSIZE_MAX);
}

// A table entry for a property kept in the window's state.
template <class V, class Apply>
PropertyDef Stored(PropertyType type, V Window::Impl::*member, Apply apply)
{
    return {type, [member, apply](Object& o, const PropertyValue& v) {
                Window::Impl& d = static_cast<Window&>(o).impl();
                d.*member = std::get<V>(v);
                apply(d);
            }};
}

template <class V>
PropertyDef Kept(PropertyType type, V Window::Impl::*member)
{
    return Stored(type, member, [](Window::Impl&) {});
}

}  // namespace

const PropertyTable& Window::Properties() const
{
    using I = Window::Impl;
    constexpr auto Int32 = PropertyType::Int32;
    constexpr auto Boolean = PropertyType::Boolean;
    static const PropertyTable table{
        {"Placement", Kept(Int32, &I::placement)},
        {"Width", Setter(Int32, &Window::SetWidth)},
        {"Height", Setter(Int32, &Window::SetHeight)},
        {"MinWidth", Setter(Int32, &Window::SetMinWidth)},
        {"MinHeight", Setter(Int32, &Window::SetMinHeight)},
        {"MaxWidth", Setter(Int32, &Window::SetMaxWidth)},
        {"MaxHeight", Setter(Int32, &Window::SetMaxHeight)},
        {"Frame", Kept(Int32, &I::frame)},
        {"Composite", Kept(Boolean, &I::composite)},
        {"HasBackColor", Stored(Boolean, &I::hasBackColor, [](I& d) { d.PushBackColor(); })},
        {"BackColor", Stored(PropertyType::Color, &I::backColor, [](I& d) { d.PushBackColor(); })},
        {"Title", Setter(PropertyType::String, &Window::SetTitle)},
        {"Visible", Stored(Boolean, &I::visible, [](I& d) { d.PushVisible(); })},
        {"FullScreen", Kept(Boolean, &I::fullScreen)},
        {"MenuBarVisible", Stored(Boolean, &I::menuBarVisible, [](I& d) { d.PushMenuBarVisibility(); })},
        {"CloseButton", Stored(Boolean, &I::closeButton, [](I& d) { d.PushFlags(); })},
        {"Resizeable", Stored(Boolean, &I::resizeable, [](I& d) { d.PushGeometry(); d.PushFlags(); })},
        {"LiveResize", Kept(Boolean, &I::liveResize)},
        {"MaximizeButton", Stored(Boolean, &I::maximizeButton, [](I& d) { d.PushFlags(); })},
        {"MinimizeButton", Stored(Boolean, &I::minimizeButton, [](I& d) { d.PushFlags(); })},
        {"MacProcID", Kept(Int32, &I::macProcId)},
    };
    return table;
}

void Window::Impl::PushGeometry()
{
    if (!resizeable) {
        widget->setFixedSize(WidgetSize(width), WidgetSize(height));
        return;
    }
    widget->setMinimumSize(WidgetSize(minWidth), WidgetSize(minHeight));
    widget->setMaximumSize(WidgetSize(maxWidth), WidgetSize(maxHeight));
    widget->resize(WidgetSize(width), WidgetSize(height));
}

void Window::Impl::PushFlags()
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closeButton)
        flags |= Qt::WindowCloseButtonHint;
    if (minimizeButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (maximizeButton && resizeable)
        flags |= Qt::WindowMaximizeButtonHint;
    if (flags == widget->windowFlags())
        return;
    const bool shown = widget->isVisible();
    widget->setWindowFlags(flags);  // hides the widget
    if (shown)
        widget->show();
}

void Window::Impl::PushBackColor()
{
    widget->setAutoFillBackground(hasBackColor);
    QPalette palette;
    if (hasBackColor)
        palette.setColor(QPalette::Window, QColor(backColor.red, backColor.green, backColor.blue));
    widget->setPalette(palette);
}

void Window::Impl::PushMenuBarVisibility()
{
    if (qtMenuBar)
        qtMenuBar->setVisible(menuBarVisible);
}

// Until it is built, the window only records whether it will be shown.
void Window::Impl::PushVisible()
{
    if (built && !closed)
        widget->setVisible(visible);
}

std::int32_t Window::Width() const { return impl_->width; }
std::int32_t Window::Height() const { return impl_->height; }
std::int32_t Window::MinWidth() const { return impl_->minWidth; }
std::int32_t Window::MinHeight() const { return impl_->minHeight; }
std::int32_t Window::MaxWidth() const { return impl_->maxWidth; }
std::int32_t Window::MaxHeight() const { return impl_->maxHeight; }

void Window::SetWidth(std::int32_t width)
{
    if (width == impl_->width)
        return;
    impl_->width = width;
    impl_->PushGeometry();
    if (impl_->laidOut && !impl_->closed)
        Dispatch([this] { WindowEvents::Resized(*this); });
}

void Window::SetHeight(std::int32_t height)
{
    if (height == impl_->height)
        return;
    impl_->height = height;
    impl_->PushGeometry();
    if (impl_->laidOut && !impl_->closed)
        Dispatch([this] { WindowEvents::Resized(*this); });
}

void Window::SetMinWidth(std::int32_t value)
{
    impl_->minWidth = value;
    impl_->PushGeometry();
}

void Window::SetMinHeight(std::int32_t value)
{
    impl_->minHeight = value;
    impl_->PushGeometry();
}

void Window::SetMaxWidth(std::int32_t value)
{
    impl_->maxWidth = value;
    impl_->PushGeometry();
}

void Window::SetMaxHeight(std::int32_t value)
{
    impl_->maxHeight = value;
    impl_->PushGeometry();
}

std::string Window::Title() const
{
    return impl_->title;
}

void Window::SetTitle(const std::string& title)
{
    impl_->title = title;
    impl_->widget->setWindowTitle(QString::fromStdString(title));
}

PicturePtr Window::Backdrop() const
{
    return impl_->backdrop;
}

void Window::SetBackdrop(PicturePtr picture)
{
    impl_->backdrop = std::move(picture);
    impl_->widget->update();
}

bool Window::Resizeable() const { return impl_->resizeable; }
bool Window::CloseButton() const { return impl_->closeButton; }
bool Window::Visible() const { return impl_->visible; }

}  // namespace platform
