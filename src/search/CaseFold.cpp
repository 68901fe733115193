// Lookups in the folding table, the class of a folded code point, and UTF-8 decoding.
#include "search/CaseFold.h"

#include <algorithm>

namespace plinvaro {
namespace {

constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuationBits = 0x80;

bool IsContinuation(unsigned char b) { return (b & kContinuationMask) == kContinuationBits; }

bool InRun(const FoldRun& run, char32_t c) {
  return c >= run.first && c <= run.last && (c - run.first) % static_cast<char32_t>(run.stride) == 0;
}

}  // namespace

char32_t FoldSlow(char32_t c) {
  const FoldRun* end = kFoldRuns + kFoldRunCount;
  const FoldRun* after = std::upper_bound(kFoldRuns, end, c, [](char32_t value, const FoldRun& run) {
    return value < run.first;
  });
  if (after == kFoldRuns) return c;
  const FoldRun& run = *(after - 1);
  return InRun(run, c) ? static_cast<char32_t>(static_cast<std::int32_t>(c) + run.delta) : c;
}

std::vector<char32_t> FoldClass(char32_t folded) {
  std::vector<char32_t> members{folded};
  for (std::size_t i = 0; i < kFoldRunCount; ++i) {
    const FoldRun& run = kFoldRuns[i];
    const std::int64_t from = static_cast<std::int64_t>(folded) - run.delta;
    if (from < 0) continue;
    if (InRun(run, static_cast<char32_t>(from))) members.push_back(static_cast<char32_t>(from));
  }
  return members;
}

int Utf8Length(char32_t c) {
  if (c < 0x80) return 1;
  if (c < 0x800) return 2;
  if (c < 0x10000) return 3;
  return 4;
}

void AppendUtf8(char32_t c, std::string& out) {
  const int length = Utf8Length(c);
  if (length == 1) {
    out += static_cast<char>(c);
    return;
  }
  static constexpr unsigned char kLeadBits[] = {0, 0, 0xC0, 0xE0, 0xF0};
  out += static_cast<char>(kLeadBits[length] | (c >> (6 * (length - 1))));
  for (int i = length - 2; i >= 0; --i)
    out += static_cast<char>(kContinuationBits | ((c >> (6 * i)) & 0x3F));
}

int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool DecodeSequence(const unsigned char* bytes, int length, char32_t& c) {
  if (length < 1 || SequenceLength(bytes[0]) != length) return false;
  if (length == 1) {
    c = bytes[0];
    return true;
  }
  static constexpr char32_t kLowest[] = {0, 0, 0x80, 0x800, 0x10000};
  char32_t value = bytes[0] & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if (!IsContinuation(bytes[i])) return false;
    value = (value << 6) | (bytes[i] & 0x3F);
  }
  // No overlong form, no surrogate, nothing beyond the last code point.
  if (value < kLowest[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF)
    return false;
  c = value;
  return true;
}

Utf8Unit UnitEndingAt(const unsigned char* bytes, std::int64_t end) {
  const unsigned char last = bytes[end];
  if (last < 0x80) return {static_cast<std::int32_t>(FoldCodePoint(last)), 1};
  if (IsContinuation(last)) {
    // The lead is the first byte back that is no continuation byte, at most three back.
    for (int back = 1; back <= 3 && end - back >= 0; ++back) {
      const unsigned char* start = bytes + end - back;
      if (IsContinuation(*start)) continue;
      char32_t c;
      if (DecodeSequence(start, back + 1, c))
        return {static_cast<std::int32_t>(FoldCodePoint(c)), back + 1};
      break;
    }
  }
  return {kLoneByteKey + last, 1};
}

}  // namespace plinvaro
