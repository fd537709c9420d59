#include "platform/WindowImpl.h"

namespace platform {
namespace {

// A property that the window only keeps until it builds its widgets.
template <class V>
PropertyDef Kept(PropertyType type, V Window::Impl::*member)
{
    return {type, [member](Object& o, const PropertyValue& v) { static_cast<Window&>(o).impl().*member = std::get<V>(v); }};
}

}  // namespace

// Both windows are fixed in size, placed by Qt, without colour, maximise or
// minimise button: the properties for those are read and ignored.
const PropertyTable& Window::Properties() const
{
    using I = Window::Impl;
    using enum PropertyType;
    static const PropertyTable table{
        {"Placement", Ignored(Int32)},
        {"Width", Setter(Int32, &Window::SetWidth)},
        {"Height", Setter(Int32, &Window::SetHeight)},
        {"MinWidth", Setter(Int32, &Window::SetMinWidth)},
        {"MinHeight", Setter(Int32, &Window::SetMinHeight)},
        {"MaxWidth", Setter(Int32, &Window::SetMaxWidth)},
        {"MaxHeight", Setter(Int32, &Window::SetMaxHeight)},
        {"Frame", Kept(Int32, &I::frame)},
        {"Composite", Ignored(Boolean)},
        {"HasBackColor", Ignored(Boolean)},
        {"BackColor", Ignored(Color)},
        {"Title", Setter(String, &Window::SetTitle)},
        {"Visible", Kept(Boolean, &I::visible)},
        {"FullScreen", Ignored(Boolean)},
        {"MenuBarVisible", Ignored(Boolean)},
        {"CloseButton", Kept(Boolean, &I::closeButton)},
        {"Resizeable", Ignored(Boolean)},
        {"LiveResize", Ignored(Boolean)},
        {"MaximizeButton", Ignored(Boolean)},
        {"MinimizeButton", Ignored(Boolean)},
        {"MacProcID", Ignored(Int32)},
    };
    return table;
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

// The window has a fixed size, so the bounds only hold the values given.
void Window::SetMinWidth(std::int32_t value) { impl_->minWidth = value; }
void Window::SetMinHeight(std::int32_t value) { impl_->minHeight = value; }
void Window::SetMaxWidth(std::int32_t value) { impl_->maxWidth = value; }
void Window::SetMaxHeight(std::int32_t value) { impl_->maxHeight = value; }

std::string Window::Title() const
{
    return impl_->title;
}

void Window::SetTitle(const std::string& title)
{
    impl_->title = title;
    if (impl_->top)
        impl_->top->setWindowTitle(QString::fromStdString(title));
}

PicturePtr Window::Backdrop() const
{
    return impl_->backdrop;
}

void Window::SetBackdrop(PicturePtr picture)
{
    impl_->backdrop = std::move(picture);
    if (impl_->area)
        impl_->area->update();
}

bool Window::CloseButton() const { return impl_->closeButton; }

}  // namespace platform
