// The byte class table, built once at compile time.
#include "text/CharClass.h"

namespace plinvaro {
namespace {

constexpr bool IsPunctByte(unsigned b) {
  switch (b) {
    case 0x21: case 0x22: case 0x27: case 0x28: case 0x29: case 0x2C:
    case 0x2E: case 0x2F: case 0x3A: case 0x3B: case 0x3F: case 0x5B:
    case 0x5C: case 0x5D: case 0x60: case 0x7B: case 0x7C: case 0x7D:
    case 0x7E: case 0x7F:
      return true;
    default:
      return false;
  }
}

constexpr CharClass Classify(unsigned b) {
  if (b == 0x20 || (b >= 0x09 && b <= 0x0D)) return CharClass::Space;
  if (b < 0x20 || b == 0xFF) return CharClass::Other;
  if (IsPunctByte(b)) return CharClass::Punct;
  if (b >= 0x30 && b <= 0x39) return CharClass::Digit;
  return CharClass::Letter;
}

constexpr std::array<CharClass, 256> BuildTable() {
  std::array<CharClass, 256> table{};
  for (unsigned b = 0; b < 256; ++b) table[b] = Classify(b);
  return table;
}

}  // namespace

constinit const std::array<CharClass, 256> CharClassTable = BuildTable();

}  // namespace plinvaro
