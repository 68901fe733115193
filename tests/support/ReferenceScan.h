// A plain, independent implementation of the continuation scan, used as the oracle.
//
// It judges every end position of every file on its own (the common suffix
// with the pattern, then the word-boundary rules), picks parts greedily from
// each file's end, applies the 51-part limit and sorts by match length. Tests,
// the fuzzer and the benchmark compare the production scan against it. Its
// folded mode reads each file forwards into UTF-8 characters and compares
// characters by their case folding (the table's lookup is all it shares with
// the production scan).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plinvaro::testing {

struct ReferencePart {
  std::int32_t matchLength;
  std::int32_t offset;
  std::int32_t fileIndex;
  std::int32_t fileSize;
  bool operator==(const ReferencePart&) const = default;
};

// An entry that cannot be read (empty file, directory) is given as nullopt-like
// `readable == false`; it is skipped like the production scan skips it.
struct ReferenceFile {
  std::string bytes;
  bool readable = true;
};

std::int32_t ReferenceMinMatchLength(const std::string& pattern);

// Scans `files` in order for `pattern` (already trimmed by the caller) and
// returns the parts sorted as the searcher sorts them. With `matchCase` false,
// letters match regardless of case and a match's length counts file bytes.
std::vector<ReferencePart> ReferenceScan(const std::vector<ReferenceFile>& files,
                                         const std::string& pattern, bool matchCase = true);

}  // namespace plinvaro::testing
