// The font sizes of the "Font size" list and the character height they give the two boxes.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace plinvaro {

inline constexpr std::string_view kDocumentFontFace = "Times New Roman";
inline constexpr int kFontSizeComboId = 12;    // the list's child id
inline constexpr int kInitialFontSizeIndex = 2;  // "12"

// "8", "10", ... "70": 32 items in list order.
std::span<const std::string_view> FontSizeItems();

// Item `index` of the list; empty when there is no such item (as a list with no selection).
std::string_view FontSizeItem(int index);

// The height in twips (1/20 point) for an item's text: its leading decimal
// number of points (0 when there is none) times 20.
std::int32_t FontSizeTwips(std::string_view itemText);

}  // namespace plinvaro
