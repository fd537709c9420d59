#include "platform/ControlWidgets.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>

#include "platform/QtAccess.h"

namespace platform {

namespace {

// Marks a widget as one of the window's controls and carries its tab index.
constexpr const char* kTabIndexProperty = "platformTabIndex";

// Text unit codes: 0 default and 2 points, 1 pixels, 3 inches, 4 millimetres.
// Layouts are in pixels with a point taken as one pixel (72 per inch), so
// sizes become pixel sizes: text then fits its control on any screen.
void SetFontSize(QFont& font, double size, std::int32_t unit)
{
    constexpr double kLargest = 1000;
    if (!(size > 0))
        return;
    switch (unit) {
    case 3: size *= 72; break;
    case 4: size *= 72 / 25.4; break;
    default: break;
    }
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(std::min(size, kLargest)))));
}

}  // namespace

RectControl::Impl::Impl(QWidget* made) : widget(made), naturalFocus_(made->focusPolicy()) {}

RectControl::Impl::~Impl()
{
    // Without the application object the widgets are past saving.
    if (!widget || !QCoreApplication::instance())
        return;
    // A handler of this very widget may still be on the stack (a button whose
    // Action closed the window), so the event loop deletes it later.
    widget->disconnect();
    widget->setProperty(kTabIndexProperty, QVariant());
    widget->hide();
    widget->deleteLater();
}

void RectControl::Impl::AttachTo(QWidget& content)
{
    widget->setParent(&content);
    ApplyGeometry();
    ApplyTabIndex();
    ApplyVisible();
    Attached(content);
}

void RectControl::Impl::ApplyGeometry()
{
    widget->setGeometry(left, top, std::max(0, width), std::max(0, height));
}

void RectControl::Impl::ApplyFont()
{
    QFont font = QApplication::font(widget);
    const QString family = QString::fromStdString(textFont);
    // A family this system lacks keeps the toolkit's own choice.
    if (!family.isEmpty() && QFontDatabase::hasFamily(family))
        font.setFamily(family);
    SetFontSize(font, textSize, textUnit);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    widget->setFont(font);
}

void RectControl::Impl::ApplyFocusPolicy()
{
    if (tabStop)
        widget->setFocusPolicy(naturalFocus_);
    else
        widget->setFocusPolicy((naturalFocus_ & Qt::ClickFocus) ? Qt::ClickFocus : Qt::NoFocus);
}

void RectControl::Impl::ApplyVisible()
{
    if (IsAttached())
        widget->setVisible(visible);
}

void RectControl::Impl::ApplyTabIndex()
{
    widget->setProperty(kTabIndexProperty, tabIndex);
    if (IsAttached())
        OrderTabs(*widget->parentWidget());
}

void OrderTabs(QWidget& content)
{
    std::vector<QWidget*> controls;
    for (QObject* child : content.children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && w->property(kTabIndexProperty).isValid())
            controls.push_back(w);
    }
    std::stable_sort(controls.begin(), controls.end(), [](QWidget* a, QWidget* b) {
        return a->property(kTabIndexProperty).toInt() < b->property(kTabIndexProperty).toInt();
    });
    for (std::size_t i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1], controls[i]);
}

QString LiteralCaption(const std::string& caption)
{
    return QString::fromStdString(caption).replace(u'&', QStringLiteral("&&"));
}

LabelImpl::LabelImpl() : Impl(new QLabel)
{
    Label().setTextFormat(Qt::PlainText);
    ApplyAlignment();
}

QLabel& LabelImpl::Label() const { return static_cast<QLabel&>(*widget); }

// Align codes: 0 default (left), 1 left, 2 centre, 3 right.
void LabelImpl::ApplyAlignment()
{
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (textAlign == 2)
        horizontal = Qt::AlignHCenter;
    else if (textAlign == 3)
        horizontal = Qt::AlignRight;
    Label().setAlignment(horizontal | (multiline ? Qt::AlignTop : Qt::AlignVCenter));
    Label().setWordWrap(multiline);
}

void LabelImpl::ApplyColor()
{
    QPalette palette = Label().palette();
    palette.setColor(QPalette::WindowText, QColor(textColor.red, textColor.green, textColor.blue));
    Label().setPalette(palette);
}

PopupMenuImpl::PopupMenuImpl() : Impl(new QComboBox) {}

QComboBox& PopupMenuImpl::Combo() const { return static_cast<QComboBox&>(*widget); }

