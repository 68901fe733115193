// Needle set-up, kernel choice and the portable scalar kernel of the backward search.
#include "search/SuffixFinder.h"

#include <cstring>

namespace plinvaro {
namespace {

// Rough commonness of a byte in English prose, higher is more common; only the
// order matters. Filtering on three rare needle bytes keeps candidate checks
// rare even for words made of common letters.
int Commonness(unsigned char b) {
  static constexpr char kLowerByFrequency[] = "etaoinshrdlcumwfgypbvkjxqz";
  if (b == ' ') return 300;
  if (b >= 'a' && b <= 'z') {
    const char* at = std::strchr(kLowerByFrequency, b);
    return 260 - 5 * static_cast<int>(at - kLowerByFrequency);
  }
  if (b == ',' || b == '.' || b == '\n' || b == '\r') return 150;
  if (b >= 'A' && b <= 'Z') return 80;
  if (b == '\'' || b == '"' || b == '-') return 70;
  if (b >= '0' && b <= '9') return 40;
  return 10;
}

bool IsMatchAt(const unsigned char* hay, std::int64_t start, const SuffixFinder::Needle& n) {
  return std::memcmp(hay + start, n.bytes, static_cast<std::size_t>(n.length)) == 0;
}

ScanKernel Resolve(ScanKernel wanted) {
  if (wanted != ScanKernel::Auto && KernelAvailable(wanted)) return wanted;
  if (KernelAvailable(ScanKernel::Avx2)) return ScanKernel::Avx2;
  if (KernelAvailable(ScanKernel::Sse2)) return ScanKernel::Sse2;
  if (KernelAvailable(ScanKernel::Simd128)) return ScanKernel::Simd128;
  return ScanKernel::Scalar;
}

}  // namespace

bool KernelAvailable(ScanKernel kernel) {
  switch (kernel) {
    case ScanKernel::Auto:
    case ScanKernel::Scalar:
      return true;
#if defined(__i386__) || defined(__x86_64__)
    case ScanKernel::Sse2:
      return __builtin_cpu_supports("sse2");
    case ScanKernel::Avx2:
      return __builtin_cpu_supports("avx2");
#else
    case ScanKernel::Sse2:
    case ScanKernel::Avx2:
      return false;
#endif
    case ScanKernel::Simd128:
#if defined(__wasm_simd128__)
      return true;
#else
      return false;
#endif
  }
  return false;
}

const char* KernelName(ScanKernel kernel) {
  switch (kernel) {
    case ScanKernel::Auto: return "auto";
    case ScanKernel::Scalar: return "scalar";
    case ScanKernel::Sse2: return "sse2";
    case ScanKernel::Avx2: return "avx2";
    case ScanKernel::Simd128: return "simd128";
  }
  return "?";
}

SuffixFinder::SuffixFinder(std::string needle, ScanKernel kernel)
    : needle_(std::move(needle)), kernel_(Resolve(kernel)) {
  const auto n = static_cast<std::int64_t>(needle_.size());
  const auto* bytes = reinterpret_cast<const unsigned char*>(needle_.data());
  std::int64_t rare1 = 0;
  for (std::int64_t i = 1; i < n; ++i)
    if (Commonness(bytes[i]) < Commonness(bytes[rare1])) rare1 = i;
  std::int64_t rare2 = rare1;
  for (std::int64_t i = 0; i < n; ++i) {
    if (i == rare1) continue;
    if (rare2 == rare1 || Commonness(bytes[i]) < Commonness(bytes[rare2])) rare2 = i;
  }
  // Neighbouring letters go together ("st", "th"), so a third position next to
  // neither of the first two filters out far more than an adjacent one.
  const auto isNear = [&](std::int64_t i) {
    return i == rare1 - 1 || i == rare1 + 1 || i == rare2 - 1 || i == rare2 + 1;
  };
  std::int64_t rare3 = rare2;
  for (std::int64_t i = 0; i < n; ++i) {
    if (i == rare1 || i == rare2) continue;
    if (rare3 == rare2) {
      rare3 = i;
      continue;
    }
    const int penaltyI = isNear(i) ? 1000 : 0;
    const int penaltyBest = isNear(rare3) ? 1000 : 0;
    if (Commonness(bytes[i]) + penaltyI < Commonness(bytes[rare3]) + penaltyBest) rare3 = i;
  }
  view_ = Needle{bytes, n, rare1, rare2, rare3};
}

std::int64_t SuffixFinder::FindLastEnd(const unsigned char* hay, std::int64_t maxEnd) const {
  if (view_.length == 0) return maxEnd;
  const std::int64_t maxStart = maxEnd - (view_.length - 1);
  if (maxStart < 0) return -1;
  std::int64_t start = -1;
  switch (kernel_) {
#if defined(__i386__) || defined(__x86_64__)
    case ScanKernel::Avx2:
      start = FindLastStartAvx2(hay, maxStart, view_);
      break;
    case ScanKernel::Sse2:
      start = FindLastStartSse2(hay, maxStart, view_);
      break;
#endif
#if defined(__wasm_simd128__)
    case ScanKernel::Simd128:
      start = FindLastStartSimd128(hay, maxStart, view_);
      break;
#endif
    default:
      start = FindLastStartScalar(hay, maxStart, view_);
      break;
  }
  return start < 0 ? -1 : start + view_.length - 1;
}

std::int64_t FindLastStartScalar(const unsigned char* hay, std::int64_t maxStart,
                                 const SuffixFinder::Needle& n) {
  const unsigned char key = n.bytes[n.rare1];
  const unsigned char* keyBase = hay + n.rare1;
  std::int64_t s = maxStart;
  while (s >= 0) {
#if defined(__GLIBC__)
    const void* hit = ::memrchr(keyBase, key, static_cast<std::size_t>(s + 1));
    if (hit == nullptr) return -1;
    s = static_cast<const unsigned char*>(hit) - keyBase;
#else
    while (s >= 0 && keyBase[s] != key) --s;
    if (s < 0) return -1;
#endif
    if (IsMatchAt(hay, s, n)) return s;
    --s;
  }
  return -1;
}

}  // namespace plinvaro
