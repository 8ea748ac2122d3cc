#pragma once

// Timing helper shared by the benchmarks.

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace zorv::bench {

// Median time of one call in milliseconds, after one warm-up call.
inline double Median(int runs, const std::function<void()>& f) {
    f();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        f();
        auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace zorv::bench
