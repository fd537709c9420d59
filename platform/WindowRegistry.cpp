#include "platform/WindowRegistry.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <QCoreApplication>

#include "platform/Window.h"

namespace platform {
namespace {

// With the runtime's ownership of the windows it adopted.
struct OpenWindow {
    Window* window;
    std::unique_ptr<Window> owned;
};
std::vector<OpenWindow> openWindows;

// Holds a closed window until Qt deletes it later, so never inside the
// window's own handler nor inside a modal loop that runs under it.
class RetiredWindow : public QObject {
public:
    explicit RetiredWindow(std::unique_ptr<Window> window) : window_(std::move(window)) {}

private:
    std::unique_ptr<Window> window_;
};

auto Find(const Window* window)
{
    return std::ranges::find(openWindows, window, &OpenWindow::window);
}

}  // namespace

void windows::TrackOpen(Window& window)
{
    openWindows.push_back({&window, nullptr});
}

void windows::ForgetOpen(Window& window)
{
    const auto found = Find(&window);
    if (found == openWindows.end())
        return;
    std::unique_ptr<Window> owned = std::move(found->owned);
    openWindows.erase(found);
    if (owned)
        (new RetiredWindow(std::move(owned)))->deleteLater();
}

Window* windows::FirstOpenWindow()
{
    return openWindows.empty() ? nullptr : openWindows.front().window;
}

void windows::ReleaseAll()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Off the list before they go, so that none finds itself there.
    const std::vector<OpenWindow> doomed = std::move(openWindows);
    openWindows.clear();
}

Window* ImplicitWindow(const std::string& className)
{
    const auto newest = std::ranges::find(openWindows.rbegin(), openWindows.rend(), className,
                                          [](const OpenWindow& open) -> const std::string& { return open.window->ClassName(); });
    return newest == openWindows.rend() ? nullptr : newest->window;
}

void AdoptWindow(std::unique_ptr<Window> window)
{
    if (const auto found = Find(window.get()); found != openWindows.end())
        found->owned = std::move(window);
}

}  // namespace platform
