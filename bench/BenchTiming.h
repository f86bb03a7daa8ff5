#pragma once
// Wall-clock timing shared by the benchmarks that measure the window.

#include <algorithm>
#include <chrono>
#include <vector>

namespace petari::bench::timing {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The middle of the times: on a machine shared with other builds, a few
// iterations wait for the processor, and the mean shows them.
inline double median(std::vector<double> times)
{
    if (times.empty())
        return 0;
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
}

// The time 95 of 100 iterations stay within (the nearest rank).
inline double percentile95(std::vector<double> times)
{
    if (times.empty())
        return 0;
    std::sort(times.begin(), times.end());
    const size_t rank = (95 * times.size() + 99) / 100;
    return times[std::max<size_t>(rank, 1) - 1];
}

}  // namespace petari::bench::timing
