// The 32 font sizes and the twips each gives.
#include "window/FontSizes.h"

#include <array>
#include <cctype>

namespace plinvaro {
namespace {

constexpr std::array<std::string_view, 32> kItems = {
    "8",  "10", "12", "14", "16", "18", "20", "22", "24", "26", "28",
    "30", "32", "34", "36", "38", "40", "42", "44", "46", "48", "50",
    "52", "54", "56", "58", "60", "62", "64", "66", "68", "70"};

// Beyond any font a box can show; keeps the product inside 32 bits.
constexpr std::int32_t kMaxPoints = 100000;

// The leading decimal number of `text` after blanks, with an optional sign; 0 when none.
std::int32_t LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > kMaxPoints) value = kMaxPoints;
  }
  return negative ? -value : value;
}

}  // namespace

std::span<const std::string_view> FontSizeItems() { return kItems; }

std::string_view FontSizeItem(int index) {
  if (index < 0 || index >= static_cast<int>(kItems.size())) return {};
  return kItems[static_cast<std::size_t>(index)];
}

std::int32_t FontSizeTwips(std::string_view itemText) {
  // Formed in single precision and truncated, exact for every listed size.
  return static_cast<std::int32_t>(static_cast<float>(LeadingNumber(itemText)) * 20.0f);
}

}  // namespace plinvaro
