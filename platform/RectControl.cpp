#include "platform/Controls.h"

#include <QWidget>

#include "platform/ControlWidgets.h"
#include "platform/QtAccess.h"

namespace platform {

namespace {

PropertyTable RectControlTable(const PropertyTable& controlTable)
{
    using enum PropertyType;
    PropertyTable table = Extended(controlTable, {
        {"Left", Setter(Int32, &RectControl::SetLeft)},
        {"Top", Setter(Int32, &RectControl::SetTop)},
        {"Width", Setter(Int32, &RectControl::SetWidth)},
        {"Height", Setter(Int32, &RectControl::SetHeight)},
        {"TabIndex", Setter(Int32, &RectControl::SetTabIndex)},
        {"Enabled", Setter(Boolean, &RectControl::SetEnabled)},
        {"Visible", Setter(Boolean, &RectControl::SetVisible)},
        {"TextFont", Setter(String, &RectControl::SetTextFont)},
    });
    // Every control takes the keyboard focus its kind takes, never moves
    // with its window (which keeps its size), and has plain text with no
    // help tag or data binding: these properties are read and ignored.
    for (const char* name : {"TabPanelIndex"})
        table.emplace(name, Ignored(Int32));
    for (const char* name : {"LockLeft", "LockTop", "LockRight", "LockBottom", "AutoDeactivate", "TabStop", "Bold",
                             "Italic", "Underline"})
        table.emplace(name, Ignored(Boolean));
    for (const char* name : {"InitialParent", "DataSource", "DataField", "HelpTag"})
        table.emplace(name, Ignored(String));
    return table;
}

}  // namespace

RectControl::RectControl(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

RectControl::~RectControl() = default;

const PropertyTable& RectControl::Properties() const
{
    static const PropertyTable table = RectControlTable(Control::Properties());
    return table;
}

void RectControl::AttachTo(Window& owner)
{
    Control::AttachTo(owner);
    if (QWidget* area = ContentWidget(owner))
        impl_->AttachTo(*area);
}

QWidget* WidgetOf(const RectControl& control) { return control.impl().widget; }

std::int32_t RectControl::Left() const { return impl_->left; }
std::int32_t RectControl::Top() const { return impl_->top; }
std::int32_t RectControl::Width() const { return impl_->width; }
std::int32_t RectControl::Height() const { return impl_->height; }

void RectControl::SetLeft(std::int32_t v)
{
    impl_->left = v;
    impl_->ApplyGeometry();
}

void RectControl::SetTop(std::int32_t v)
{
    impl_->top = v;
    impl_->ApplyGeometry();
}

void RectControl::SetWidth(std::int32_t v)
{
    impl_->width = v;
    impl_->ApplyGeometry();
}

void RectControl::SetHeight(std::int32_t v)
{
    impl_->height = v;
    impl_->ApplyGeometry();
}

// The window links its focus chain once its controls are made.
std::int32_t RectControl::TabIndex() const { return impl_->tabIndex; }
void RectControl::SetTabIndex(std::int32_t v) { impl_->tabIndex = v; }

void RectControl::SetEnabled(bool v) { impl_->widget->setEnabled(v); }

void RectControl::SetVisible(bool v)
{
    impl_->visible = v;
    impl_->ApplyVisible();
}

void RectControl::SetTextFont(const std::string& family)
{
    impl_->textFont = family;
    impl_->ApplyFont();
}

void RectControl::SetTextSize(double points)
{
    impl_->textSize = points;
    impl_->ApplyFont();
}

// Only unit 0, the default, occurs: sizes are layout pixels.
void RectControl::SetTextUnit(std::int32_t) {}

}  // namespace platform
