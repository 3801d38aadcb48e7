#pragma once
// Timing helpers shared by the benchmarks.
#include <algorithm>
#include <ctime>
#include <malloc.h>
#include <sys/resource.h>
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

// The thread's minor page faults so far: first touches of memory the process got from the system.
inline long minorFaults() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_minflt;
}

// What the measured work paid: thread CPU time and the page faults within it.
struct Cost {
    double ms = 0;
    long faults = 0;
};

// Runs work once and returns its cost. Cold: every free page of the heap is given back to the
// system first, so the work touches its memory afresh, as a program's first fill does. Warm: the
// memory earlier work freed is left where it is.
template <class Work> Cost measure(bool cold, Work&& work) {
    if (cold) malloc_trim(0);
    const long f0 = minorFaults();
    const double t0 = cpuMs();
    work();
    return {cpuMs() - t0, minorFaults() - f0};
}

// Medians of the costs of one side of a comparison.
struct Costs {
    std::vector<double> ms, faults;
    void add(const Cost& c) {
        ms.push_back(c.ms);
        faults.push_back(static_cast<double>(c.faults));
    }
};
