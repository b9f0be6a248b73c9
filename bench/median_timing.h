#pragma once
// The timing programs' measure: the median wall time of a few rounds of the
// same work, in milliseconds, so that one slow round on a busy machine does
// not decide the figure.
#include <algorithm>
#include <chrono>
#include <vector>

namespace vallora::bench {

template <typename Body>
double MedianMilliseconds(int rounds, Body&& body) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        const auto start = Clock::now();
        body();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace vallora::bench
