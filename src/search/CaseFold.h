// Unicode simple case folding, and the UTF-8 units that the folded scan compares.
//
// A unit is one well-formed UTF-8 sequence (1 to 4 bytes) or, where the bytes
// are not well-formed, one lone byte. Every byte string splits into units in
// exactly one way, whichever end it is read from. Units compare by their key:
// the folded code point of a sequence, or kLoneByteKey plus the byte, so a
// lone byte equals only the same lone byte. Lengths are bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plinvaro {

// Code points first, first + stride, ..., last fold to themselves plus delta.
struct FoldRun {
  char32_t first;
  char32_t last;
  std::int32_t delta;
  std::int32_t stride;  // 1 or 2
};

// The generated table (CaseFoldTable.cpp): disjoint runs in ascending order,
// of every code point whose simple case folding is another.
extern const FoldRun kFoldRuns[];
extern const std::size_t kFoldRunCount;
extern const char kCaseFoldUnicodeVersion[];

inline constexpr std::int32_t kLoneByteKey = 0x110000;  // plus the byte

// The simple case folding of `c`; `c` itself when it has none. ASCII inline.
char32_t FoldSlow(char32_t c);
inline char32_t FoldCodePoint(char32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
  return FoldSlow(c);
}

// Every code point whose folding is `folded` (a folding of itself), `folded` first.
std::vector<char32_t> FoldClass(char32_t folded);

// Bytes of `c` in UTF-8 (1 to 4); `c` is a code point that is no surrogate.
int Utf8Length(char32_t c);
void AppendUtf8(char32_t c, std::string& out);

// Bytes of the well-formed sequence starting with `lead`, or 0 when no sequence starts with it.
int SequenceLength(unsigned char lead);
// Whether bytes[0 .. length-1] are one well-formed sequence; sets `c` to its code point.
bool DecodeSequence(const unsigned char* bytes, int length, char32_t& c);

struct Utf8Unit {
  std::int32_t key;     // folded code point, or kLoneByteKey + byte
  std::int32_t length;  // bytes
};

// The unit that ends with bytes[end], given that a unit ends there; reads
// bytes[end - 3 .. end] at most, never below bytes[0].
Utf8Unit UnitEndingAt(const unsigned char* bytes, std::int64_t end);

}  // namespace plinvaro
