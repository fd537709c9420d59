#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Object.h"
#include "platform/Picture.h"

namespace platform {

class Window;

// A control belongs to the window it was added to and is known there by its
// Name (and by its Index when it is a member of a control array).
class Control : public Object {
public:
    Control();
    ~Control() override;
    const PropertyTable& Properties() const override;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    std::int32_t Index() const { return index_; }
    void SetIndex(std::int32_t index) { index_ = index; }
    Window* Owner() const { return owner_; }

    // Called by Window::AddControl.
    virtual void AttachTo(Window& owner);

private:
    std::string name_;
    std::int32_t index_ = INT32_MIN;
    Window* owner_ = nullptr;
};

// In Mode 2 the timer fires on every multiple of Period milliseconds of the
// wall clock (a Period of 500 ticks on the whole and half seconds); any other
// Mode leaves it off. It runs as soon as Mode and Period say so.
class Timer : public Control {
public:
    Timer();
    ~Timer() override;
    const PropertyTable& Properties() const override;

    std::int32_t Mode() const;
    std::int32_t Period() const;
    void SetMode(std::int32_t mode);
    void SetPeriod(std::int32_t period);
    bool IsRunning() const;

    void AddActionHandler(std::function<void(Timer&)> handler);
    // Test seam: runs the Action now, as the timer would.
    void Fire();

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

// A control with a widget inside its window's picture area. The text
// properties apply to controls that show text.
class RectControl : public Control {
public:
    ~RectControl() override;
    const PropertyTable& Properties() const override;
    void AttachTo(Window& owner) override;

    std::int32_t Left() const;
    std::int32_t Top() const;
    std::int32_t Width() const;
    std::int32_t Height() const;
    void SetLeft(std::int32_t v);
    void SetTop(std::int32_t v);
    void SetWidth(std::int32_t v);
    void SetHeight(std::int32_t v);
    std::int32_t TabIndex() const;
    void SetTabIndex(std::int32_t v);
    void SetEnabled(bool v);
    void SetVisible(bool v);
    void SetTextFont(const std::string& family);
    void SetTextSize(double points);
    void SetTextUnit(std::int32_t unit);

    struct Impl;
    Impl& impl() const { return *impl_; }

protected:
    explicit RectControl(std::unique_ptr<Impl> impl);

private:
    std::unique_ptr<Impl> impl_;
};

class Label : public RectControl {
public:
    Label();
    const PropertyTable& Properties() const override;
    std::string Text() const;
    void SetText(const std::string& text);
};

class PopupMenu : public RectControl {
public:
    PopupMenu();
    const PropertyTable& Properties() const override;
    // Rows from the text, split at CR; the empty text gives no rows.
    void SetInitialValue(const std::string& rows);
    // The selected row from 0; -1 when none. An index with no row selects none.
    std::int32_t ListIndex() const;
    void SetListIndex(std::int32_t index);
    std::int32_t ListCount() const;
    std::string List(std::int32_t row) const;
    // The text of the selected row; empty when none.
    std::string Text() const;
    void DeleteAllRows();
    void AddRow(const std::string& text);
};

class CheckBox : public RectControl {
public:
    CheckBox();
    const PropertyTable& Properties() const override;
    bool Value() const;
    void SetValue(bool value);
    std::string Caption() const;
    void SetCaption(const std::string& caption);
};

class PushButton : public RectControl {
public:
    PushButton();
    const PropertyTable& Properties() const override;
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    // In a dialog, Return presses the Default button and Escape the Cancel
    // button, unless a list is open.
    void SetDefault(bool value);
    void SetCancel(bool value);
    void AddActionHandler(std::function<void(PushButton&)> handler);
    // Test seam: presses the button as the user would.
    void Push();
};

class ImageWell : public RectControl {
public:
    ImageWell();
    const PropertyTable& Properties() const override;
    PicturePtr Image() const;
    void SetImage(PicturePtr picture);
    // The one handler of a press; a later one replaces it.
    void AddMouseDownHandler(std::function<bool(ImageWell&, std::int32_t, std::int32_t)> handler);
    // Test seam: a mouse press at the control position.
    void PressMouse(std::int32_t x, std::int32_t y);
};

class Separator : public RectControl {
public:
    Separator();
};

}  // namespace platform
