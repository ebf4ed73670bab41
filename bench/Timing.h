// Wall-clock timings of repeated runs and what they come to.
#pragma once

#include <vector>

namespace bench {

double NowMs();

struct Summary {
    double median = 0;
    double min = 0;
    // The spread of the middle half of the runs, as a share of the median.
    double iqrShare = 0;
    int runs = 0;
};

Summary Summarize(std::vector<double> times);

// A figure whose middle half spreads more than this is reported as noisy.
constexpr double kNoisyShare = 0.10;

} // namespace bench
