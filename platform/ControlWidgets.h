#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "platform/Controls.h"

class QComboBox;

// Inside the platform layer only: the widgets behind the rect controls.
namespace platform {

// What every control widget shares. The widget has no parent until the
// control is attached to its window; until then Visible is only remembered,
// since a parentless widget would show as a window of its own.
struct RectControl::Impl {
    explicit Impl(QWidget* made) : widget(made) {}
    ~Impl();
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    void AttachTo(QWidget& area);
    void ApplyGeometry();
    void ApplyVisible();
    void ApplyFont();

    QPointer<QWidget> widget;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t tabIndex = 0;
    bool visible = true;
    double textSize = 0;
    std::string textFont;
};

// The control's widget as its Qt class.
template <class W>
W& WidgetAs(const RectControl& control)
{
    return static_cast<W&>(*control.impl().widget);
}

// A caption shown literally: Qt would take "&" as a mnemonic.
QString LiteralCaption(const std::string& caption);
std::string CaptionText(const QString& shown);

// Appends rows; the selection never moves when rows are added.
void AppendRows(QComboBox& combo, const std::vector<std::string>& rows);
// The rows of a list value: items separated by CR; the empty text has none.
std::vector<std::string> SplitRows(const std::string& text);

// Shows a picture scaled to fit, aspect kept, centred; reports presses.
class ImageWellWidget : public QWidget {
public:
    void SetPicture(PicturePtr picture);
    const PicturePtr& CurrentPicture() const { return picture_; }
    // The area the picture covers, in widget coordinates.
    QRect PictureRect() const;
    std::function<void(std::int32_t, std::int32_t)> onPress;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    PicturePtr picture_;
};

}  // namespace platform
