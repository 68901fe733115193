// The pattern as the folded scan reads it, and the backward comparison of pattern units with a file's units.
//
// Letters compare by simple case folding (CaseFold.h); every other unit
// compares as itself. Bytes at the pattern's start that continue a character
// the pattern's cut went through are compared as bytes, since their
// character's case cannot be told from them. Word boundaries are those of the
// byte table. Lengths and positions are bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace plinvaro {

struct PatternUnit {
  std::int32_t key;     // as Utf8Unit's key; for a raw byte the byte itself
  std::int32_t length;  // pattern bytes
  bool raw;             // compared with one file byte, not with a file unit
};

// `pattern`'s units from its first byte on.
std::vector<PatternUnit> SplitPattern(std::string_view pattern);

// How far units[0 .. count-1] match backwards from file byte `end` on.
struct BackwardMatch {
  std::int64_t before;        // file index of the byte before the match (-1: the file's start)
  std::int32_t patternBytes;  // pattern bytes of the matched units
  std::size_t unmatched;      // units left unmatched at the front (0: all matched)
  bool sawSeparator;          // among the matched bytes or the byte before them
};

// Compares unit by unit back from d[end], a unit's last byte, down to d[0] at most.
BackwardMatch MatchBackward(const unsigned char* d, std::int64_t end, const PatternUnit* units,
                            std::size_t count);

struct FoldedVerdict {
  bool accepted;
  std::int32_t matched;       // file bytes of the match, which ends at d[end]
  std::int32_t patternBytes;  // pattern bytes of the match
};

// The scan's acceptance rules for the candidate end `end` of d[0 .. n-1]:
// the file's word ends there, at least `minMatch` pattern bytes are matched,
// and the match covers the whole pattern, runs back to the file's start or
// holds (or follows) a separator.
FoldedVerdict EvaluateFolded(const unsigned char* d, std::int64_t n, std::int64_t end,
                             const std::vector<PatternUnit>& units, std::int32_t minMatch);

}  // namespace plinvaro
