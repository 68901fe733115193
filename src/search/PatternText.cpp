// Pattern tail, trimming and minimum match length.
#include "search/PatternText.h"

#include "text/CharClass.h"

namespace plinvaro {

std::string PatternTail(std::string_view text) {
  if (text.size() > static_cast<std::size_t>(kMaxPatternBytes))
    text.remove_prefix(text.size() - static_cast<std::size_t>(kMaxPatternBytes));
  return std::string(text);
}

std::string TrimSeparators(std::string_view pattern) {
  std::size_t n = pattern.size();
  while (n > 0 && IsSeparator(static_cast<unsigned char>(pattern[n - 1]))) --n;
  return std::string(pattern.substr(0, n));
}

std::int32_t MinMatchLength(std::string_view pattern) {
  const auto length = static_cast<std::int32_t>(pattern.size());
  auto at = [&](std::int32_t i) { return static_cast<unsigned char>(pattern[static_cast<std::size_t>(i)]); };
  std::int32_t i = length - 1;
  while (i >= 0 && !IsSpace(at(i))) --i;
  std::int32_t result = length - i - 1;
  if (result != 1 || i < 0) return result;
  // The last word is a single byte: take the word before it as well.
  while (IsSpace(at(i))) {
    --i;
    if (i < 0) return length;
  }
  while (i >= 0 && !IsSpace(at(i))) --i;
  return length - i - 1;
}

}  // namespace plinvaro
