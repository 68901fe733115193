// SearchOutcome: what the last Search came to, why it did nothing, and its status-line text.
//
// Paths are 8-bit as typed in the directory box. Counts are of parts and files.
#pragma once

#include <cstdint>
#include <string>

namespace plinvaro {

class TextSearcher;

enum class SearchOutcomeKind {
  NotRun,       // no Search yet
  NoDirectory,  // the directory box is empty
  NoPattern,    // no text before the caret (or selected) to take a pattern from
  CannotRead,   // the directory could not be listed
  NoTextFiles,  // the directory holds no *.txt entry
  NoMatch,      // *.txt entries were searched, no part found
  AllLeftOut,   // parts were found, every one in a file of weight 0
  Found,
};

struct SearchOutcome {
  SearchOutcomeKind kind = SearchOutcomeKind::NotRun;
  std::string directory;   // as searched; empty for NotRun, NoDirectory, NoPattern
  std::string reason;      // the platform's wording, for CannotRead
  std::int32_t parts = 0;  // parts kept, for Found (at most TextSearcher::maxParts + 1)
  std::int32_t files = 0;  // distinct files those parts lie in, for Found
  std::int32_t leftOut = 0;  // of those parts, the ones in files of weight 0
};

// Classifies a finished scan of `directory` (ClearResults and EnumerateFiles
// done); the pick tells AllLeftOut and leftOut, which weights decide.
SearchOutcome OutcomeOfScan(const TextSearcher& searcher, const std::string& directory);

// The one-line text the status line shows; empty for NotRun.
std::string SearchOutcomeText(const SearchOutcome& outcome);

}  // namespace plinvaro
