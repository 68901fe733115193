// SSE2 and AVX2 kernels of the folded backward search, chosen at run time.
//
// As the exact kernels, but each of the three positions is tested with
// (byte | mask) == value, so that one compare lets every case of a letter
// through. Blocks go from high addresses to low and set bits are taken from
// the highest, so the first find that the check confirms is the last one.
#include "search/FoldedFinder.h"

#if defined(__i386__) || defined(__x86_64__)

#include <immintrin.h>

#include "search/MaskBits.h"

namespace plinvaro {
namespace {

// The highest start in [base, base + 32) with its bit set in `mask` that the check confirms, or -1.
std::int64_t CheckMask(std::int64_t base, std::uint32_t mask, const FoldFilter& f,
                       const FindCheck& check) {
  return HighestAccepted(base, mask, [&](std::int64_t start) { return check.Matches(start + f.width - 1); });
}

}  // namespace

__attribute__((target("sse2"))) std::int64_t FindLastFoldedStartSse2(
    const unsigned char* d, std::int64_t lowStart, std::int64_t maxStart, const FoldFilter& f,
    const FindCheck& check) {
  const FoldAnchor* a = f.anchors;
  const __m128i m1 = _mm_set1_epi8(static_cast<char>(a[0].mask));
  const __m128i m2 = _mm_set1_epi8(static_cast<char>(a[1].mask));
  const __m128i m3 = _mm_set1_epi8(static_cast<char>(a[2].mask));
  const __m128i v1 = _mm_set1_epi8(static_cast<char>(a[0].value));
  const __m128i v2 = _mm_set1_epi8(static_cast<char>(a[1].value));
  const __m128i v3 = _mm_set1_epi8(static_cast<char>(a[2].value));
  const unsigned char* p1 = d + a[0].pos;
  const unsigned char* p2 = d + a[1].pos;
  const unsigned char* p3 = d + a[2].pos;
  const auto candidates = [&](std::int64_t at) __attribute__((target("sse2"))) {
    const __m128i t1 =
        _mm_cmpeq_epi8(_mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p1 + at)), m1), v1);
    const __m128i t2 =
        _mm_cmpeq_epi8(_mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p2 + at)), m2), v2);
    const __m128i t3 =
        _mm_cmpeq_epi8(_mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p3 + at)), m3), v3);
    return _mm_and_si128(_mm_and_si128(t1, t2), t3);
  };
  std::int64_t s = maxStart;
  while (s - 31 >= lowStart) {
    const std::int64_t base = s - 31;
    const auto mask = static_cast<std::uint32_t>(_mm_movemask_epi8(candidates(base))) |
                      (static_cast<std::uint32_t>(_mm_movemask_epi8(candidates(base + 16))) << 16);
    if (mask != 0) {
      const std::int64_t hit = CheckMask(base, mask, f, check);
      if (hit >= 0) return hit;
    }
    s -= 32;
  }
  return FindLastFoldedStartScalar(d, lowStart, s, f, check);
}

__attribute__((target("avx2"))) std::int64_t FindLastFoldedStartAvx2(
    const unsigned char* d, std::int64_t lowStart, std::int64_t maxStart, const FoldFilter& f,
    const FindCheck& check) {
  const FoldAnchor* a = f.anchors;
  const __m256i m1 = _mm256_set1_epi8(static_cast<char>(a[0].mask));
  const __m256i m2 = _mm256_set1_epi8(static_cast<char>(a[1].mask));
  const __m256i m3 = _mm256_set1_epi8(static_cast<char>(a[2].mask));
  const __m256i v1 = _mm256_set1_epi8(static_cast<char>(a[0].value));
  const __m256i v2 = _mm256_set1_epi8(static_cast<char>(a[1].value));
  const __m256i v3 = _mm256_set1_epi8(static_cast<char>(a[2].value));
  const unsigned char* p1 = d + a[0].pos;
  const unsigned char* p2 = d + a[1].pos;
  const unsigned char* p3 = d + a[2].pos;
  const auto candidates = [&](std::int64_t at) __attribute__((target("avx2"))) {
    const __m256i t1 = _mm256_cmpeq_epi8(
        _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p1 + at)), m1), v1);
    const __m256i t2 = _mm256_cmpeq_epi8(
        _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p2 + at)), m2), v2);
    const __m256i t3 = _mm256_cmpeq_epi8(
        _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p3 + at)), m3), v3);
    return _mm256_and_si256(_mm256_and_si256(t1, t2), t3);
  };
  std::int64_t s = maxStart;
  while (s - 63 >= lowStart) {
    const std::int64_t base = s - 63;
    const __m256i lo = candidates(base);
    const __m256i hi = candidates(base + 32);
    const __m256i any = _mm256_or_si256(lo, hi);
    if (!_mm256_testz_si256(any, any)) {
      std::int64_t hit =
          CheckMask(base + 32, static_cast<std::uint32_t>(_mm256_movemask_epi8(hi)), f, check);
      if (hit >= 0) return hit;
      hit = CheckMask(base, static_cast<std::uint32_t>(_mm256_movemask_epi8(lo)), f, check);
      if (hit >= 0) return hit;
    }
    s -= 64;
  }
  return FindLastFoldedStartSse2(d, lowStart, s, f, check);
}

}  // namespace plinvaro

#endif
