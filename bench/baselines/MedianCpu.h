#pragma once

#include <time.h>

#include <algorithm>
#include <array>

// The calling thread's CPU milliseconds for one run of work: the median of
// five, so one run that the machine's other load slows does not count.
template <typename Work>
double MedianThreadCpuMs(Work work)
{
    const auto threadCpuMs = [] {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) * 1e-6;
    };
    std::array<double, 5> costs{};
    for (double& cost : costs) {
        const double start = threadCpuMs();
        work();
        cost = threadCpuMs() - start;
    }
    std::nth_element(costs.begin(), costs.begin() + 2, costs.end());
    return costs[2];
}