void PopupMenuImpl::AppendRows(const std::vector<std::string>& rows)
{
    // The combo box selects its first row by itself; a popup does not.
    const int selected = Combo().currentIndex();
    for (const std::string& row : rows)
        Combo().addItem(QString::fromStdString(row));
    Combo().setCurrentIndex(selected);
}

std::vector<std::string> SplitRows(const std::string& text)
{
    std::vector<std::string> rows;
    if (text.empty())
        return rows;
    std::size_t start = 0;
    for (;;) {
        const std::size_t cr = text.find('\r', start);
        rows.push_back(text.substr(start, cr == std::string::npos ? std::string::npos : cr - start));
        if (cr == std::string::npos)
            return rows;
        start = cr + 1;
    }
}

CheckBoxImpl::CheckBoxImpl() : Impl(new QCheckBox) {}

QCheckBox& CheckBoxImpl::Box() const { return static_cast<QCheckBox&>(*widget); }

// State codes: 0 unchecked, 1 checked, 2 mixed; anything else unchecked.
void CheckBoxImpl::SetState(std::int32_t state)
{
    Qt::CheckState checkState = Qt::Unchecked;
    if (state == 1)
        checkState = Qt::Checked;
    else if (state == 2)
        checkState = Qt::PartiallyChecked;
    // Only a box put in the mixed state offers it; a click never leads to it.
    Box().setTristate(checkState == Qt::PartiallyChecked);
    Box().setCheckState(checkState);
}

PushButtonImpl::PushButtonImpl() : Impl(new QPushButton)
{
    Button().setAutoDefault(false);
}

PushButtonImpl::~PushButtonImpl() { DropShortcuts(); }

QPushButton& PushButtonImpl::Button() const { return static_cast<QPushButton&>(*widget); }

void PushButtonImpl::UpdateShortcuts()
{
    DropShortcuts();
    if (!IsAttached())
        return;
    std::vector<QKeySequence> keys;
    if (isDefault) {
        keys.emplace_back(Qt::Key_Return);
        keys.emplace_back(Qt::Key_Enter);
    }
    if (isCancel)
        keys.emplace_back(Qt::Key_Escape);
    for (const QKeySequence& key : keys) {
        auto* shortcut = new QShortcut(key, widget->parentWidget());
        QObject::connect(shortcut, &QShortcut::activated, widget, [this] { PressFromKeyboard(); });
        shortcuts_.emplace_back(shortcut);
    }
}

void PushButtonImpl::PressFromKeyboard()
{
    if (Button().isEnabled() && Button().isVisible())
        Button().click();
}

void PushButtonImpl::DropShortcuts()
{
    if (!QCoreApplication::instance())
        return;
    for (const QPointer<QShortcut>& shortcut : shortcuts_) {
        if (!shortcut)
            continue;
        // The shortcut may be the one whose key press is being handled.
        shortcut->setEnabled(false);
        shortcut->disconnect();
        shortcut->deleteLater();
    }
    shortcuts_.clear();
}

ImageWellWidget::ImageWellWidget() = default;

void ImageWellWidget::SetPicture(PicturePtr picture)
{
    picture_ = std::move(picture);
    update();
}

QRect ImageWellWidget::PictureRect() const
{
    if (!picture_)
        return {};
    const QImage& image = ImageOf(std::as_const(*picture_));
    if (image.isNull())
        return {};
    const QSize fitted = image.size().scaled(size(), Qt::KeepAspectRatio);
    return {QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted};
}

void ImageWellWidget::paintEvent(QPaintEvent*)
{
    const QRect target = PictureRect();
    if (target.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, ImageOf(std::as_const(*picture_)));
}

void ImageWellWidget::mousePressEvent(QMouseEvent* event)
{
    // Taken here, so the press never reaches the window behind the well.
    event->accept();
    const QPoint at = event->position().toPoint();
    // A copy: the handler may close the window and clear onPress meanwhile.
    if (const auto press = onPress)
        press(at.x(), at.y());
}

ImageWellImpl::ImageWellImpl() : Impl(new ImageWellWidget) {}

ImageWellImpl::~ImageWellImpl()
{
    if (widget)
        Well().onPress = nullptr;
}

ImageWellWidget& ImageWellImpl::Well() const { return static_cast<ImageWellWidget&>(*widget); }

SeparatorImpl::SeparatorImpl() : Impl(new QFrame)
{
    auto& line = static_cast<QFrame&>(*widget);
    line.setFrameShape(QFrame::HLine);
    line.setFrameShadow(QFrame::Sunken);
}

}  // namespace platform
