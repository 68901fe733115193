// The continuation search engine: lists a directory's *.txt files, scans them, holds the found parts.
//
// Usage: ClearResults, then EnumerateFiles (which scans), then the list access
// and currentPart; FilePath and LoadPartText on parts until the next
// ClearResults. All sizes and offsets are bytes. Not thread-safe; one caller.
#pragma once

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <vector>

#include "search/FileScan.h"
#include "search/FoundPart.h"
#include "search/SuffixFinder.h"
#include "text/FileAccess.h"

namespace plinvaro {

struct ScanStats {
  std::int32_t filesListed = 0;
  std::int32_t filesScanned = 0;
  std::int32_t filesSkipped = 0;  // listed entries that could not be opened
  std::int64_t bytesScanned = 0;
};

// Bytes a scan covers within a file between two looks at a cancel flag.
inline constexpr std::int64_t kScanBlockBytes = 2 * 1024 * 1024;

// How far a scan has come: files committed of those listed, and their bytes.
struct ScanProgress {
  std::int32_t filesDone = 0;
  std::int32_t filesListed = 0;
  std::int64_t bytesDone = 0;
};

// What a caller on another thread may see of a scan and how it stops it. Both
// are optional. `onProgress` runs on the scanning thread, once after listing
// and once after each committed file. `cancel`, when it turns true, ends the
// scan between files, or within a file between blocks of kScanBlockBytes; the
// results are then incomplete and only good for discarding. Not owned.
struct ScanWatch {
  std::function<void(const ScanProgress&)> onProgress;
  const std::atomic<bool>* cancel = nullptr;
};

// A finished scan's results as plain values, so that they can cross to a
// searcher that shares no memory with the one that scanned (a worker of a
// page). Sizes and offsets are bytes; parts are in the list's order.
struct ScanResults {
  struct Part {
    std::int32_t matchLength = 0;
    std::int32_t offset = 0;
    std::int32_t fileIndex = 0;
    std::int32_t fileSize = 0;
    std::int32_t patternLength = 0;
  };
  std::string pattern;
  std::int32_t minMatchLength = 0;
  std::vector<std::string> files;
  DirectoryListing listing;
  ScanStats stats;
  bool cancelled = false;
  std::vector<Part> parts;
};

class TextSearcher {
 public:
  using PartList = std::list<boost::shared_ptr<FoundPart>>;
  using PartPosition = PartList::iterator;

  // The scan stops once more than this many parts were found (so it keeps 51).
  static constexpr std::int32_t maxParts = 50;

  TextSearcher();
  TextSearcher(const TextSearcher&) = delete;
  TextSearcher& operator=(const TextSearcher&) = delete;

  // The current found part; EndPart() when there is none. Commands set and move it.
  PartPosition currentPart;

  // Releases every part, empties parts and files; currentPart becomes EndPart().
  void ClearResults();
  // Stores the pattern, appends the directory's *.txt entries to files, then ScanFiles.
  void EnumerateFiles(const std::string& directory, const std::string& pattern);
  // Copy of entry `fileIndex` of files; empty when out of range.
  std::string FilePath(std::int32_t fileIndex) const;
  // Reads the part's textLength bytes from its offset into its text.
  void LoadPartText(const boost::shared_ptr<FoundPart>& part);
  std::int32_t PartCount() const { return static_cast<std::int32_t>(parts_.size()); }

  PartPosition FirstPart() { return parts_.begin(); }
  // The current part and its place in the list; null and -1 when there is none.
  const FoundPart* CurrentPart() const;
  std::int32_t CurrentIndex() const;
  PartPosition EndPart() { return parts_.end(); }
  const PartList& parts() const { return parts_; }
  const std::vector<std::string>& files() const { return files_; }
  const std::string& pattern() const { return pattern_; }
  // The pattern's bytes that `part` matched: its last part.patternLength bytes, at most all of it.
  std::string MatchedPattern(const FoundPart& part) const;
  std::int32_t minMatchLength() const { return minMatchLength_; }
  ListStatus listStatus() const { return listing_.status; }
  const std::string& listErrorText() const { return listing_.errorText; }
  const ScanStats& stats() const { return stats_; }

  // Which search loop the scan uses; Auto unless a test or benchmark says otherwise.
  void SetScanKernel(ScanKernel kernel) { kernel_ = kernel; }
  // How the scan brings files in and on how many threads; the parts found are
  // the same whatever the options.
  void SetScanOptions(const ScanOptions& options) { scanOptions_ = options; }
  ScanKernel scanKernel() const { return kernel_; }
  // Whether letters must match in case (the default). Off, they match
  // regardless of case: ASCII letters, and in UTF-8 text every letter by
  // Unicode simple case folding (a match's length then counts the file's bytes).
  void SetMatchCase(bool matchCase) { matchCase_ = matchCase; }
  bool matchCase() const { return matchCase_; }
  const ScanOptions& scanOptions() const { return scanOptions_; }
  // Watches the next scans; a default ScanWatch watches nothing.
  void SetScanWatch(ScanWatch watch) { watch_ = std::move(watch); }
  // Whether the last scan was ended by the watch's cancel flag.
  bool cancelled() const { return cancelled_; }

  // Releases this searcher's results, then takes `from`'s (parts, files,
  // pattern, listing, stats), leaving `from` empty; currentPart becomes
  // EndPart(). Options and watch stay each searcher's own.
  void TakeResults(TextSearcher& from);
  // The results as values, and TakeResults from such values. A part whose file
  // index lies outside `files` or whose offset or sizes are negative is dropped.
  ScanResults ExportResults() const;
  void AdoptResults(ScanResults results);

 private:
  // Matching (see ContinuationScan.cpp): EnumerateFiles calls ScanFiles.
  void ScanFiles();
  // One file's byte scan, byte for byte or regardless of case; valid while the pattern stays.
  ByteScan ExactScan() const;
  ByteScan FoldedScan() const;
  void ComputeMinMatchLength();
  void SortParts();
  void AppendPart(const ScanHit& hit, std::int32_t fileIndex, std::int32_t fileSize);

  PartList parts_;
  std::string pattern_;
  std::int32_t minMatchLength_ = 0;
  std::vector<std::string> files_;
  DirectoryListing listing_;
  ScanStats stats_;
  ScanKernel kernel_ = ScanKernel::Auto;
  ScanOptions scanOptions_;
  bool matchCase_ = true;
  ScanWatch watch_;
  bool cancelled_ = false;
};

}  // namespace plinvaro
