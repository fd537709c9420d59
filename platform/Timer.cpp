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
    bool aligning = false;  // the running wait ends on a boundary, not a period later
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

// Milliseconds to the wall clock's next multiple of period from midnight: 1 to period.
std::int32_t ToBoundary(const Timer::Impl& impl, const LocalTime& now)
{
    const std::int64_t msOfDay = ((now.hour * 60LL + now.minute) * 60 + now.second) * 1000 + now.millisecond;
    return static_cast<std::int32_t>(impl.period - msOfDay % impl.period);
}

void Arm(Timer::Impl& impl, const LocalTime& now = Date().Time())
{
    impl.timer.start(ToBoundary(impl, now));
    impl.aligning = true;
}

// On a boundary the timer repeats every period (a precise Qt timer keeps its
// phase), armed anew only when a tick is off, as arming costs more than a tick.
// False just before a boundary: it would read the second that is ending.
bool OnBoundary(Timer::Impl& impl, const LocalTime& now)
{
    const std::int32_t wait = ToBoundary(impl, now);
    const bool early = wait <= std::min(5, impl.period / 10);
    if (early || impl.period - wait > impl.period / 10) {
        Arm(impl, now);
        return !early;
    }
    if (impl.aligning)
        impl.timer.start(impl.period);
    impl.aligning = false;
    return true;
}

}  // namespace

Timer::Timer() : impl_(std::make_unique<Impl>())
{
    impl_->timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&impl_->timer, &QTimer::timeout, &impl_->timer, [this] {
        const LocalTime now = Date().Time();
        if (!OnBoundary(*impl_, now))
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
