#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QPointer>

#include "platform/Controls.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "platform/WindowWidget.h"

class QMenuBar;

namespace platform {

// The state behind a Window: the values its properties last took, and, once
// Layout has said what kind of window it is, the widgets that show them.
struct Window::Impl {
    explicit Impl(Window& owner) : owner(owner) {}

    // Frame 1, 2 (modal) and 8 (sheet) make a dialog; any other a window
    // with a menu bar.
    bool IsDialog() const { return frame == 1 || frame == 2 || frame == 8; }
    void MakeWidgets();
    void BuildMenuBar();
    void PushGeometry();
    void ChainFocus();
    void Hide();
    void MenuChosen(const std::string& name, bool quits);

    Window& owner;
    QPointer<QWidget> top;
    QPointer<PictureArea> area;
    QPointer<QMenuBar> qtMenuBar;
    std::shared_ptr<platform::MenuBar> menuTree;
    PicturePtr backdrop;

    std::int32_t width = 600;
    std::int32_t height = 400;
    std::int32_t minWidth = 64;
    std::int32_t minHeight = 64;
    std::int32_t maxWidth = 32000;
    std::int32_t maxHeight = 32000;
    std::int32_t frame = 0;
    std::string title;
    bool visible = true;
    bool closeButton = true;

    std::vector<std::pair<std::string, std::unique_ptr<Control>>> controls;
    std::map<std::string, std::function<bool()>, std::less<>> menuHandlers;

    // Layout has run: from now on a size change made by the program raises
    // Resized.
    bool laidOut = false;
    bool closed = false;
};

// The window's hooks, for the platform layer's callers.
struct WindowEvents {
    static void Layout(Window& w) { w.Layout(); }
    static void CreateControls(Window& w) { w.CreateControls(); }
    static void AddMenuHandlers(Window& w) { w.AddMenuHandlers(w); }
    static void Open(Window& w) { w.Event_Open(); }
    static void Close(Window& w) { w.Event_Close(); }
    static void MouseDown(Window& w, std::int32_t x, std::int32_t y) { w.Event_MouseDown(x, y); }
    static void Resized(Window& w) { w.Event_Resized(); }
};

}  // namespace platform
