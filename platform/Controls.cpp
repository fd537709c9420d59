#include "platform/Controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "platform/ControlWidgets.h"
#include "platform/QtAccess.h"
#include "platform/RuntimeInternal.h"
#include "platform/WindowWidget.h"

namespace platform {

namespace {

// Labels show plain text, left-aligned on one line: the layouts ask for no
// other alignment, colour or wrapping.
QLabel* MakeLabel()
{
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* MakeButton()
{
    auto* button = new QPushButton;
    // Return presses the default button wherever the focus is.
    button->setAutoDefault(false);
    return button;
}

QFrame* MakeSeparator()
{
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

Label::Label() : RectControl(std::make_unique<Impl>(MakeLabel())) {}

const PropertyTable& Label::Properties() const
{
    using enum PropertyType;
    static const PropertyTable table = Extended(RectControl::Properties(), {
        {"Text", Setter(String, &Label::SetText)},
        {"TextAlign", Ignored(Int32)},
        {"TextColor", Ignored(Color)},
        {"Multiline", Ignored(Boolean)},
        {"Selectable", Ignored(Boolean)},
        {"Transparent", Ignored(Boolean)},
    });
    return table;
}

std::string Label::Text() const { return WidgetAs<QLabel>(*this).text().toStdString(); }

void Label::SetText(const std::string& text) { WidgetAs<QLabel>(*this).setText(QString::fromStdString(text)); }

PopupMenu::PopupMenu() : RectControl(std::make_unique<Impl>(new QComboBox)) {}

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
    WidgetAs<QComboBox>(*this).clear();
    AppendRows(WidgetAs<QComboBox>(*this), SplitRows(rows));
}

std::int32_t PopupMenu::ListIndex() const { return WidgetAs<QComboBox>(*this).currentIndex(); }

void PopupMenu::SetListIndex(std::int32_t index)
{
    QComboBox& combo = WidgetAs<QComboBox>(*this);
    combo.setCurrentIndex(index >= 0 && index < combo.count() ? index : -1);
}

std::int32_t PopupMenu::ListCount() const { return WidgetAs<QComboBox>(*this).count(); }

std::string PopupMenu::List(std::int32_t row) const
{
    const QComboBox& combo = WidgetAs<QComboBox>(*this);
    if (row < 0 || row >= combo.count())
        return {};
    return combo.itemText(row).toStdString();
}

std::string PopupMenu::Text() const { return List(ListIndex()); }

void PopupMenu::DeleteAllRows() { WidgetAs<QComboBox>(*this).clear(); }

void PopupMenu::AddRow(const std::string& text) { AppendRows(WidgetAs<QComboBox>(*this), {text}); }

CheckBox::CheckBox() : RectControl(std::make_unique<Impl>(new QCheckBox)) {}

// State 0 or 1 only repeats Value, which follows it in every stream.
const PropertyTable& CheckBox::Properties() const
{
    using enum PropertyType;
    static const PropertyTable table = Extended(RectControl::Properties(), {
        {"Caption", Setter(String, &CheckBox::SetCaption)},
        {"State", Ignored(Int32)},
        {"Value", Setter(Boolean, &CheckBox::SetValue)},
    });
    return table;
}

bool CheckBox::Value() const { return WidgetAs<QCheckBox>(*this).isChecked(); }

void CheckBox::SetValue(bool value) { WidgetAs<QCheckBox>(*this).setChecked(value); }

std::string CheckBox::Caption() const { return CaptionText(WidgetAs<QCheckBox>(*this).text()); }

void CheckBox::SetCaption(const std::string& caption) { WidgetAs<QCheckBox>(*this).setText(LiteralCaption(caption)); }

PushButton::PushButton() : RectControl(std::make_unique<Impl>(MakeButton())) {}

const PropertyTable& PushButton::Properties() const
{
    using enum PropertyType;
    static const PropertyTable table = Extended(RectControl::Properties(), {
        {"Caption", Setter(String, &PushButton::SetCaption)},
        {"Default", Setter(Boolean, &PushButton::SetDefault)},
        {"Cancel", Setter(Boolean, &PushButton::SetCancel)},
        {"ButtonStyle", Ignored(Int32)},
    });
    return table;
}

std::string PushButton::Caption() const { return CaptionText(WidgetAs<QPushButton>(*this).text()); }

void PushButton::SetCaption(const std::string& caption)
{
    WidgetAs<QPushButton>(*this).setText(LiteralCaption(caption));
}

void PushButton::SetDefault(bool value) { WidgetAs<QPushButton>(*this).setDefault(value); }

void PushButton::SetCancel(bool value) { WidgetAs<QPushButton>(*this).setProperty(kCancelButtonProperty, value); }

// Qt keeps the handler alive while it runs, even when it closes the window
// and so deletes the button's connections.
void PushButton::AddActionHandler(std::function<void(PushButton&)> handler)
{
    QPushButton& button = WidgetAs<QPushButton>(*this);
    QObject::connect(&button, &QPushButton::clicked, &button,
                     [this, handler = std::move(handler)] { CallFromToolkit([&] { handler(*this); }); });
}

void PushButton::Push() { WidgetAs<QPushButton>(*this).click(); }

ImageWell::ImageWell() : RectControl(std::make_unique<Impl>(new ImageWellWidget)) {}

const PropertyTable& ImageWell::Properties() const { return RectControl::Properties(); }

PicturePtr ImageWell::Image() const { return WidgetAs<ImageWellWidget>(*this).CurrentPicture(); }

void ImageWell::SetImage(PicturePtr picture) { WidgetAs<ImageWellWidget>(*this).SetPicture(std::move(picture)); }

void ImageWell::AddMouseDownHandler(std::function<bool(ImageWell&, std::int32_t, std::int32_t)> handler)
{
    WidgetAs<ImageWellWidget>(*this).onPress = [this, handler = std::move(handler)](std::int32_t x, std::int32_t y) {
        CallFromToolkit([&] { handler(*this, x, y); });
    };
}

void ImageWell::PressMouse(std::int32_t x, std::int32_t y)
{
    // The widget outlives a handler that closes the window (it is deleted
    // later), so the release can still be delivered.
    const QPointer<QWidget> well = WidgetOf(*this);
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

Separator::Separator() : RectControl(std::make_unique<Impl>(MakeSeparator())) {}

}  // namespace platform
