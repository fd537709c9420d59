#include "platform/Controls.h"

#include <QWidget>

#include "platform/ControlProperties.h"
#include "platform/ControlWidgets.h"
#include "platform/QtAccess.h"

namespace platform {

using namespace controls;

namespace {

PropertyDef FontFlag(bool RectControl::Impl::*flag)
{
    return Applied<RectControl, bool>([flag](RectControl& c, bool v) {
        c.impl().*flag = v;
        c.impl().ApplyFont();
    });
}

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
        {"TabStop", Applied<RectControl, bool>([](RectControl& c, bool v) {
             c.impl().tabStop = v;
             c.impl().ApplyFocusPolicy();
         })},
        {"Bold", FontFlag(&RectControl::Impl::bold)},
        {"Italic", FontFlag(&RectControl::Impl::italic)},
        {"Underline", FontFlag(&RectControl::Impl::underline)},
        {"TextFont", Applied<RectControl, std::string>([](RectControl& c, const std::string& v) {
             c.impl().textFont = v;
             c.impl().ApplyFont();
         })},
        {"HelpTag", Applied<RectControl, std::string>([](RectControl& c, const std::string& v) {
             c.impl().helpTag = v;
             c.impl().widget->setToolTip(QString::fromStdString(v));
         })},
    });
    table.emplace("TabPanelIndex", Kept(Int32, "TabPanelIndex"));
    for (const char* name : {"LockLeft", "LockTop", "LockRight", "LockBottom", "AutoDeactivate"})
        table.emplace(name, Kept(Boolean, name));
    for (const char* name : {"InitialParent", "DataSource", "DataField"})
        table.emplace(name, Kept(String, name));
    return table;
}

}  // namespace

RectControl::RectControl() : RectControl(std::make_unique<Impl>(new QWidget)) {}

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
    if (QWidget* content = ContentWidget(owner))
        impl_->AttachTo(*content);
}

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

std::int32_t RectControl::TabIndex() const { return impl_->tabIndex; }

void RectControl::SetTabIndex(std::int32_t v)
{
    impl_->tabIndex = v;
    impl_->ApplyTabIndex();
}

bool RectControl::Enabled() const { return impl_->enabled; }

void RectControl::SetEnabled(bool v)
{
    impl_->enabled = v;
    impl_->widget->setEnabled(v);
}

bool RectControl::Visible() const { return impl_->visible; }

void RectControl::SetVisible(bool v)
{
    impl_->visible = v;
    impl_->ApplyVisible();
}

void RectControl::SetTextSize(double points)
{
    impl_->textSize = points;
    impl_->ApplyFont();
}

void RectControl::SetTextUnit(std::int32_t unit)
{
    impl_->textUnit = unit;
    impl_->ApplyFont();
}

}  // namespace platform
