// The folded needle's filters, the look for letters of another length, and the portable scalar kernel.
#include "search/FoldedFinder.h"

#include <algorithm>
#include <cstring>

#include "search/CaseFold.h"

namespace plinvaro {
namespace {

// The encodings a needle unit is matched by: those of its own length and the others.
struct UnitCases {
  std::vector<std::string> sameLength;
  std::vector<std::string> otherLength;
};

UnitCases CasesOf(const PatternUnit& unit) {
  UnitCases cases;
  if (unit.raw || unit.key >= kLoneByteKey) {
    const auto byte = static_cast<char>(unit.raw ? unit.key : unit.key - kLoneByteKey);
    cases.sameLength.emplace_back(1, byte);
    return cases;
  }
  for (const char32_t c : FoldClass(static_cast<char32_t>(unit.key))) {
    std::string bytes;
    AppendUtf8(c, bytes);
    (static_cast<std::int32_t>(bytes.size()) == unit.length ? cases.sameLength : cases.otherLength)
        .push_back(std::move(bytes));
  }
  return cases;
}

using ByteSet = std::vector<unsigned char>;

FoldAnchor AnchorFor(std::int64_t pos, const ByteSet& set) {
  unsigned char mask = 0;
  for (const unsigned char b : set) mask |= static_cast<unsigned char>(b ^ set.front());
  return {pos, mask, static_cast<unsigned char>(set.front() | mask)};
}

// How common the bytes are that an anchor lets through.
int AnchorCost(const FoldAnchor& anchor) {
  int cost = 0;
  for (int b = 0; b < 256; ++b)
    if ((b | anchor.mask) == anchor.value) cost += ByteCommonness(static_cast<unsigned char>(b));
  return cost;
}

FoldFilter MakeFilter(const std::vector<ByteSet>& positions) {
  FoldFilter filter;
  filter.width = static_cast<std::int64_t>(positions.size());
  std::vector<FoldAnchor> anchors;
  std::vector<int> costs;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    anchors.push_back(AnchorFor(static_cast<std::int64_t>(i), positions[i]));
    costs.push_back(AnchorCost(anchors.back()));
  }
  const RarePositions rare = PickRarePositions(costs);
  filter.anchors[0] = anchors[static_cast<std::size_t>(rare.first)];
  filter.anchors[1] = anchors[static_cast<std::size_t>(rare.second)];
  filter.anchors[2] = anchors[static_cast<std::size_t>(rare.third)];
  return filter;
}

// Byte `index` of each encoding.
ByteSet BytesAt(const std::vector<std::string>& encodings, std::size_t index) {
  ByteSet set;
  for (const std::string& e : encodings) set.push_back(static_cast<unsigned char>(e[index]));
  return set;
}

ByteSet LastBytes(const UnitCases& cases) {
  ByteSet set;
  for (const auto* list : {&cases.sameLength, &cases.otherLength})
    for (const std::string& e : *list) set.push_back(static_cast<unsigned char>(e.back()));
  return set;
}

class NeedleCheck final : public FindCheck {
 public:
  NeedleCheck(const std::vector<PatternUnit>& needle, const unsigned char* d)
      : needle_(needle), d_(d) {}
  bool Matches(std::int64_t end) const override {
    return MatchBackward(d_, end, needle_.data(), needle_.size()).unmatched == 0;
  }

 private:
  const std::vector<PatternUnit>& needle_;
  const unsigned char* d_;
};

}  // namespace

FoldedFinder::FoldedFinder(std::vector<PatternUnit> needle, ScanKernel kernel)
    : needle_(std::move(needle)), kernel_(ResolveKernel(kernel)) {
  std::vector<UnitCases> cases;
  for (const PatternUnit& unit : needle_) cases.push_back(CasesOf(unit));
  // Every unit matched by one of its own length: each needle byte has its place.
  std::vector<ByteSet> sameLength;
  for (std::size_t u = 0; u < needle_.size(); ++u)
    for (std::size_t i = 0; i < static_cast<std::size_t>(needle_[u].length); ++i)
      sameLength.push_back(BytesAt(cases[u].sameLength, i));
  sameLength_ = MakeFilter(sameLength);
  // Whatever the lengths: the needle's end up to the last byte of the last unit
  // that has a case of another length.
  std::vector<ByteSet> anyLength;
  for (std::size_t u = needle_.size(); u-- > 0;) {
    if (!cases[u].otherLength.empty()) {
      anyLength.insert(anyLength.begin(), LastBytes(cases[u]));
      break;
    }
    const auto length = static_cast<std::size_t>(needle_[u].length);
    for (std::size_t i = length; i-- > 0;) anyLength.insert(anyLength.begin(), BytesAt(cases[u].sameLength, i));
  }
  anyLength_ = MakeFilter(anyLength);
  for (const UnitCases& c : cases) {
    std::size_t longest = 0;
    for (const auto* list : {&c.sameLength, &c.otherLength})
      for (const std::string& e : *list) longest = std::max(longest, e.size());
    reach_ += static_cast<std::int64_t>(longest);
    for (const std::string& e : c.otherLength) {
      if (std::find(otherLength_.begin(), otherLength_.end(), e) != otherLength_.end()) continue;
      otherLength_.push_back(e);
      if (otherLengthLeads_.find(e.front()) == std::string::npos) otherLengthLeads_ += e.front();
    }
  }
}

