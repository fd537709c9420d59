#include "platform/Controls.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

#include "platform/QtAccess.h"

namespace platform {
namespace {

template <class W>
W& WidgetAs(const RectControl& control)
{
    return static_cast<W&>(*WidgetOf(control));
}

// QComboBox selects the first row added to an empty list; a popup does not.
void AppendRows(QComboBox& combo, const QStringList& rows)
{
    const int selected = combo.currentIndex();
    combo.addItems(rows);
    combo.setCurrentIndex(selected);
}

class ImageWellWidget : public QWidget {
public:
    PicturePtr picture;
    std::function<void(std::int32_t, std::int32_t)> onPress;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!picture)
            return;
        const QImage& image = ImageOf(std::as_const(*picture));
        const QSize fitted = image.size().scaled(size(), Qt::KeepAspectRatio);
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, fitted, rect()), image);
    }

    // Taken here, so the press never reaches the window behind the well.
    void mousePressEvent(QMouseEvent* event) override
    {
        event->accept();
        const QPoint at = event->position().toPoint();
        // A copy: the handler may close the window and clear onPress meanwhile.
        if (const auto press = onPress)
            press(at.x(), at.y());
    }
};

}  // namespace

const PropertyTable& Control::Properties() const
{
    static const PropertyTable table{
        {"Name", Setter(PropertyType::String, &Control::SetName)},
        {"Index", Setter(PropertyType::Int32, &Control::SetIndex)},
    };
    return table;
}

struct RectControl::GuardedWidget {
    QPointer<QWidget> widget;
};

RectControl::RectControl(QWidget* widget) : widget_(std::make_unique<GuardedWidget>(GuardedWidget{widget})) {}

RectControl::~RectControl()
{
    // A handler of this very widget may still be on the stack, so the loop
    // deletes it later. Only the program's own connections go now: Qt's
    // accessibility cache forgets the widget on its destroyed().
    QWidget* widget = widget_->widget;
    if (widget && QCoreApplication::instance()) {
        QObject::disconnect(widget, nullptr, widget, nullptr);
        widget->deleteLater();
    }
}

// One table for every kind of control: a property of another kind raises.
// Focus, locking, fonts, colours, help tags and data binding stay Qt's.
const PropertyTable& RectControl::Properties() const
{
    using enum PropertyType;
    static const PropertyTable table = [this] {
        PropertyTable all = Extended(Control::Properties(), {
            {"Left", Setter(Int32, &RectControl::SetLeft)},
            {"Top", Setter(Int32, &RectControl::SetTop)},
            {"Width", Setter(Int32, &RectControl::SetWidth)},
            {"Height", Setter(Int32, &RectControl::SetHeight)},
            {"TabIndex", Setter(Int32, &RectControl::SetTabIndex)},
            {"Enabled", Setter(Boolean, &RectControl::SetEnabled)},
            {"Visible", Setter(Boolean, &RectControl::SetVisible)},
            {"Text", Setter(String, &Label::SetText)},
            {"InitialValue", Setter(String, &PopupMenu::SetInitialValue)},
            {"ListIndex", Setter(Int32, &PopupMenu::SetListIndex)},
            {"Value", Setter(Boolean, &CheckBox::SetValue)},
            {"Default", Setter(Boolean, &PushButton::SetDefault)},
            {"Cancel", Setter(Boolean, &PushButton::SetCancel)},
            {"Caption", Setter(String, &RectControl::SetCaption)},
            {"TextColor", Ignored(Color)},
        });
        for (const char* name : {"TabPanelIndex", "TextAlign", "State", "ButtonStyle"})
            all.emplace(name, Ignored(Int32));
        for (const char* name : {"LockLeft", "LockTop", "LockRight", "LockBottom", "AutoDeactivate", "TabStop",
                                 "Bold", "Italic", "Underline", "Multiline", "Selectable", "Transparent"})
            all.emplace(name, Ignored(Boolean));
        for (const char* name : {"InitialParent", "DataSource", "DataField", "HelpTag", "TextFont"})
            all.emplace(name, Ignored(String));
        return all;
    }();
    return table;
}

void RectControl::AttachTo(Window& owner)
{
    Control::AttachTo(owner);
    if (QWidget* area = ContentWidget(owner)) {
        WidgetOf(*this)->setParent(area);
        WidgetOf(*this)->setVisible(visible_);
    }
}

