#pragma once
// Timing helpers shared by the benchmarks.
#include <algorithm>
#include <ctime>
#include <vector>

// The thread's CPU time: other builds share this machine, and wall time would charge their load to
// whichever side happened to run alongside it. Page faults of the work count, as system time.
inline double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

inline double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}
