// Pattern units, and the candidate test of the folded scan.
#include "search/FoldedMatch.h"

#include "search/CaseFold.h"
#include "text/CharClass.h"

namespace plinvaro {
namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

std::vector<PatternUnit> SplitPattern(std::string_view pattern) {
  const auto* p = reinterpret_cast<const unsigned char*>(pattern.data());
  const std::size_t n = pattern.size();
  std::vector<PatternUnit> units;
  std::size_t i = 0;
  for (; i < n && IsContinuation(p[i]); ++i) units.push_back({p[i], 1, true});
  while (i < n) {
    const int length = SequenceLength(p[i]);
    char32_t c;
    if (length > 0 && i + static_cast<std::size_t>(length) <= n && DecodeSequence(p + i, length, c)) {
      units.push_back({static_cast<std::int32_t>(FoldCodePoint(c)), length, false});
      i += static_cast<std::size_t>(length);
    } else {
      units.push_back({kLoneByteKey + p[i], 1, false});
      ++i;
    }
  }
  return units;
}

BackwardMatch MatchBackward(const unsigned char* d, std::int64_t end, const PatternUnit* units,
                            std::size_t count) {
  BackwardMatch m{end, 0, count, false};
  while (m.unmatched > 0 && m.before >= 0) {
    const PatternUnit& u = units[m.unmatched - 1];
    const unsigned char last = d[m.before];
    if (IsSeparator(last)) m.sawSeparator = true;
    std::int32_t fileBytes = 1;
    if (u.raw) {
      if (last != u.key) return m;
    } else {
      const Utf8Unit f = UnitEndingAt(d, m.before);
      if (f.key != u.key) return m;
      fileBytes = f.length;
    }
    m.before -= fileBytes;
    m.patternBytes += u.length;
    --m.unmatched;
  }
  return m;
}

FoldedVerdict EvaluateFolded(const unsigned char* d, std::int64_t n, std::int64_t end,
                             const std::vector<PatternUnit>& units, std::int32_t minMatch) {
  if (end != n - 1 && !IsSeparator(d[end + 1])) return {false, 0, 0};
  const BackwardMatch m = MatchBackward(d, end, units.data(), units.size());
  const auto matched = static_cast<std::int32_t>(end - m.before);
  if (m.patternBytes < minMatch) return {false, matched, m.patternBytes};
  const bool complete = m.unmatched == 0 || m.before < 0;
  if (!complete && !m.sawSeparator) return {false, matched, m.patternBytes};
  return {true, matched, m.patternBytes};
}

}  // namespace plinvaro
