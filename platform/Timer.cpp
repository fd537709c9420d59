#include <algorithm>
#include <vector>

#include <QTimer>

#include "platform/Controls.h"
#include "platform/RuntimeInternal.h"
#include "platform/Window.h"

namespace platform {

struct Timer::Impl {
    QTimer timer;
    std::int32_t mode = 0;
    std::int32_t period = 1000;
    std::vector<std::function<void(Timer&)>> actions;
};

namespace {

enum class Source { Toolkit, Caller };

// A timer of a closed window stays quiet until the window is deleted.
void RunActions(Timer& timer, const std::vector<std::function<void(Timer&)>>& actions, Source source)
{
    const auto handlers = actions;  // a handler may add another
    for (const auto& action : handlers) {
        if (timer.Owner() && timer.Owner()->IsClosed())
            return;
        const auto run = [&] { action(timer); };
        if (source == Source::Toolkit)
            CallFromToolkit(run);
        else
            Dispatch(run);
    }
}

// Mode 0 is off, 1 fires once, 2 fires every period.
void Reconfigure(Timer::Impl& impl)
{
    impl.timer.stop();
    if (impl.mode != 1 && impl.mode != 2)
        return;
    impl.timer.setSingleShot(impl.mode == 1);
    impl.timer.start(std::max<std::int32_t>(impl.period, 0));
}

}  // namespace

Timer::Timer() : impl_(std::make_unique<Impl>())
{
    QObject::connect(&impl_->timer, &QTimer::timeout, &impl_->timer, [this] {
        if (impl_->mode == 1)
            impl_->mode = 0;  // a single shot has fired
        RunActions(*this, impl_->actions, Source::Toolkit);
    });
}

Timer::~Timer() = default;

const PropertyTable& Timer::Properties() const
{
    static const PropertyTable table = [this] {
        PropertyTable own = Control::Properties();
        own.emplace("Mode", Setter(PropertyType::Int32, &Timer::SetMode));
        own.emplace("Period", Setter(PropertyType::Int32, &Timer::SetPeriod));
        return own;
    }();
    return table;
}

std::int32_t Timer::Mode() const
{
    return impl_->mode;
}

std::int32_t Timer::Period() const
{
    return impl_->period;
}

void Timer::SetMode(std::int32_t mode)
{
    impl_->mode = mode;
    Reconfigure(*impl_);
}

void Timer::SetPeriod(std::int32_t period)
{
    impl_->period = period;
    Reconfigure(*impl_);
}

bool Timer::IsRunning() const
{
    return impl_->timer.isActive();
}

void Timer::AddActionHandler(std::function<void(Timer&)> handler)
{
    if (handler)
        impl_->actions.push_back(std::move(handler));
}

void Timer::Fire()
{
    RunActions(*this, impl_->actions, Source::Caller);
}

}  // namespace platform
