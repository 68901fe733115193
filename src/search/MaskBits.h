// Taking a vector kernel's candidate bits from the highest, so a backward search finds the last hit first.
#pragma once

#include <cstdint>
#include <cstring>

#include "search/SuffixFinder.h"

namespace plinvaro {

// The highest start in [base, base + 32) whose bit is set in `mask` and that
// `accept(start)` confirms, or -1.
template <typename Accept>
inline std::int64_t HighestAccepted(std::int64_t base, std::uint32_t mask, const Accept& accept) {
  while (mask != 0) {
    const int bit = 31 - __builtin_clz(mask);
    if (accept(base + bit)) return base + bit;
    mask &= ~(std::uint32_t{1} << bit);
  }
  return -1;
}

// The highest start in [base, base + 32) with its bit set in `mask` where the needle is, or -1.
inline std::int64_t HighestNeedleStart(const unsigned char* hay, std::int64_t base, std::uint32_t mask,
                                       const SuffixFinder::Needle& n) {
  return HighestAccepted(base, mask, [&](std::int64_t start) {
    return std::memcmp(hay + start, n.bytes, static_cast<std::size_t>(n.length)) == 0;
  });
}

}  // namespace plinvaro
