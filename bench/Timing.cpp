#include "Timing.h"

#include <windows.h>

#include <algorithm>

namespace bench {

double NowMs()
{
    LARGE_INTEGER frequency{}, counter{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

namespace {

// Linear between the two nearest ranks.
double Quantile(const std::vector<double>& sorted, double q)
{
    const double rank = q * static_cast<double>(sorted.size() - 1);
    const auto low = static_cast<std::size_t>(rank);
    const std::size_t high = std::min(low + 1, sorted.size() - 1);
    return sorted[low] + (sorted[high] - sorted[low]) * (rank - static_cast<double>(low));
}

} // namespace

Summary Summarize(std::vector<double> times)
{
    Summary s;
    if (times.empty())
        return s;
    std::sort(times.begin(), times.end());
    s.runs = static_cast<int>(times.size());
    s.median = Quantile(times, 0.5);
    s.min = times.front();
    s.iqrShare = s.median > 0 ? (Quantile(times, 0.75) - Quantile(times, 0.25)) / s.median : 0;
    return s;
}

} // namespace bench
