#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Controls.h"
#include "platform/Menu.h"
#include "platform/Picture.h"
#include "platform/PropertyStream.h"
#include "platform/Runtime.h"

class QWidget;

namespace platform {

// A top-level window. Constructor runs Layout, CreateControls and
// AddMenuHandlers, shows it when Visible (a dialog only when shown modally)
// and raises Open. Frame 1, 2 or 8 makes it a dialog, any other a window with
// a menu bar. Until its Close handler has returned it is the single instance
// of its class, found by ImplicitWindow.
class Window : public Object {
public:
    explicit Window(std::string className);
    ~Window() override;

    const std::string& ClassName() const { return className_; }
    const PropertyTable& Properties() const override;

    void Constructor();

    // Size in pixels of the picture area, below the menu bar; a change raises
    // Resized before the setter returns. The bounds only hold their values.
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    void SetWidth(std::int32_t width) { Resize(width, height_); }
    void SetHeight(std::int32_t height) { Resize(width_, height); }
    std::int32_t MinWidth() const { return minWidth_; }
    std::int32_t MinHeight() const { return minHeight_; }
    std::int32_t MaxWidth() const { return maxWidth_; }
    std::int32_t MaxHeight() const { return maxHeight_; }
    void SetMinWidth(std::int32_t value) { minWidth_ = value; }
    void SetMinHeight(std::int32_t value) { minHeight_ = value; }
    void SetMaxWidth(std::int32_t value) { maxWidth_ = value; }
    void SetMaxHeight(std::int32_t value) { maxHeight_ = value; }

    void SetTitle(const std::string& title);

    // The picture painted over the picture area from its top left corner.
    PicturePtr Backdrop() const { return backdrop_; }
    void SetBackdrop(PicturePtr picture);

    std::shared_ptr<platform::MenuBar> MenuBar() const { return menuBar_; }
    void SetMenuBar(std::shared_ptr<platform::MenuBar> menuBar);

    // Shows a dialog modally over the oldest open window, returning once it
    // has closed; any other window is only shown.
    void ShowModal();
    // Raises Close, then hides the window and forgets it.
    void Close();
    bool IsClosed() const { return closed_; }

    // Controls by name, and index in a control array; ControlAs raises
    // NilObjectException for a missing one.
    void AddControl(const std::string& name, std::unique_ptr<Control> control);
    Control* ControlByName(const std::string& name, std::int32_t index = kNoControlArrayIndex) const;
    template <class C>
    C& ControlAs(const std::string& name, std::int32_t index = kNoControlArrayIndex) const
    {
        auto* typed = dynamic_cast<C*>(ControlByName(name, index));
        if (!typed)
            throw NilObjectException("no control " + name);
        return *typed;
    }

    // Binds a handler to the menu item of that Name.
    void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);

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
    struct Impl;
    friend QWidget* ContentWidget(Window& window);

    void Resize(std::int32_t width, std::int32_t height);
    bool IsDialog() const { return frame_ == 1 || frame_ == 2 || frame_ == 8; }

    std::string className_;
    std::int32_t width_ = 600;
    std::int32_t height_ = 400;
    std::int32_t minWidth_ = 64;
    std::int32_t minHeight_ = 64;
    std::int32_t maxWidth_ = 32000;
    std::int32_t maxHeight_ = 32000;
    std::int32_t frame_ = 0;
    std::string title_;
    bool visible_ = true;
    bool closeButton_ = true;
    bool laidOut_ = false;
    bool closed_ = false;
    PicturePtr backdrop_;
    std::shared_ptr<platform::MenuBar> menuBar_;
    std::vector<std::pair<std::string, std::unique_ptr<Control>>> controls_;
    std::map<std::string, std::function<bool()>, std::less<>> menuHandlers_;
    std::unique_ptr<Impl> impl_;
};

// The window of that class while one exists, else nullptr.
Window* ImplicitWindow(const std::string& className);

// Hands a newly made window to the runtime, which keeps it until it closes.
void AdoptWindow(std::unique_ptr<Window> window);

// Behind every window class's implicit instance. A window of another class
// under that name raises IllegalCastException.
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
