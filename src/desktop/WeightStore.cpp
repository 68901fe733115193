// WeightStore: the weights as settings entries and back.
#include "desktop/WeightStore.h"

#include <utility>

namespace plinvaro {
namespace {

constexpr char kFieldSeparator = '\t';
constexpr char kEscape = '%';
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool NeedsEscape(char c) { return c == kEscape || c == kFieldSeparator || c == '\n' || c == '\r'; }

std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (!NeedsEscape(c)) {
      out += c;
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    out += kEscape;
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::string> Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != kEscape) {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;  // a cut escape
    const int high = HexValue(text[i + 1]);
    const int low = HexValue(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

}  // namespace

std::vector<std::string> WeightEntries(const SourceWeights& weights) {
  std::vector<std::string> entries;
  for (const auto& [directory, names] : weights.all())
    for (const auto& [name, weight] : names)
      entries.push_back(std::to_string(weight) + kFieldSeparator + Escaped(directory) +
                        kFieldSeparator + Escaped(name));
  return entries;
}

std::optional<WeightEntry> ParseWeightEntry(std::string_view entry) {
  const std::size_t first = entry.find(kFieldSeparator);
  const std::size_t second = first == std::string_view::npos ? first : entry.find(kFieldSeparator, first + 1);
  if (second == std::string_view::npos || entry.find(kFieldSeparator, second + 1) != std::string_view::npos)
    return std::nullopt;
  const std::optional<std::int32_t> weight = ParseWeight(entry.substr(0, first));
  std::optional<std::string> directory = Unescaped(entry.substr(first + 1, second - first - 1));
  std::optional<std::string> name = Unescaped(entry.substr(second + 1));
  if (!weight || !directory || !name || directory->empty() || name->empty()) return std::nullopt;
  return WeightEntry{std::move(*directory), std::move(*name), *weight};
}

}  // namespace plinvaro
