// The memory benchmarks' measure: how far the peak resident set grows while a piece of work runs (Linux /proc).
#pragma once

#include <malloc.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

namespace plinvaro::bench {

// A figure of /proc/self/status such as "VmRSS:" in bytes; -1 when absent.
inline std::int64_t StatusBytes(const char* key) {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(key, 0) == 0) return std::atoll(line.c_str() + std::strlen(key)) * 1024;
  }
  return -1;
}

// Growth of the peak resident set (file pages included) over the resident set
// before `run`, in bytes; -1 when unknown.
inline std::int64_t PeakGrowth(const std::function<void()>& run) {
  ::malloc_trim(0);  // so that memory freed earlier cannot hide new allocations
  std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak to the current size
  const std::int64_t before = StatusBytes("VmRSS:");
  run();
  const std::int64_t peak = StatusBytes("VmHWM:");
  return before < 0 || peak < 0 ? -1 : peak - before;
}

}  // namespace plinvaro::bench
