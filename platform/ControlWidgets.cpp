#include "platform/ControlWidgets.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include "platform/QtAccess.h"

namespace platform {

namespace {

// The layouts name one family; whether this system has it is asked once.
QString InstalledFamily(const std::string& family)
{
    static std::string asked;
    static QString found;
    if (family.empty())
        return {};
    if (family != asked) {
        asked = family;
        const QString name = QString::fromStdString(family);
        found = QFontDatabase::hasFamily(name) ? name : QString();
    }
    return found;
}

}  // namespace

RectControl::Impl::~Impl()
{
    // Without the application object the widgets are past saving.
    if (!widget || !QCoreApplication::instance())
        return;
    // A handler of this very widget may still be on the stack (a button whose
    // Action closed the window), so the event loop deletes it later.
    widget->disconnect();
    widget->hide();
    widget->deleteLater();
}

void RectControl::Impl::AttachTo(QWidget& area)
{
    widget->setParent(&area);
    ApplyGeometry();
    ApplyVisible();
}

void RectControl::Impl::ApplyGeometry()
{
    widget->setGeometry(left, top, std::max(0, width), std::max(0, height));
}

void RectControl::Impl::ApplyVisible()
{
    if (widget->parentWidget())
        widget->setVisible(visible);
}

// Layouts are in pixels with a point taken as one pixel (72 per inch), so
// sizes become pixel sizes: text then fits its control on any screen.
void RectControl::Impl::ApplyFont()
{
    constexpr double kLargest = 1000;
    QFont font = QApplication::font(widget);
    if (const QString family = InstalledFamily(textFont); !family.isEmpty())
        font.setFamily(family);
    if (textSize > 0)
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(std::min(textSize, kLargest)))));
    widget->setFont(font);
}

QString LiteralCaption(const std::string& caption)
{
    return QString::fromStdString(caption).replace(u'&', QStringLiteral("&&"));
}

std::string CaptionText(const QString& shown)
{
    return QString(shown).replace(QStringLiteral("&&"), QStringLiteral("&")).toStdString();
}

void AppendRows(QComboBox& combo, const std::vector<std::string>& rows)
{
    // The combo box selects its first row by itself; a popup does not.
    const int selected = combo.currentIndex();
    for (const std::string& row : rows)
        combo.addItem(QString::fromStdString(row));
    combo.setCurrentIndex(selected);
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

}  // namespace platform
