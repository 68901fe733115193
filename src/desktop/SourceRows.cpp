// SourceRows: the files in use from the provenance map, the directory's other files after them.
#include "desktop/SourceRows.h"

#include <set>

#include "provenance/SeamTexts.h"
#include "text/FileAccess.h"

namespace plinvaro {

std::vector<std::string> SourceNames(const std::string& directory) {
  if (directory.empty()) return {};
  return ListTextFileNames(directory).names;
}

std::vector<SourceRow> SourceRows(const ProvenanceMap& map, const std::string& directory,
                                  const std::vector<std::string>& names, const SourceWeights& weights) {
  const std::set<std::string> listed(names.begin(), names.end());
  std::set<std::string> shown;
  std::vector<SourceRow> rows;
  for (const SourceTotal& total : SourceTotals(map)) {
    SourceRow row{BaseNameOf(total.path), total.path, total.bytes, total.share, std::nullopt};
    const bool inDirectory =
        !directory.empty() && listed.count(row.name) != 0 &&
        (LiesIn(total.path, directory) || IsSameFile(total.path, directory + kPathSeparator + row.name));
    if (inDirectory) {
      row.weight = weights.Of(directory, row.name);
      shown.insert(row.name);
    }
    rows.push_back(std::move(row));
  }
  for (const std::string& name : listed)  // a set: sorted, each once
    if (shown.count(name) == 0) rows.push_back(SourceRow{name, {}, 0, 0, weights.Of(directory, name)});
  return rows;
}

}  // namespace plinvaro
