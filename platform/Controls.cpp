#include "platform/Controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "platform/ControlProperties.h"
#include "platform/ControlWidgets.h"
#include "platform/RuntimeInternal.h"

namespace platform {

using namespace controls;

namespace {

void RunActionHandlers(PushButton& button)
{
    auto& impl = ImplOf<PushButtonImpl>(button);
    const auto handlers = impl.handlers;
    const std::weak_ptr<int> alive = impl.lifetime;
    for (const auto& handler : handlers) {
        CallFromToolkit([&] { handler(button); });
        if (alive.expired())
            return;
    }
}

void RunMouseDownHandlers(ImageWell& well, std::int32_t x, std::int32_t y)
{
    auto& impl = ImplOf<ImageWellImpl>(well);
    const auto handlers = impl.handlers;
    const std::weak_ptr<int> alive = impl.lifetime;
    for (const auto& handler : handlers) {
        CallFromToolkit([&] { handler(well, x, y); });
        if (alive.expired())
            return;
    }
}

}  // namespace

Label::Label() : RectControl(std::make_unique<LabelImpl>()) {}

const PropertyTable& Label::Properties() const
{
    using enum PropertyType;
    static const PropertyTable table = Extended(RectControl::Properties(), {
        {"Text", Setter(String, &Label::SetText)},
        {"TextAlign", Applied<Label, std::int32_t>([](Label& l, std::int32_t v) {
             ImplOf<LabelImpl>(l).textAlign = v;
             ImplOf<LabelImpl>(l).ApplyAlignment();
         })},
        {"TextColor", Applied<Label, platform::Color>([](Label& l, const platform::Color& v) {
             ImplOf<LabelImpl>(l).textColor = v;
             ImplOf<LabelImpl>(l).ApplyColor();
         })},
        {"Multiline", Applied<Label, bool>([](Label& l, bool v) {
             ImplOf<LabelImpl>(l).multiline = v;
             ImplOf<LabelImpl>(l).ApplyAlignment();
         })},
        {"Selectable", Applied<Label, bool>([](Label& l, bool v) {
             ImplOf<LabelImpl>(l).selectable = v;
             ImplOf<LabelImpl>(l).Label().setTextInteractionFlags(
                 v ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
         })},
        {"Transparent", Kept(Boolean, "Transparent")},
    });
    return table;
}

std::string Label::Text() const { return ImplOf<LabelImpl>(*this).text; }

void Label::SetText(const std::string& text)
{
    auto& impl = ImplOf<LabelImpl>(*this);
    impl.text = text;
    impl.Label().setText(QString::fromStdString(text));
}

PopupMenu::PopupMenu() : RectControl(std::make_unique<PopupMenuImpl>()) {}

const PropertyTable& PopupMenu::Properties() const
{
    using enum PropertyType;
    static const PropertyTable table = Extended(RectControl::Properties(), {
        {"InitialValue", Setter(String, &PopupMenu::SetInitialValue)},
        {"ListIndex", Setter(Int32, &PopupMenu::SetListIndex)},
    });
    return table;
}

void PopupMenu::SetInitialValue(const std::string& rows)
{
    auto& impl = ImplOf<PopupMenuImpl>(*this);
    impl.Combo().clear();
    impl.AppendRows(SplitRows(rows));
}

std::int32_t PopupMenu::ListIndex() const { return ImplOf<PopupMenuImpl>(*this).Combo().currentIndex(); }

void PopupMenu::SetListIndex(std::int32_t index)
{
    QComboBox& combo = ImplOf<PopupMenuImpl>(*this).Combo();
    combo.setCurrentIndex(index >= 0 && index < combo.count() ? index : -1);
}

std::int32_t PopupMenu::ListCount() const { return ImplOf<PopupMenuImpl>(*this).Combo().count(); }

std::string PopupMenu::List(std::int32_t row) const
{
    const QComboBox& combo = ImplOf<PopupMenuImpl>(*this).Combo();
    if (row < 0 || row >= combo.count())
        return {};
    return combo.itemText(row).toStdString();
}

std::string PopupMenu::Text() const { return List(ListIndex()); }

void PopupMenu::DeleteAllRows() { ImplOf<PopupMenuImpl>(*this).Combo().clear(); }

void PopupMenu::AddRow(const std::string& text) { ImplOf<PopupMenuImpl>(*this).AppendRows({text}); }

CheckBox::CheckBox() : RectControl(std::make_unique<CheckBoxImpl>()) {}

const PropertyTable& CheckBox::Properties() const
{
    using enum PropertyType;
    static const PropertyTable table = Extended(RectControl::Properties(), {
        {"Caption", Setter(String, &CheckBox::SetCaption)},
        {"State", Applied<CheckBox, std::int32_t>([](CheckBox& c, std::int32_t v) {
             ImplOf<CheckBoxImpl>(c).SetState(v);
         })},
        {"Value", Setter(Boolean, &CheckBox::SetValue)},
    });
    return table;
}

bool CheckBox::Value() const { return ImplOf<CheckBoxImpl>(*this).Box().checkState() == Qt::Checked; }

void CheckBox::SetValue(bool value) { ImplOf<CheckBoxImpl>(*this).SetState(value ? 1 : 0); }

std::string CheckBox::Caption() const { return ImplOf<CheckBoxImpl>(*this).caption; }

void CheckBox::SetCaption(const std::string& caption)
{
    auto& impl = ImplOf<CheckBoxImpl>(*this);
    impl.caption = caption;
    impl.Box().setText(LiteralCaption(caption));
}

PushButton::PushButton() : RectControl(std::make_unique<PushButtonImpl>())
{
    QPushButton& button = ImplOf<PushButtonImpl>(*this).Button();
    QObject::connect(&button, &QPushButton::clicked, &button, [this] { RunActionHandlers(*this); });
}

const PropertyTable& PushButton::Properties() const
{
    using enum PropertyType;
    static const PropertyTable table = Extended(RectControl::Properties(), {
        {"Caption", Setter(String, &PushButton::SetCaption)},
        {"Default", Setter(Boolean, &PushButton::SetDefault)},
        {"Cancel", Setter(Boolean, &PushButton::SetCancel)},
        {"ButtonStyle", Kept(Int32, "ButtonStyle")},
    });
    return table;
}

std::string PushButton::Caption() const { return ImplOf<PushButtonImpl>(*this).caption; }

void PushButton::SetCaption(const std::string& caption)
{
    auto& impl = ImplOf<PushButtonImpl>(*this);
    impl.caption = caption;
    impl.Button().setText(LiteralCaption(caption));
}

void PushButton::SetDefault(bool value)
{
    auto& impl = ImplOf<PushButtonImpl>(*this);
    impl.isDefault = value;
    impl.Button().setAutoDefault(value);
    impl.Button().setDefault(value);
    impl.UpdateShortcuts();
}

void PushButton::SetCancel(bool value)
{
    auto& impl = ImplOf<PushButtonImpl>(*this);
    impl.isCancel = value;
    impl.UpdateShortcuts();
}

void PushButton::AddActionHandler(std::function<void(PushButton&)> handler)
{
    ImplOf<PushButtonImpl>(*this).handlers.push_back(std::move(handler));
}

void PushButton::Push() { ImplOf<PushButtonImpl>(*this).Button().click(); }

ImageWell::ImageWell() : RectControl(std::make_unique<ImageWellImpl>())
{
    ImplOf<ImageWellImpl>(*this).Well().onPress = [this](std::int32_t x, std::int32_t y) {
        RunMouseDownHandlers(*this, x, y);
    };
}

const PropertyTable& ImageWell::Properties() const { return RectControl::Properties(); }

PicturePtr ImageWell::Image() const { return ImplOf<ImageWellImpl>(*this).Well().CurrentPicture(); }

void ImageWell::SetImage(PicturePtr picture) { ImplOf<ImageWellImpl>(*this).Well().SetPicture(std::move(picture)); }

void ImageWell::AddMouseDownHandler(std::function<bool(ImageWell&, std::int32_t, std::int32_t)> handler)
{
    ImplOf<ImageWellImpl>(*this).handlers.push_back(std::move(handler));
}

void ImageWell::PressMouse(std::int32_t x, std::int32_t y)
{
    // The widget outlives a handler that closes the window (it is deleted
    // later), so the release can still be delivered.
    const QPointer<QWidget> well = &ImplOf<ImageWellImpl>(*this).Well();
    const QPointF at(x, y);
    QMouseEvent press(QEvent::MouseButtonPress, at, well->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(well, &press);
    if (!well)
        return;
    QMouseEvent release(QEvent::MouseButtonRelease, at, well->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(well, &release);
}

Separator::Separator() : RectControl(std::make_unique<SeparatorImpl>()) {}

const PropertyTable& Separator::Properties() const { return RectControl::Properties(); }

}  // namespace platform
