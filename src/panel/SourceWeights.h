// How much each file of a directory counts in the random pick: 0 leaves it out, 1 by default, up to 10.
//
// Weights are kept by directory (as DirectoryKey spells it) and file name (no
// folders), as 8-bit bytes the way the file system gives them. Only weights
// other than the default are held, so an unknown file weighs the default.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace plinvaro {

inline constexpr std::int32_t kLeftOutWeight = 0;
inline constexpr std::int32_t kDefaultWeight = 1;
inline constexpr std::int32_t kMaxWeight = 10;

// `directory` without trailing separators, the root staying itself, so that "dir" and "dir/" are one.
std::string DirectoryKey(const std::string& directory);

// Whether `path` names an entry directly in `directory`, by spelling (as DirectoryKey compares).
bool LiesIn(const std::string& path, const std::string& directory);

// The weight `text` spells: a whole number from 0 to kMaxWeight, digits only.
std::optional<std::int32_t> ParseWeight(std::string_view text);

class SourceWeights {
 public:
  using Names = std::map<std::string, std::int32_t>;  // file name to weight

  std::int32_t Of(const std::string& directory, const std::string& name) const;
  // The weight of the file at `path`, a directory and a name as the searcher lists it.
  std::int32_t OfPath(const std::string& path) const;
  // False, changing nothing, for an empty name or a weight outside 0..kMaxWeight.
  bool Set(const std::string& directory, const std::string& name, std::int32_t weight);
  // The weights other than the default: directory key to names.
  const std::map<std::string, Names>& all() const { return byDirectory_; }
  // Those of one directory; empty when all weigh the default.
  const Names& In(const std::string& directory) const;
  // Changes after every Set that changed a weight.
  std::uint64_t revision() const { return revision_; }

 private:
  std::map<std::string, Names> byDirectory_;
  std::uint64_t revision_ = 0;
};

}  // namespace plinvaro
