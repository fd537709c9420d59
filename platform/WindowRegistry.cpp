#include "platform/WindowRegistry.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "platform/RuntimeInternal.h"
#include "platform/Window.h"

namespace platform {
namespace windows {
namespace {

struct Registry {
    std::map<std::string, Window*, std::less<>> implicit;
    std::vector<Window*> open;
    std::vector<std::unique_ptr<Window>> adopted;
    std::vector<std::unique_ptr<Window>> retired;
    int modalDepth = 0;
    bool deletionPosted = false;
};

Registry& State()
{
    static Registry registry;
    return registry;
}

void DeleteRetiredIfIdle()
{
    Registry& r = State();
    if (InsideHandler() || r.modalDepth > 0)
        return;  // the end of the handler or of the modal loop schedules again
    std::vector<std::unique_ptr<Window>> doomed = std::move(r.retired);
    r.retired.clear();
    doomed.clear();
}

}  // namespace

void RegisterImplicit(Window& window)
{
    State().implicit[window.ClassName()] = &window;
}

void ForgetImplicit(Window& window)
{
    auto& implicit = State().implicit;
    auto found = implicit.find(window.ClassName());
    if (found != implicit.end() && found->second == &window)
        implicit.erase(found);
}

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
    Registry& r = State();
    auto owned = std::find_if(r.adopted.begin(), r.adopted.end(),
                              [&](const auto& held) { return held.get() == &window; });
    if (owned == r.adopted.end())
        return;
    r.retired.push_back(std::move(*owned));
    r.adopted.erase(owned);
    ScheduleRetiredDeletion();
}

void ScheduleRetiredDeletion()
{
    Registry& r = State();
    if (r.retired.empty() || r.deletionPosted)
        return;
    r.deletionPosted = true;
    PostToEventLoop([] {
        State().deletionPosted = false;
        DeleteRetiredIfIdle();
    });
}

void ReleaseAll()
{
    Registry& r = State();
    std::vector<std::unique_ptr<Window>> doomed = std::move(r.adopted);
    r.adopted.clear();
    for (auto& window : r.retired)
        doomed.push_back(std::move(window));
    r.retired.clear();
    doomed.clear();
    r.implicit.clear();
    r.open.clear();
}

ModalScope::ModalScope()
{
    ++State().modalDepth;
}

ModalScope::~ModalScope()
{
    if (--State().modalDepth == 0)
        ScheduleRetiredDeletion();
}

}  // namespace windows

Window* ImplicitWindow(const std::string& className)
{
    const auto& implicit = windows::State().implicit;
    auto found = implicit.find(className);
    return found == implicit.end() ? nullptr : found->second;
}

void AdoptWindow(std::unique_ptr<Window> window)
{
    if (window)
        windows::State().adopted.push_back(std::move(window));
}

}  // namespace platform
