// What the tick benchmarks share: their clock, their size settings and the summary of their samples.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace plinvaro::bench {

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The positive whole number in environment variable `name`, else `fallback`.
inline int EnvNumber(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

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
