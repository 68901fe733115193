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
#include <functional>
#include <string_view>

#include "search/CaseFold.h"

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

// One character of UTF-8 text read forwards, or a byte that is not part of a
// well-formed one. `key` is what compares: the folded code point, or the byte
// plus 0x110000 for a byte on its own.
struct TextChar {
  std::size_t first;  // byte index
  std::size_t last;   // byte index, inclusive
  std::int32_t key;
};

// The well-formed byte sequences of UTF-8 as their lead bytes and the ranges of
// the bytes after the lead.
struct SequenceShape {
  unsigned char leadLow, leadHigh;
  int length;
  unsigned char secondLow, secondHigh;  // the other continuation bytes are 80..BF
};
constexpr SequenceShape kShapes[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

// Length of the well-formed sequence at text[at], 0 when there is none.
int WellFormedLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  if (byte(at) < 0x80) return 1;
  for (const SequenceShape& shape : kShapes) {
    if (byte(at) < shape.leadLow || byte(at) > shape.leadHigh) continue;
    if (at + static_cast<std::size_t>(shape.length) > text.size()) return 0;
    if (byte(at + 1) < shape.secondLow || byte(at + 1) > shape.secondHigh) return 0;
    for (int i = 2; i < shape.length; ++i)
      if (byte(at + static_cast<std::size_t>(i)) < 0x80 || byte(at + static_cast<std::size_t>(i)) > 0xBF) return 0;
    return shape.length;
  }
  return 0;
}

char32_t CodePointAt(std::string_view text, std::size_t at, int length) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  if (length == 1) return byte(at);
  char32_t c = byte(at) & (0xFF >> (length + 1));
  for (int i = 1; i < length; ++i) c = (c << 6) | (byte(at + static_cast<std::size_t>(i)) & 0x3F);
  return c;
}

std::vector<TextChar> ReadChars(std::string_view text, std::size_t from) {
  std::vector<TextChar> chars;
  for (std::size_t at = from; at < text.size();) {
    const int length = WellFormedLength(text, at);
    if (length == 0) {
      chars.push_back({at, at, 0x110000 + static_cast<unsigned char>(text[at])});
      ++at;
      continue;
    }
    const char32_t folded = plinvaro::FoldCodePoint(CodePointAt(text, at, length));
    chars.push_back({at, at + static_cast<std::size_t>(length) - 1, static_cast<std::int32_t>(folded)});
    at += static_cast<std::size_t>(length);
  }
  return chars;
}

// A file read into characters, with the character that ends at each byte.
struct FoldedFile {
  explicit FoldedFile(std::string_view bytes) : text(bytes), chars(ReadChars(bytes, 0)) {
    endingAt.assign(bytes.size(), -1);
    for (std::size_t i = 0; i < chars.size(); ++i) endingAt[chars[i].last] = static_cast<std::int64_t>(i);
  }
  std::string_view text;
  std::vector<TextChar> chars;
  std::vector<std::int64_t> endingAt;  // index into chars, -1 inside a character
};

// The pattern read into characters; the continuation bytes it starts with (the
// rest of a character its cut went through) are compared byte for byte.
struct FoldedPattern {
  explicit FoldedPattern(std::string_view bytes) : text(bytes) {
    while (cutBytes < bytes.size() && (static_cast<unsigned char>(bytes[cutBytes]) & 0xC0) == 0x80)
      ++cutBytes;
    chars = ReadChars(bytes, cutBytes);
  }
  std::string_view text;
  std::size_t cutBytes = 0;
  std::vector<TextChar> chars;
};

EndVerdict JudgeFoldedEnd(const FoldedFile& file, const FoldedPattern& pattern, std::size_t end,
                          std::int32_t minMatch) {
  // Walk back character by character, then byte by byte through the cut bytes.
  std::int64_t before = static_cast<std::int64_t>(end);  // the file byte before the match
  std::size_t patternBytes = 0;
  std::size_t charsLeft = pattern.chars.size();
  std::size_t cutLeft = pattern.cutBytes;
  bool mismatch = false;
  while (charsLeft > 0 && before >= 0) {
    const std::int64_t at = file.endingAt[static_cast<std::size_t>(before)];
    const TextChar& wanted = pattern.chars[charsLeft - 1];
    if (at < 0 || file.chars[static_cast<std::size_t>(at)].key != wanted.key) {
      mismatch = true;
      break;
    }
    patternBytes += wanted.last - wanted.first + 1;
    before = static_cast<std::int64_t>(file.chars[static_cast<std::size_t>(at)].first) - 1;
    --charsLeft;
  }
  while (!mismatch && charsLeft == 0 && cutLeft > 0 && before >= 0) {
    if (file.text[static_cast<std::size_t>(before)] != pattern.text[cutLeft - 1]) {
      mismatch = true;
      break;
    }
    ++patternBytes;
    --before;
    --cutLeft;
  }
  EndVerdict verdict;
  verdict.matchLength = static_cast<std::int32_t>(static_cast<std::int64_t>(end) - before);
  const bool wordEndsHere =
      end + 1 == file.text.size() || IsSeparatorByte(static_cast<unsigned char>(file.text[end + 1]));
  if (!wordEndsHere || static_cast<std::int32_t>(patternBytes) < minMatch) return verdict;
  // A match that stopped at a difference must hold a separator, or follow one.
  if (mismatch) {
    const std::string_view looked = file.text.substr(static_cast<std::size_t>(before), end - static_cast<std::size_t>(before) + 1);
    if (std::none_of(looked.begin(), looked.end(),
                     [](char c) { return IsSeparatorByte(static_cast<unsigned char>(c)); }))
      return verdict;
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

using Judge = std::function<EndVerdict(std::size_t end)>;

// Appends one file's parts, nearest the end first, until `out` holds kPartLimit.
void PickParts(std::string_view file, const Judge& judge, std::int32_t fileIndex,
               std::vector<ReferencePart>& out) {
  // Every end position, judged independently; the first byte never ends a part.
  std::vector<EndVerdict> verdicts(file.size());
  for (std::size_t end = 1; end < file.size(); ++end) verdicts[end] = judge(end);
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
                                         const std::string& pattern, bool matchCase) {
  std::vector<ReferencePart> parts;
  const std::int32_t minMatch = ReferenceMinMatchLength(pattern);
  // A pattern of one word byte finds nothing.
  if (minMatch == 1) return parts;
  for (std::size_t f = 0; f < files.size() && parts.size() < kPartLimit; ++f) {
    if (!files[f].readable || files[f].bytes.empty()) continue;
    const std::string& bytes = files[f].bytes;
    const auto index = static_cast<std::int32_t>(f);
    if (matchCase) {
      PickParts(bytes, [&](std::size_t end) { return JudgeEnd(bytes, pattern, end, minMatch); },
                index, parts);
      continue;
    }
    const FoldedFile file(bytes);
    const FoldedPattern folded(pattern);
    PickParts(bytes, [&](std::size_t end) { return JudgeFoldedEnd(file, folded, end, minMatch); },
              index, parts);
  }
  std::stable_sort(parts.begin(), parts.end(), [](const ReferencePart& a, const ReferencePart& b) {
    return a.matchLength > b.matchLength;
  });
  return parts;
}

}  // namespace plinvaro::testing
