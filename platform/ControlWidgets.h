#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "platform/Controls.h"
#include "platform/Object.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QShortcut;

// Inside the platform layer only: the widgets behind the rect controls.
namespace platform {

// What every control widget shares. The widget has no parent until the
// control is attached to its window; until then Visible is only remembered,
// since a parentless widget would show as a window of its own.
struct RectControl::Impl {
    explicit Impl(QWidget* made);
    virtual ~Impl();
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    void AttachTo(QWidget& content);
    bool IsAttached() const { return widget && widget->parentWidget() != nullptr; }

    void ApplyGeometry();
    void ApplyFont();
    void ApplyFocusPolicy();
    void ApplyVisible();
    void ApplyTabIndex();

    // Values the toolkit has no use for, kept as the layout gave them.
    void Keep(const std::string& name, const PropertyValue& value) { kept[name] = value; }

    QPointer<QWidget> widget;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t tabIndex = 0;
    bool enabled = true;
    bool visible = true;
    bool tabStop = true;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    double textSize = 0;
    std::int32_t textUnit = 0;
    std::string textFont;
    std::string helpTag;
    std::map<std::string, PropertyValue, std::less<>> kept;
    // Expires with the control, so a handler loop can tell that a handler
    // closed the window and took the control with it.
    std::shared_ptr<int> lifetime = std::make_shared<int>(0);

protected:
    // Runs once the widget sits in its window's content widget.
    virtual void Attached(QWidget&) {}

private:
    Qt::FocusPolicy naturalFocus_;
};

// Orders the focus chain of the content widget's controls by tab index;
// controls with the same index keep the order they were attached in.
void OrderTabs(QWidget& content);

// A caption shown literally: the toolkit would take "&" as a mnemonic.
QString LiteralCaption(const std::string& caption);

struct LabelImpl : RectControl::Impl {
    LabelImpl();
    QLabel& Label() const;
    void ApplyAlignment();
    void ApplyColor();

    std::string text;
    std::int32_t textAlign = 0;
    Color textColor{};
    bool multiline = false;
    bool selectable = false;
};

struct PopupMenuImpl : RectControl::Impl {
    PopupMenuImpl();
    QComboBox& Combo() const;
    // Appends rows; the selection never moves when rows are added.
    void AppendRows(const std::vector<std::string>& rows);
};

// The rows of a list value: items separated by CR; the empty text has none.
std::vector<std::string> SplitRows(const std::string& text);

struct CheckBoxImpl : RectControl::Impl {
    CheckBoxImpl();
    QCheckBox& Box() const;
    void SetState(std::int32_t state);

    std::string caption;
};

struct PushButtonImpl : RectControl::Impl {
    PushButtonImpl();
    ~PushButtonImpl() override;
    QPushButton& Button() const;
    // Return and Enter press the default button, Escape the cancel button,
    // wherever the focus is in the window.
    void UpdateShortcuts();

    std::string caption;
    bool isDefault = false;
    bool isCancel = false;
    std::vector<std::function<void(PushButton&)>> handlers;

protected:
    void Attached(QWidget&) override { UpdateShortcuts(); }

private:
    void PressFromKeyboard();
    void DropShortcuts();
    std::vector<QPointer<QShortcut>> shortcuts_;
};

// Shows a picture scaled to fit, aspect kept, centred; reports presses.
class ImageWellWidget : public QWidget {
public:
    ImageWellWidget();
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

struct ImageWellImpl : RectControl::Impl {
    ImageWellImpl();
    ~ImageWellImpl() override;
    ImageWellWidget& Well() const;

    std::vector<std::function<bool(ImageWell&, std::int32_t, std::int32_t)>> handlers;
};

struct SeparatorImpl : RectControl::Impl {
    SeparatorImpl();
};

}  // namespace platform