bool FoldedFinder::OtherLengthNear(const unsigned char* d, std::int64_t n,
                                   std::int64_t blockStart) const {
  const std::int64_t from = std::max<std::int64_t>(blockStart - reach_, 0);
  const std::int64_t to = std::min(blockStart + kBlockBytes, n);  // one past
  for (const char lead : otherLengthLeads_) {
    const unsigned char* at = d + from;
    while (const void* hit = std::memchr(at, static_cast<unsigned char>(lead),
                                         static_cast<std::size_t>(d + to - at))) {
      at = static_cast<const unsigned char*>(hit);
      const std::int64_t left = d + n - at;
      for (const std::string& e : otherLength_)
        if (e.front() == lead && static_cast<std::int64_t>(e.size()) <= left &&
            std::memcmp(at, e.data(), e.size()) == 0)
          return true;
      if (++at == d + to) break;
    }
  }
  return false;
}

std::int64_t FoldedFinder::FindLastEndInBlock(const unsigned char* d, std::int64_t n,
                                              std::int64_t maxEnd, FoldCursor& cursor) const {
  const std::int64_t blockStart = BlockStart(maxEnd);
  bool clean = true;
  if (!otherLength_.empty()) {
    if (cursor.blockStart != blockStart) {
      cursor.blockStart = blockStart;
      cursor.blockClean = !OtherLengthNear(d, n, blockStart);
    }
    clean = cursor.blockClean;
  }
  const FoldFilter& filter = clean ? sameLength_ : anyLength_;
  const std::int64_t maxStart = maxEnd - filter.width + 1;
  const std::int64_t lowStart = std::max<std::int64_t>(blockStart - filter.width + 1, 0);
  if (maxStart < lowStart) return -1;
  const NeedleCheck check(needle_, d);
  std::int64_t start = -1;
  switch (kernel_) {
#if defined(__i386__) || defined(__x86_64__)
    case ScanKernel::Avx2:
      start = FindLastFoldedStartAvx2(d, lowStart, maxStart, filter, check);
      break;
    case ScanKernel::Sse2:
      start = FindLastFoldedStartSse2(d, lowStart, maxStart, filter, check);
      break;
#endif
    default:
      start = FindLastFoldedStartScalar(d, lowStart, maxStart, filter, check);
      break;
  }
  return start < 0 ? -1 : start + filter.width - 1;
}

std::int64_t FindLastFoldedStartScalar(const unsigned char* d, std::int64_t lowStart,
                                       std::int64_t maxStart, const FoldFilter& f,
                                       const FindCheck& check) {
  const FoldAnchor& a1 = f.anchors[0];
  const FoldAnchor& a2 = f.anchors[1];
  const FoldAnchor& a3 = f.anchors[2];
  const auto passes = [&](std::int64_t s) {
    return ((d[s + a1.pos] | a1.mask) == a1.value) & ((d[s + a2.pos] | a2.mask) == a2.value) &
           ((d[s + a3.pos] | a3.mask) == a3.value);
  };
  // Blocks of starts tested without a branch per start, which compilers can
  // turn into vector code; the starts below the last whole block one by one.
  constexpr std::int64_t kBlock = 32;
  std::int64_t s = maxStart;
  for (; s - (kBlock - 1) >= lowStart; s -= kBlock) {
    const std::int64_t base = s - (kBlock - 1);
    unsigned char hits[kBlock];
    for (std::int64_t i = 0; i < kBlock; ++i) hits[i] = passes(base + i) ? 1 : 0;
    std::uint64_t any = 0;
    for (std::int64_t i = 0; i < kBlock; ++i) any |= hits[i];
    if (any == 0) continue;
    for (std::int64_t i = kBlock - 1; i >= 0; --i)
      if (hits[i] != 0 && check.Matches(base + i + f.width - 1)) return base + i;
  }
  for (; s >= lowStart; --s)
    if (passes(s) && check.Matches(s + f.width - 1)) return s;
  return -1;
}

}  // namespace plinvaro
