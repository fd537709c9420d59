#include "platform/Timer.h"

#include <algorithm>
#include <vector>

#include <QTimer>

#include "platform/Date.h"
#include "platform/QtAccess.h"
#include "platform/Window.h"

namespace platform {

struct Timer::Impl {
    QTimer timer;
    std::int32_t mode = 0;
    std::int32_t period = 1000;
    std::vector<std::function<void(Timer&)>> actions;
};

namespace {

// A timer of a closed window stays quiet until the window is deleted.
void RunActions(Timer& timer, const std::vector<std::function<void(Timer&)>>& actions)
{
    const auto handlers = actions;  // a handler may add another
    for (const auto& action : handlers) {
        if (timer.Owner() && timer.Owner()->IsClosed())
            return;
        CallFromToolkit([&] { action(timer); });
    }
}

// A single shot re-armed at every tick for the wall clock's next multiple of
// period from midnight, so it follows the clock when it jumps. Returns the
// wait: 1 to period.
std::int32_t Arm(Timer::Impl& impl, const LocalTime& now = Date().Time())
{
    const std::int64_t msOfDay = ((now.hour * 60LL + now.minute) * 60 + now.second) * 1000 + now.millisecond;
    const auto wait = static_cast<std::int32_t>(impl.period - msOfDay % impl.period);
    impl.timer.start(wait);
    return wait;
}

}  // namespace

Timer::Timer() : impl_(std::make_unique<Impl>())
{
    impl_->timer.setSingleShot(true);
    impl_->timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&impl_->timer, &QTimer::timeout, &impl_->timer, [this] {
        const LocalTime now = Date().Time();
        // A wake-up this close before a boundary is early: it would read the
        // second that is just ending.
        if (Arm(*impl_, now) <= std::min(5, impl_->period / 10))
            return;
        LendTime(now);
        RunActions(*this, impl_->actions);
        LendTime(std::nullopt);
    });
}

Timer::~Timer() = default;

const PropertyTable& Timer::Properties() const
{
    static const PropertyTable table = Extended(Control::Properties(), {
        {"Mode", Setter(PropertyType::Int32, &Timer::SetMode)},
        {"Period", Setter(PropertyType::Int32, &Timer::SetPeriod)},
    });
    return table;
}

void Timer::SetMode(std::int32_t mode)
{
    impl_->mode = mode;
    if (mode == 2)
        Arm(*impl_);
    else
        impl_->timer.stop();
}

void Timer::SetPeriod(std::int32_t period)
{
    impl_->period = std::max<std::int32_t>(period, 1);
    if (impl_->mode == 2)
        Arm(*impl_);
}

void Timer::AddActionHandler(std::function<void(Timer&)> handler)
{
    if (handler)
        impl_->actions.push_back(std::move(handler));
}

QTimer& QtTimerOf(Timer& timer) { return timer.impl_->timer; }

}  // namespace platform
