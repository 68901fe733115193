// The oracle scan by brute force: every end position judged on its own, then parts picked from the file end.
//
// For each end position the common suffix with the pattern is measured from
// scratch; the acceptance rules are applied to that figure alone. Parts are
// then picked from the file's end backwards without overlap, the limit is
// applied over the files in listing order, and the result is sorted by match
// length. Quadratic and slow by design; for small inputs and the fuzzer.
#include "ReferenceScan.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace plinvaro::testing {
namespace {

// Most parts a search keeps; the scan stops as soon as it holds this many.
constexpr std::size_t kPartLimit = 51;

constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";
constexpr std::string_view kPunctuation = "!\"'(),./:;?[\\]`{|}~\x7f";

// Separators split words: white space and punctuation. Looked up for every
// byte of every file, hence the table.
bool IsSeparatorByte(unsigned char b) {
  static const std::array<bool, 256> kTable = [] {
    std::array<bool, 256> table{};
    for (const char c : kWhiteSpace) table[static_cast<unsigned char>(c)] = true;
    for (const char c : kPunctuation) table[static_cast<unsigned char>(c)] = true;
    return table;
  }();
  return kTable[b];
}

bool IsWhiteSpaceByte(char c) { return kWhiteSpace.find(c) != std::string_view::npos; }

// What one end position gives: the common suffix length and whether it is accepted.
struct EndVerdict {
  bool accepted = false;
  std::int32_t matchLength = 0;
};

// Judges the match that ends with file byte `end` (the pattern's last byte lined up with it).
EndVerdict JudgeEnd(std::string_view file, std::string_view pattern, std::size_t end,
                    std::int32_t minMatch) {
  // Pattern bytes that would lie before the file's first byte take no part.
  const std::size_t window = std::min(pattern.size(), end + 1);
  std::size_t common = 0;
  while (common < window && file[end - common] == pattern[pattern.size() - 1 - common]) ++common;
  EndVerdict verdict;
  verdict.matchLength = static_cast<std::int32_t>(common);
  // The file's word must end where the match ends.
  const bool wordEndsHere = end + 1 == file.size() || IsSeparatorByte(static_cast<unsigned char>(file[end + 1]));
  if (!wordEndsHere || verdict.matchLength < minMatch) return verdict;
  // A match short of the lined-up pattern must hold a separator, or stop at one.
  if (common < window) {
    const std::string_view looked = file.substr(end - common, common + 1);
    const bool separated = std::any_of(looked.begin(), looked.end(), [](char c) {
      return IsSeparatorByte(static_cast<unsigned char>(c));
    });
    if (!separated) return verdict;
  }
  verdict.accepted = true;
  return verdict;
}

// True when a non-separator byte follows position `from` (inclusive) in `file`.
bool WordFollows(std::string_view file, std::size_t from) {
  for (std::size_t i = from; i < file.size(); ++i)
    if (!IsSeparatorByte(static_cast<unsigned char>(file[i]))) return true;
  return false;
}

// Appends one file's parts, nearest the end first, until `out` holds kPartLimit.
void PickParts(std::string_view file, std::string_view pattern, std::int32_t minMatch,
               std::int32_t fileIndex, std::vector<ReferencePart>& out) {
  // Every end position, judged independently; the first byte never ends a part.
  std::vector<EndVerdict> verdicts(file.size());
  for (std::size_t end = 1; end < file.size(); ++end)
    verdicts[end] = JudgeEnd(file, pattern, end, minMatch);
  // Greedy from the end: the next part ends at or before the byte ahead of the last one's match.
  std::int64_t bound = static_cast<std::int64_t>(file.size()) - 1;
  while (out.size() < kPartLimit) {
    std::int64_t end = bound;
    while (end >= 1 && !verdicts[static_cast<std::size_t>(end)].accepted) --end;
    if (end < 1) return;
    const EndVerdict& v = verdicts[static_cast<std::size_t>(end)];
    // A part with no word after it ends the file.
    if (!WordFollows(file, static_cast<std::size_t>(end) + 1)) return;
    out.push_back({v.matchLength, static_cast<std::int32_t>(end + 1), fileIndex,
                   static_cast<std::int32_t>(file.size())});
    bound = end - v.matchLength;
  }
}

}  // namespace

std::int32_t ReferenceMinMatchLength(const std::string& pattern) {
  // Words are the runs between white-space bytes; a trailing white space leaves no last word.
  if (pattern.empty() || IsWhiteSpaceByte(pattern.back())) return 0;
  std::vector<std::size_t> wordStarts;
  for (std::size_t i = 0; i < pattern.size(); ++i)
    if (!IsWhiteSpaceByte(pattern[i]) && (i == 0 || IsWhiteSpaceByte(pattern[i - 1])))
      wordStarts.push_back(i);
  const std::size_t lastWord = pattern.size() - wordStarts.back();
  const auto fromStartOf = [&](std::size_t start) {
    return static_cast<std::int32_t>(pattern.size() - start);
  };
  // A one-byte last word takes the word before it along, or the whole
  // pattern when white space alone comes before it.
  if (lastWord != 1 || wordStarts.back() == 0) return fromStartOf(wordStarts.back());
  if (wordStarts.size() == 1) return fromStartOf(0);
  return fromStartOf(wordStarts[wordStarts.size() - 2]);
}

std::vector<ReferencePart> ReferenceScan(const std::vector<ReferenceFile>& files,
                                         const std::string& pattern) {
  std::vector<ReferencePart> parts;
  const std::int32_t minMatch = ReferenceMinMatchLength(pattern);
  // A pattern of one word byte finds nothing.
  if (minMatch == 1) return parts;
  for (std::size_t f = 0; f < files.size() && parts.size() < kPartLimit; ++f) {
    if (!files[f].readable || files[f].bytes.empty()) continue;
    PickParts(files[f].bytes, pattern, minMatch, static_cast<std::int32_t>(f), parts);
  }
  std::stable_sort(parts.begin(), parts.end(), [](const ReferencePart& a, const ReferencePart& b) {
    return a.matchLength > b.matchLength;
  });
  return parts;
}

}  // namespace plinvaro::testing
