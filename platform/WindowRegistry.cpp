#include "platform/WindowRegistry.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <QCoreApplication>

#include "platform/Window.h"

namespace platform {
namespace windows {
namespace {

struct Registry {
    std::vector<Window*> open;
    std::vector<std::unique_ptr<Window>> adopted;
};

Registry& State()
{
    static Registry registry;
    return registry;
}

// Holds a closed window until Qt deletes it: once control is back in the
// event loop that the close came from, so never inside the window's own
// handler nor inside a modal loop that runs under it.
class RetiredWindow : public QObject {
public:
    explicit RetiredWindow(std::unique_ptr<Window> window) : window_(std::move(window)) {}

private:
    std::unique_ptr<Window> window_;
};

}  // namespace

void TrackOpen(Window& window)
{
    State().open.push_back(&window);
}

void ForgetOpen(Window& window)
{
    auto& open = State().open;
    open.erase(std::remove(open.begin(), open.end(), &window), open.end());
}

Window* FirstOpenWindow()
{
    const auto& open = State().open;
    return open.empty() ? nullptr : open.front();
}

void Retire(Window& window)
{
    auto& adopted = State().adopted;
    auto owned = std::find_if(adopted.begin(), adopted.end(), [&](const auto& held) { return held.get() == &window; });
    if (owned == adopted.end())
        return;
    (new RetiredWindow(std::move(*owned)))->deleteLater();
    adopted.erase(owned);
}

void ReleaseAll()
{
    Registry& r = State();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::vector<std::unique_ptr<Window>> doomed = std::move(r.adopted);
    r.adopted.clear();
    doomed.clear();
    r.open.clear();
}

}  // namespace windows

Window* ImplicitWindow(const std::string& className)
{
    const auto& open = windows::State().open;
    const auto found = std::find_if(open.rbegin(), open.rend(), [&](Window* w) { return w->ClassName() == className; });
    return found == open.rend() ? nullptr : *found;
}

void AdoptWindow(std::unique_ptr<Window> window)
{
    if (window)
        windows::State().adopted.push_back(std::move(window));
}

}  // namespace platform
