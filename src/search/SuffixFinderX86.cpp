// SSE2 and AVX2 kernels of the backward search, chosen at run time.
//
// Each block tests many start positions at once: the bytes at the three rare
// needle positions must all agree before the whole needle is compared. Blocks go from high addresses to low, and set bits are
// taken from the highest, so the first verified hit is the last occurrence.
#include "search/SuffixFinder.h"

#if defined(__i386__) || defined(__x86_64__)

#include <immintrin.h>

#include "search/MaskBits.h"

namespace plinvaro {
__attribute__((target("sse2"))) std::int64_t FindLastStartSse2(
    const unsigned char* hay, std::int64_t maxStart, const SuffixFinder::Needle& n) {
  const __m128i c1 = _mm_set1_epi8(static_cast<char>(n.bytes[n.rare1]));
  const __m128i c2 = _mm_set1_epi8(static_cast<char>(n.bytes[n.rare2]));
  const __m128i c3 = _mm_set1_epi8(static_cast<char>(n.bytes[n.rare3]));
  const unsigned char* p1 = hay + n.rare1;
  const unsigned char* p2 = hay + n.rare2;
  const unsigned char* p3 = hay + n.rare3;
  const auto candidates = [&](std::int64_t at) __attribute__((target("sse2"))) {
    const __m128i m1 = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p1 + at)), c1);
    const __m128i m2 = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p2 + at)), c2);
    const __m128i m3 = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p3 + at)), c3);
    return _mm_and_si128(_mm_and_si128(m1, m2), m3);
  };
  std::int64_t s = maxStart;
  while (s >= 31) {
    const std::int64_t base = s - 31;
    const __m128i lo = candidates(base);
    const __m128i hi = candidates(base + 16);
    const auto mask = static_cast<std::uint32_t>(_mm_movemask_epi8(lo)) |
                      (static_cast<std::uint32_t>(_mm_movemask_epi8(hi)) << 16);
    if (mask != 0) {
      const std::int64_t hit = HighestNeedleStart(hay, base, mask, n);
      if (hit >= 0) return hit;
    }
    s -= 32;
  }
  return FindLastStartScalar(hay, s, n);
}

__attribute__((target("avx2"))) std::int64_t FindLastStartAvx2(
    const unsigned char* hay, std::int64_t maxStart, const SuffixFinder::Needle& n) {
  const __m256i c1 = _mm256_set1_epi8(static_cast<char>(n.bytes[n.rare1]));
  const __m256i c2 = _mm256_set1_epi8(static_cast<char>(n.bytes[n.rare2]));
  const __m256i c3 = _mm256_set1_epi8(static_cast<char>(n.bytes[n.rare3]));
  const unsigned char* p1 = hay + n.rare1;
  const unsigned char* p2 = hay + n.rare2;
  const unsigned char* p3 = hay + n.rare3;
  const auto candidates = [&](std::int64_t at) __attribute__((target("avx2"))) {
    const __m256i m1 =
        _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p1 + at)), c1);
    const __m256i m2 =
        _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p2 + at)), c2);
    const __m256i m3 =
        _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p3 + at)), c3);
    return _mm256_and_si256(_mm256_and_si256(m1, m2), m3);
  };
  std::int64_t s = maxStart;
  while (s >= 63) {
    const std::int64_t base = s - 63;
    const __m256i lo = candidates(base);
    const __m256i hi = candidates(base + 32);
    if (!_mm256_testz_si256(_mm256_or_si256(lo, hi), _mm256_or_si256(lo, hi))) {
      const auto maskHi = static_cast<std::uint32_t>(_mm256_movemask_epi8(hi));
      std::int64_t hit = HighestNeedleStart(hay, base + 32, maskHi, n);
      if (hit >= 0) return hit;
      const auto maskLo = static_cast<std::uint32_t>(_mm256_movemask_epi8(lo));
      hit = HighestNeedleStart(hay, base, maskLo, n);
      if (hit >= 0) return hit;
    }
    s -= 64;
  }
  return FindLastStartScalar(hay, s, n);
}

}  // namespace plinvaro

#endif
