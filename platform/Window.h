#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Object.h"
#include "platform/Picture.h"
#include "platform/Runtime.h"

namespace platform {

class Control;
class MenuBar;

// A top-level window. Building it (Constructor) runs, in order, Layout,
// CreateControls and AddMenuHandlers, shows it when Visible (a dialog only
// when it is shown modally), and raises Open. Its Frame, set by Layout, makes
// it a dialog (1, 2, 8) or a window with a menu bar.
// From the start of its construction until its Close handler has returned it
// is the single instance of its class, found by ImplicitWindow.
class Window : public Object {
public:
    explicit Window(std::string className);
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    const std::string& ClassName() const { return className_; }
    const PropertyTable& Properties() const override;

    void Constructor();

    // Size, in pixels, of the window's picture area, below its menu bar. A
    // change made by the program raises Resized before the setter returns.
    // The user cannot resize the window.
    std::int32_t Width() const;
    std::int32_t Height() const;
    void SetWidth(std::int32_t width);
    void SetHeight(std::int32_t height);
    std::int32_t MinWidth() const;
    std::int32_t MinHeight() const;
    std::int32_t MaxWidth() const;
    std::int32_t MaxHeight() const;
    void SetMinWidth(std::int32_t value);
    void SetMinHeight(std::int32_t value);
    void SetMaxWidth(std::int32_t value);
    void SetMaxHeight(std::int32_t value);

    std::string Title() const;
    void SetTitle(const std::string& title);

    // The picture painted over the picture area from its top left corner.
    PicturePtr Backdrop() const;
    void SetBackdrop(PicturePtr picture);

    std::shared_ptr<platform::MenuBar> MenuBar() const;
    void SetMenuBar(std::shared_ptr<platform::MenuBar> menuBar);

    bool CloseButton() const;

    // Shows a dialog modally, over the oldest open window, and returns once
    // it has closed; the keyboard then goes back to that window. Any other
    // window is only shown.
    void ShowModal();
    // Raises Close, then hides the window and forgets it.
    void Close();
    bool IsClosed() const;

    // Controls by name; an array member also by its index.
    void AddControl(const std::string& name, std::unique_ptr<Control> control);
    Control* ControlByName(const std::string& name) const;
    Control* ControlByName(const std::string& name, std::int32_t index) const;
    // The same, as the control's class; raises NilObjectException when the
    // window has no such control of that class.
    template <class C>
    C& ControlAs(const std::string& name) const
    {
        return Typed<C>(ControlByName(name), name);
    }
    template <class C>
    C& ControlAs(const std::string& name, std::int32_t index) const
    {
        return Typed<C>(ControlByName(name, index), name);
    }

    // Binds a handler to the menu item of that Name.
    void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);

    // Test seams that act as the user would.
    // Chooses the menu item of that Name through the window's menu bar;
    // false when the window shows no such item.
    bool ChooseMenuItem(const std::string& name);
    // A mouse press at the window position.
    void PressMouse(std::int32_t x, std::int32_t y);

    struct Impl;
    Impl& impl() const { return *impl_; }

protected:
    // Hooks, each run through the exception routine.
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void AddMenuHandlers(Window&) {}
    virtual void Event_Open() {}
    virtual void Event_Close() {}
    virtual bool Event_MouseDown(std::int32_t, std::int32_t) { return false; }
    virtual void Event_Resized() {}

private:
    template <class C>
    static C& Typed(Control* found, const std::string& name)
    {
        auto* typed = dynamic_cast<C*>(found);
        if (!typed)
            throw NilObjectException("no control " + name);
        return *typed;
    }

    friend struct WindowEvents;
    std::string className_;
    std::unique_ptr<Impl> impl_;
};

// The window of that class while one exists, else nullptr.
Window* ImplicitWindow(const std::string& className);

// Hands a newly made window to the runtime, which keeps it until it closes.
void AdoptWindow(std::unique_ptr<Window> window);

// The get-or-create accessor behind every window class's implicit instance.
// A window of another class under that name raises IllegalCastException.
template <class W>
W& GetOrCreateWindow(const std::string& className)
{
    if (Window* found = ImplicitWindow(className)) {
        if (auto* typed = dynamic_cast<W*>(found))
            return *typed;
        throw IllegalCastException("window " + className + " is not of the requested class");
    }
    auto made = std::make_unique<W>();
    W& window = *made;
    AdoptWindow(std::move(made));
    window.Constructor();
    return window;
}

}  // namespace platform
