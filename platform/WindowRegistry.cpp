#include "platform/WindowRegistry.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <QCoreApplication>

#include "platform/Window.h"

namespace platform {
namespace {

struct OpenWindow {
    Window* window;
    std::unique_ptr<Window> owned;
};

// Never destroyed: a process that exit() ends under the event loop (the
// display went away) must not delete widgets after the toolkit gave up.
std::vector<OpenWindow>& OpenWindows()
{
    static auto* list = new std::vector<OpenWindow>;
    return *list;
}

// Holds a closed window until Qt's deleteLater: never inside the window's own
// handler nor a modal loop under it.
class RetiredWindow : public QObject {
public:
    explicit RetiredWindow(std::unique_ptr<Window> window) : window_(std::move(window)) {}

private:
    std::unique_ptr<Window> window_;
};

auto Find(const Window* window)
{
    return std::ranges::find(OpenWindows(), window, &OpenWindow::window);
}

}  // namespace

void windows::TrackOpen(Window& window)
{
    OpenWindows().push_back({&window, nullptr});
}

void windows::ForgetOpen(Window& window)
{
    const auto found = Find(&window);
    if (found == OpenWindows().end())
        return;
    std::unique_ptr<Window> owned = std::move(found->owned);
    OpenWindows().erase(found);
    if (owned)
        (new RetiredWindow(std::move(owned)))->deleteLater();
}

Window* windows::FirstOpenWindow()
{
    return OpenWindows().empty() ? nullptr : OpenWindows().front().window;
}

void windows::ReleaseAll()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Off the list first, so that none finds itself there.
    std::vector<OpenWindow> doomed = std::move(OpenWindows());
    OpenWindows().clear();
    // Newest first, as Qt's ownership goes: a dialog's widgets are children
    // of the window it was shown over.
    while (!doomed.empty())
        doomed.pop_back();
}

Window* ImplicitWindow(const std::string& className)
{
    const std::vector<OpenWindow>& open = OpenWindows();
    const auto newest = std::ranges::find(open.rbegin(), open.rend(), className,
                                          [](const OpenWindow& each) -> const std::string& { return each.window->ClassName(); });
    return newest == open.rend() ? nullptr : newest->window;
}

void AdoptWindow(std::unique_ptr<Window> window)
{
    if (const auto found = Find(window.get()); found != OpenWindows().end())
        found->owned = std::move(window);
}

}  // namespace platform
