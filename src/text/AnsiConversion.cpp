// The byte-carrier code page: unit b for byte b, byte b for unit b <= 0xFF.
#include "text/AnsiConversion.h"

namespace plinvaro {

std::u16string AnsiToWide(const unsigned char* bytes, std::int32_t n) {
  if (n <= 0 || bytes == nullptr) return {};
  std::u16string wide(static_cast<std::size_t>(n), u'\0');
  for (std::size_t i = 0; i < wide.size(); ++i) wide[i] = static_cast<char16_t>(bytes[i]);
  return wide;
}

bool OneUnitPerByte() { return true; }

void AnsiToWideInto(std::string_view bytes, char16_t* out) {
  for (const char byte : bytes) *out++ = static_cast<char16_t>(static_cast<unsigned char>(byte));
}

bool SameAsAnsi(std::u16string_view units, std::string_view bytes) {
  if (units.size() != bytes.size()) return false;
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (units[i] != static_cast<char16_t>(static_cast<unsigned char>(bytes[i]))) return false;
  }
  return true;
}

std::string WideToAnsi(std::u16string_view text, std::int32_t n) {
  if (n <= 0) return {};
  std::string bytes(static_cast<std::size_t>(n), '\0');
  const std::size_t available = text.size() < bytes.size() ? text.size() : bytes.size();
  for (std::size_t i = 0; i < available; ++i) {
    const char16_t unit = text[i];
    bytes[i] = unit <= 0xFF ? static_cast<char>(static_cast<unsigned char>(unit)) : kDefaultAnsiChar;
  }
  return bytes;
}

}  // namespace plinvaro
