// Conversions between 8-bit text and UTF-16, one UTF-16 unit per byte.
//
// This build uses a lossless byte carrier as its code page: byte b is unit b and
// back, so CR, LF, NUL and 0x80..0xFF all survive and one byte is one position.
// Counts are given by the caller and are never taken from the converted text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plinvaro {

// The byte that stands for a unit the code page cannot represent.
inline constexpr char kDefaultAnsiChar = '?';

// Exactly n UTF-16 units for the n bytes at `bytes` (none when n <= 0).
std::u16string AnsiToWide(const unsigned char* bytes, std::int32_t n);

// The n bytes at `bytes` as a view (empty when n <= 0 or `bytes` is null).
inline std::string_view ByteView(const unsigned char* bytes, std::int32_t n) {
  if (n <= 0 || bytes == nullptr) return {};
  return {reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(n)};
}

// Whether every byte is one unit and back, NUL only for NUL: always with the
// byte carrier, with a single-byte system code page on Windows. The two calls
// below count on it.
bool OneUnitPerByte();

// Writes the unit of each byte of `bytes` to out[0 .. bytes.size()).
void AnsiToWideInto(std::string_view bytes, char16_t* out);

// Whether `units` are exactly the units of `bytes`, one a byte.
bool SameAsAnsi(std::u16string_view units, std::string_view bytes);

// Exactly n bytes for the first n units of `text`; units beyond the end of
// `text` give 0 bytes, units above 0xFF give kDefaultAnsiChar. No terminator.
std::string WideToAnsi(std::u16string_view text, std::int32_t n);

}  // namespace plinvaro
