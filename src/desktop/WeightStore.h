// How a desktop face keeps the files' weights in its settings: one text entry per weighted file.
//
// An entry is "W<TAB>DIRECTORY<TAB>NAME" (8-bit); in DIRECTORY and NAME the
// bytes '%', TAB, LF and CR are written as %XX, so that any name comes back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "panel/SourceWeights.h"

namespace plinvaro {

struct WeightEntry {
  std::string directory;
  std::string name;
  std::int32_t weight = kDefaultWeight;
};

// Every weight other than the default, one entry each.
std::vector<std::string> WeightEntries(const SourceWeights& weights);
// The entry's weight; nothing for an entry that is not well formed or whose weight is out of range.
std::optional<WeightEntry> ParseWeightEntry(std::string_view entry);

}  // namespace plinvaro
