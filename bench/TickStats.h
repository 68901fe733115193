// The summary a tick benchmark reports of its samples: median, 95th percentile and maximum.
#pragma once

#include <algorithm>
#include <vector>

namespace plinvaro::bench {

// In the samples' unit (the benchmarks use milliseconds).
struct Stats {
  double median = 0;
  double p95 = 0;
  double max = 0;
};

// `samples` must not be empty.
inline Stats Summarise(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  const std::size_t n = samples.size();
  return {samples[n / 2], samples[(n * 95) / 100], samples.back()};
}

}  // namespace plinvaro::bench
