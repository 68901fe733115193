// Fixed byte classification behind every word and separator decision.
#pragma once

#include <array>
#include <cstdint>

namespace plinvaro {

enum class CharClass : std::uint8_t {
  Other = 0,   // control bytes and 0xFF
  Punct = 1,   // punctuation that separates words
  Space = 2,   // white space
  Letter = 3,  // letters, most symbols, 0x80..0xFE
  Digit = 4,   // the ten ASCII digits
};

// One entry per unsigned byte value; constant for the life of the program and
// independent of locale and code page.
extern const std::array<CharClass, 256> CharClassTable;

inline CharClass ClassOf(unsigned char byte) { return CharClassTable[byte]; }

inline bool IsSpace(unsigned char byte) { return ClassOf(byte) == CharClass::Space; }

inline bool IsPunct(unsigned char byte) { return ClassOf(byte) == CharClass::Punct; }

inline bool IsSeparator(unsigned char byte) {
  const CharClass c = ClassOf(byte);
  return c == CharClass::Punct || c == CharClass::Space;
}

}  // namespace plinvaro
