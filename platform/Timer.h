#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/Controls.h"

class QTimer;

namespace platform {

// In Mode 2 the timer fires on every multiple of Period milliseconds of the
// wall clock (a Period of 500 ticks on the whole and half seconds); any other
// Mode leaves it off. It runs as soon as Mode and Period say so.
class Timer : public Control {
public:
    Timer();
    ~Timer() override;
    const PropertyTable& Properties() const override;

    void SetMode(std::int32_t mode);
    void SetPeriod(std::int32_t period);
    void AddActionHandler(std::function<void(Timer&)> handler);

    struct Impl;

private:
    friend QTimer& QtTimerOf(Timer& timer);
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
