// Conversions with the system's ANSI code page (CP_ACP), one UTF-16 unit per byte as counted by the caller.
//
// In a single-byte code page n bytes give exactly n units and back. In a
// multi-byte code page a character of two bytes gives one unit: the units left
// over are zero, and a unit that needs two bytes is cut at n bytes, never
// written past the buffer.
#include "text/AnsiConversion.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace plinvaro {

std::u16string AnsiToWide(const unsigned char* bytes, std::int32_t n) {
  if (n <= 0 || bytes == nullptr) return {};
  std::u16string wide(static_cast<std::size_t>(n), u'\0');
  ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes), n,
                        reinterpret_cast<wchar_t*>(wide.data()), n);
  return wide;
}

bool OneUnitPerByte() {
  CPINFO info;
  return ::GetCPInfo(CP_ACP, &info) != 0 && info.MaxCharSize == 1;
}

void AnsiToWideInto(std::string_view bytes, char16_t* out) {
  if (bytes.empty()) return;
  const auto n = static_cast<int>(bytes.size());
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), n, reinterpret_cast<wchar_t*>(out), n);
}

bool SameAsAnsi(std::u16string_view units, std::string_view bytes) {
  if (units.size() != bytes.size()) return false;
  const std::u16string wide = AnsiToWide(reinterpret_cast<const unsigned char*>(bytes.data()),
                                         static_cast<std::int32_t>(bytes.size()));
  return units == std::u16string_view(wide);
}

std::string WideToAnsi(std::u16string_view text, std::int32_t n) {
  if (n <= 0) return {};
  std::string bytes(static_cast<std::size_t>(n), '\0');
  const auto units = static_cast<int>(std::min<std::size_t>(text.size(), bytes.size()));
  if (units == 0) return bytes;
  // Room for two bytes a unit, so a double-byte character never fails the whole conversion.
  std::vector<char> converted(static_cast<std::size_t>(units) * 2);
  const int written = ::WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(text.data()),
                                            units, converted.data(),
                                            static_cast<int>(converted.size()), nullptr, nullptr);
  std::copy_n(converted.begin(), std::min(std::max(written, 0), n), bytes.begin());
  return bytes;
}

}  // namespace plinvaro
