// The WebAssembly SIMD128 kernel of the backward search, built where the compiler targets SIMD128 (the browser build).
//
// As the x86 kernels: each round tests 32 start positions, the bytes at the
// three rare needle positions must all agree before the whole needle is
// compared, rounds go from high addresses to low and set bits are taken from
// the highest, so the first verified hit is the last occurrence.
#include "search/SuffixFinder.h"

#if defined(__wasm_simd128__)

#include <wasm_simd128.h>

#include "search/MaskBits.h"

namespace plinvaro {

namespace {
constexpr std::int64_t kRoundStarts = 32;  // two vectors of 16 starts
}  // namespace

std::int64_t FindLastStartSimd128(const unsigned char* hay, std::int64_t maxStart,
                                  const SuffixFinder::Needle& n) {
  const v128_t c1 = wasm_i8x16_splat(static_cast<std::int8_t>(n.bytes[n.rare1]));
  const v128_t c2 = wasm_i8x16_splat(static_cast<std::int8_t>(n.bytes[n.rare2]));
  const v128_t c3 = wasm_i8x16_splat(static_cast<std::int8_t>(n.bytes[n.rare3]));
  const unsigned char* p1 = hay + n.rare1;
  const unsigned char* p2 = hay + n.rare2;
  const unsigned char* p3 = hay + n.rare3;
  // Reads 16 bytes from each of p1 + at, p2 + at, p3 + at: within hay[0 .. at + 15 + length - 1].
  const auto candidates = [&](std::int64_t at) {
    const v128_t m1 = wasm_i8x16_eq(wasm_v128_load(p1 + at), c1);
    const v128_t m2 = wasm_i8x16_eq(wasm_v128_load(p2 + at), c2);
    const v128_t m3 = wasm_i8x16_eq(wasm_v128_load(p3 + at), c3);
    return wasm_v128_and(wasm_v128_and(m1, m2), m3);
  };
  std::int64_t s = maxStart;
  while (s >= kRoundStarts - 1) {
    const std::int64_t base = s - (kRoundStarts - 1);
    const v128_t lo = candidates(base);
    const v128_t hi = candidates(base + 16);
    if (wasm_v128_any_true(wasm_v128_or(lo, hi))) {
      const std::uint32_t mask = wasm_i8x16_bitmask(lo) | (wasm_i8x16_bitmask(hi) << 16);
      const std::int64_t hit = HighestNeedleStart(hay, base, mask, n);
      if (hit >= 0) return hit;
    }
    s -= kRoundStarts;
  }
  return FindLastStartScalar(hay, s, n);
}

}  // namespace plinvaro

#endif
