// The desktop face's "Options" menu: its title and items, with their mnemonic letters.
//
// The items set the controller's steering options: "Match case", "Wander
// every N words" and its N. Texts are 8-bit; the bar's letter of "Options" is
// PopupMnemonic's, which no other pop-up shares.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plinvaro {

inline constexpr std::string_view kOptionsMenuTitle = "Options";
inline constexpr std::string_view kMatchCaseText = "Match case";
inline constexpr char kMatchCaseMnemonic = 'M';
inline constexpr char kWanderMnemonic = 'W';
inline constexpr std::string_view kWanderWordsText = "Words between wanders...";
inline constexpr char kWanderWordsMnemonic = 'b';
// The box that asks for N, and its caption.
inline constexpr std::string_view kWanderWordsCaption = "Wander every N words";
inline constexpr std::string_view kWanderWordsPrompt = "Words played before Search runs by itself:";
// Follows the file's name in the Found parts list for a part of a file of weight 0.
inline constexpr std::string_view kLeftOutMark = " (weight 0)";

// "Wander every N words" with N written out, e.g. "Wander every 20 words".
inline std::string WanderItemText(std::int32_t words) {
  return "Wander every " + std::to_string(words) + " words";
}

}  // namespace plinvaro