QWidget* WidgetOf(const RectControl& control) { return control.widget_->widget; }
void RectControl::SetLeft(std::int32_t left) { WidgetOf(*this)->move(left, WidgetOf(*this)->y()); }
void RectControl::SetTop(std::int32_t top) { WidgetOf(*this)->move(WidgetOf(*this)->x(), top); }
void RectControl::SetWidth(std::int32_t width) { WidgetOf(*this)->resize(std::max(0, width), WidgetOf(*this)->height()); }
void RectControl::SetHeight(std::int32_t height) { WidgetOf(*this)->resize(WidgetOf(*this)->width(), std::max(0, height)); }
void RectControl::SetEnabled(bool enabled) { WidgetOf(*this)->setEnabled(enabled); }

// Check boxes and push buttons show "&" as it is: Qt would take it as a
// mnemonic. Other controls have no caption.
void RectControl::SetCaption(const std::string& caption)
{
    auto* button = qobject_cast<QAbstractButton*>(WidgetOf(*this));
    if (!button)
        throw RuntimeException("no such property on this class");
    button->setText(QString::fromStdString(caption).replace(u'&', QStringLiteral("&&")));
}

void RectControl::SetVisible(bool visible)
{
    visible_ = visible;
    // A widget with no parent would show as a window of its own.
    if (WidgetOf(*this)->parentWidget())
        WidgetOf(*this)->setVisible(visible);
}

// Layouts are in pixels, so text sizes are too: text fits on any screen.
void RectControl::SetTextSize(double points)
{
    if (!(points > 0))
        return;
    QFont font = WidgetOf(*this)->font();
    font.setPixelSize(static_cast<int>(std::lround(std::clamp(points, 1.0, 1000.0))));
    WidgetOf(*this)->setFont(font);
}

Label::Label() : RectControl(new QLabel) { WidgetAs<QLabel>(*this).setTextFormat(Qt::PlainText); }

void Label::SetText(const std::string& text)
{
    WidgetAs<QLabel>(*this).setText(QString::fromStdString(text));
}

PopupMenu::PopupMenu() : RectControl(new QComboBox) {}

void PopupMenu::SetInitialValue(const std::string& rows)
{
    DeleteAllRows();
    if (!rows.empty())
        AppendRows(WidgetAs<QComboBox>(*this), QString::fromStdString(rows).split(u'\r'));
}

std::int32_t PopupMenu::ListIndex() const { return WidgetAs<QComboBox>(*this).currentIndex(); }
void PopupMenu::SetListIndex(std::int32_t index) { WidgetAs<QComboBox>(*this).setCurrentIndex(index); }
std::string PopupMenu::List(std::int32_t row) const
{
    return WidgetAs<QComboBox>(*this).itemText(row).toStdString();
}

void PopupMenu::DeleteAllRows() { WidgetAs<QComboBox>(*this).clear(); }

void PopupMenu::AddRow(const std::string& text)
{
    AppendRows(WidgetAs<QComboBox>(*this), {QString::fromStdString(text)});
}

CheckBox::CheckBox() : RectControl(new QCheckBox) {}
bool CheckBox::Value() const { return WidgetAs<QCheckBox>(*this).isChecked(); }
void CheckBox::SetValue(bool value) { WidgetAs<QCheckBox>(*this).setChecked(value); }

// Return presses the default button wherever the focus is, not the focused one.
PushButton::PushButton() : RectControl(new QPushButton) { WidgetAs<QPushButton>(*this).setAutoDefault(false); }

void PushButton::SetDefault(bool value) { WidgetAs<QPushButton>(*this).setDefault(value); }

void PushButton::SetCancel(bool value)
{
    WidgetAs<QPushButton>(*this).setProperty(kCancelButtonProperty, value);
}

// Qt keeps the handler alive while it runs, even when it closes the window.
void PushButton::AddActionHandler(std::function<void(PushButton&)> handler)
{
    QPushButton& button = WidgetAs<QPushButton>(*this);
    QObject::connect(&button, &QPushButton::clicked, &button,
                     [this, handler = std::move(handler)] { CallFromToolkit([&] { handler(*this); }); });
}

ImageWell::ImageWell() : RectControl(new ImageWellWidget) {}
PicturePtr ImageWell::Image() const { return WidgetAs<ImageWellWidget>(*this).picture; }

void ImageWell::SetImage(PicturePtr picture)
{
    WidgetAs<ImageWellWidget>(*this).picture = std::move(picture);
    WidgetAs<ImageWellWidget>(*this).update();
}

void ImageWell::AddMouseDownHandler(std::function<bool(ImageWell&, std::int32_t, std::int32_t)> handler)
{
    WidgetAs<ImageWellWidget>(*this).onPress = [this, handler = std::move(handler)](int x, int y) {
        CallFromToolkit([&] { handler(*this, x, y); });
    };
}

Separator::Separator() : RectControl(new QFrame)
{
    WidgetAs<QFrame>(*this).setFrameStyle(QFrame::HLine | QFrame::Sunken);
}

}  // namespace platform
