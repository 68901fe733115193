// The Sources dock's rows: the files the text uses, then the base directory's other *.txt files, each file of the directory with its weight.
//
// Byte counts are bytes of the text (one unit each); paths and names are 8-bit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "panel/SourceWeights.h"
#include "provenance/Provenance.h"

namespace plinvaro {

struct SourceRow {
  std::string name;                    // the file's name, without folders
  std::string path;                    // as the text's spans name it; empty for a file not in use
  std::int64_t bytes = 0;              // of the text, from this file
  double share = 0;                    // bytes / the text's length, 0..1
  std::optional<std::int32_t> weight;  // for a file of the directory; none for one elsewhere
  bool inUse() const { return !path.empty(); }
};

// The *.txt names `directory` lists, as the rows take them; none for an empty directory box.
std::vector<std::string> SourceNames(const std::string& directory);

// The rows for the text `map`, `directory` and its *.txt entries `names` as
// listed: files in use in the order they first appear, then the rest by name.
std::vector<SourceRow> SourceRows(const ProvenanceMap& map, const std::string& directory,
                                  const std::vector<std::string>& names, const SourceWeights& weights);

}  // namespace plinvaro
