// Timing for the benchmarks: a call repeated, its median and 99th percentile.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

struct Figures {
    double median, p99;  // microseconds
};

inline double Microseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1e6 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

inline Figures Summarise(std::vector<double> us)
{
    if (us.empty()) return {0, 0};
    std::sort(us.begin(), us.end());
    return {us[us.size() / 2], us[std::min(us.size() - 1, us.size() * 99 / 100)]};
}

template <class Call>
Figures Measure(int rounds, Call call)
{
    std::vector<double> us;
    us.reserve(rounds);
    LARGE_INTEGER a, b;
    for (int i = 0; i < rounds; ++i) {
        QueryPerformanceCounter(&a);
        call();
        QueryPerformanceCounter(&b);
        us.push_back(Microseconds(a, b));
    }
    return Summarise(us);
}

}  // namespace bench
