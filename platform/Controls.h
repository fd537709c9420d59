#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Picture.h"
#include "platform/PropertyStream.h"

class QWidget;

namespace platform {

class Window;

// Known in its window by its Name, and its Index in a control array.
class Control : public Object {
public:
    const PropertyTable& Properties() const override;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    std::int32_t Index() const { return index_; }
    void SetIndex(std::int32_t index) { index_ = index; }
    Window* Owner() const { return owner_; }

    // Called by Window::AddControl.
    virtual void AttachTo(Window& owner) { owner_ = &owner; }

private:
    std::string name_;
    std::int32_t index_ = kNoControlArrayIndex;
    Window* owner_ = nullptr;
};

// A control shown by a widget in its window's picture area, once added to it.
class RectControl : public Control {
public:
    ~RectControl() override;
    const PropertyTable& Properties() const override;
    void AttachTo(Window& owner) override;

    // Pixels from the picture area's top left corner.
    void SetLeft(std::int32_t left);
    void SetTop(std::int32_t top);
    void SetWidth(std::int32_t width);
    void SetHeight(std::int32_t height);
    // Tab visits the window's controls by this, once they are all made.
    std::int32_t TabIndex() const { return tabIndex_; }
    void SetTabIndex(std::int32_t tabIndex) { tabIndex_ = tabIndex; }
    void SetEnabled(bool enabled);
    void SetVisible(bool visible);
    // Check boxes and push buttons only; on another control it raises.
    void SetCaption(const std::string& caption);
    // A point is one layout pixel; 0 keeps the toolkit's size.
    void SetTextSize(double points);
    // Only unit 0, pixels, occurs.
    void SetTextUnit(std::int32_t) {}

protected:
    explicit RectControl(QWidget* widget);

private:
    friend QWidget* WidgetOf(const RectControl& control);
    // The widget belongs to its window's widgets, which may go first.
    struct GuardedWidget;
    std::unique_ptr<GuardedWidget> widget_;
    std::int32_t tabIndex_ = 0;
    bool visible_ = true;
};

class Label : public RectControl {
public:
    Label();
    void SetText(const std::string& text);
};

class PopupMenu : public RectControl {
public:
    PopupMenu();
    // Rows from the text, split at CR; the empty text gives no rows.
    void SetInitialValue(const std::string& rows);
    // The selected row from 0; -1 when none. An index with no row selects none.
    std::int32_t ListIndex() const;
    void SetListIndex(std::int32_t index);
    // A row's text; empty past the last row.
    std::string List(std::int32_t row) const;
    std::string Text() const { return List(ListIndex()); }
    void DeleteAllRows();
    // Appends a row; the selection stays.
    void AddRow(const std::string& text);
};

class CheckBox : public RectControl {
public:
    CheckBox();
    bool Value() const;
    void SetValue(bool value);
};

class PushButton : public RectControl {
public:
    PushButton();
    // In a dialog, Return presses the Default button and Escape the Cancel one.
    void SetDefault(bool value);
    void SetCancel(bool value);
    void AddActionHandler(std::function<void(PushButton&)> handler);
};

// Shows its picture scaled to fit, aspect kept, centred.
class ImageWell : public RectControl {
public:
    ImageWell();
    PicturePtr Image() const;
    void SetImage(PicturePtr picture);
    // The one handler of a press; a later one replaces it.
    void AddMouseDownHandler(std::function<bool(ImageWell&, std::int32_t, std::int32_t)> handler);
};

class Separator : public RectControl {
public:
    Separator();
};

}  // namespace platform
