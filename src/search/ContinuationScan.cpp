// Continuation matching: the backward scan of each listed file, the minimum match length and the sort.
//
// A candidate is an end position E in a file lined up with the pattern's last
// byte. It is accepted when (a) at least minMatchLength bytes match backwards,
// (b) the match covers the whole lined-up pattern or holds a separator (or the
// mismatching byte before it is one), and (c) the file's word ends with the
// match. Because (a) needs the pattern's last minMatchLength bytes verbatim, the
// scan jumps between occurrences of that suffix instead of trying every E; the
// candidates it skips are exactly those that (a) rejects. Regardless of case
// the same loop compares UTF-8 units by their case folding (FoldedMatch.h).
#include <atomic>
#include <memory>

#include "search/FileScan.h"
#include "search/FoldedFinder.h"
#include "search/FoldedMatch.h"
#include "search/PatternText.h"
#include "search/TextSearcher.h"
#include "text/CharClass.h"

namespace plinvaro {
namespace {

struct Verdict {
  bool accepted;
  std::int32_t matched;       // file bytes
  std::int32_t patternBytes;  // pattern bytes
};

Verdict Evaluate(const unsigned char* d, std::int64_t n, std::int64_t e, const std::string& p,
                 std::int32_t minMatch) {
  if (e != n - 1 && !IsSeparator(d[e + 1])) return {false, 0, 0};
  const auto length = static_cast<std::int64_t>(p.size());
  const std::int64_t lo = (e + 1 < length) ? length - 1 - e : 0;
  std::int64_t k = length - 1;
  bool sawSeparator = false;
  while (k >= lo) {
    const unsigned char b = d[e - (length - 1 - k)];
    if (IsSeparator(b)) sawSeparator = true;
    if (b != static_cast<unsigned char>(p[static_cast<std::size_t>(k)])) break;
    --k;
  }
  const std::int64_t first = k + 1;
  const auto matched = static_cast<std::int32_t>(length - first);
  if (matched < minMatch) return {false, matched, matched};
  if (first != lo && !sawSeparator) return {false, matched, matched};
  return {true, matched, matched};
}

bool IsCancelled(const std::atomic<bool>* cancel) {
  return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

// Largest end <= maxEnd of the finder's needle in d, or -1 (also when
// cancelled). Looks at one block of kScanBlockBytes at a time, so that a
// cancel is seen between blocks; the ends a block cannot hold whole (those
// needing bytes below it) are looked for in the next.
std::int64_t FindLastEndInBlocks(const SuffixFinder& finder, const unsigned char* d,
                                 std::int64_t maxEnd, const std::atomic<bool>* cancel) {
  for (;;) {
    if (IsCancelled(cancel)) return -1;
    const std::int64_t low = maxEnd > kScanBlockBytes ? maxEnd - kScanBlockBytes : 0;
    const std::int64_t found = finder.FindLastEnd(d + low, maxEnd - low);
    if (found >= 0) return low + found;
    if (low == 0) return -1;
    maxEnd = low + finder.length() - 2;
  }
}

// The exact comparison: candidates from the suffix finder, byte for byte.
class ExactCompare {
 public:
  ExactCompare(const std::string& pattern, std::int32_t minMatch, const SuffixFinder* finder)
      : pattern_(pattern), minMatch_(minMatch), finder_(finder) {}
  bool HasFinder() const { return finder_ != nullptr; }
  std::int64_t FindLastEnd(const unsigned char* d, std::int64_t, std::int64_t maxEnd,
                           const std::atomic<bool>* cancel) {
    return FindLastEndInBlocks(*finder_, d, maxEnd, cancel);
  }
  Verdict Evaluate(const unsigned char* d, std::int64_t n, std::int64_t e) const {
    return plinvaro::Evaluate(d, n, e, pattern_, minMatch_);
  }

 private:
  const std::string& pattern_;
  std::int32_t minMatch_;
  const SuffixFinder* finder_;
};

// The comparison regardless of case: candidates from the folded finder, unit by unit.
class FoldedCompare {
 public:
  FoldedCompare(const std::vector<PatternUnit>& units, std::int32_t minMatch,
                const FoldedFinder* finder)
      : units_(units), minMatch_(minMatch), finder_(finder) {}
  bool HasFinder() const { return finder_ != nullptr; }
  std::int64_t FindLastEnd(const unsigned char* d, std::int64_t n, std::int64_t maxEnd,
                           const std::atomic<bool>* cancel) {
    for (;;) {
      if (IsCancelled(cancel)) return -1;
      const std::int64_t found = finder_->FindLastEndInBlock(d, n, maxEnd, cursor_);
      if (found >= 0) return found;
      const std::int64_t low = FoldedFinder::BlockStart(maxEnd);
      if (low == 0) return -1;
      maxEnd = low - 1;
    }
  }
  Verdict Evaluate(const unsigned char* d, std::int64_t n, std::int64_t e) const {
    const FoldedVerdict v = EvaluateFolded(d, n, e, units_, minMatch_);
    return {v.accepted, v.matched, v.patternBytes};
  }

 private:
  const std::vector<PatternUnit>& units_;
  std::int32_t minMatch_;
  const FoldedFinder* finder_;
  FoldCursor cursor_;
};

// Accepted candidates of one file's bytes in scan order, at most `limit`.
// `compare.Evaluate` gives a match's length in file bytes.
template <class Compare>
void ScanBytes(const unsigned char* d, std::int64_t n, Compare compare, std::size_t limit,
               const std::atomic<bool>* cancel, std::vector<ScanHit>& hits) {
  std::int64_t e = n - 1;
  std::int64_t nextLook = e - kScanBlockBytes;  // where the candidate-by-candidate scan looks at `cancel`
  while (e > 0) {
    if (compare.HasFinder()) {
      e = compare.FindLastEnd(d, n, e, cancel);
      if (e <= 0) return;
    } else if (e <= nextLook) {
      if (IsCancelled(cancel)) return;
      nextLook = e - kScanBlockBytes;
    }
    const Verdict v = compare.Evaluate(d, n, e);
    if (!v.accepted) {
      --e;
      continue;
    }
    if (e + 1 >= n) return;
    std::int64_t q = e + 1;
    while (IsSeparator(d[q])) {
      if (++q == n) return;
    }
    hits.push_back({v.matched, static_cast<std::int32_t>(e + 1), v.patternBytes});
    if (hits.size() >= limit) return;
    e -= v.matched;
  }
}

}  // namespace

// With minMatchLength 0 (empty pattern, or one ending in white space) every
// candidate is tried; otherwise only occurrences of the pattern's tail are.
ByteScan TextSearcher::ExactScan() const {
  std::shared_ptr<const SuffixFinder> finder;
  if (minMatchLength_ > 0)
    finder = std::make_shared<SuffixFinder>(
        pattern_.substr(pattern_.size() - static_cast<std::size_t>(minMatchLength_)), kernel_);
  return [this, finder](const unsigned char* bytes, std::int32_t size, std::size_t limit,
                        std::vector<ScanHit>& hits) {
    ScanBytes(bytes, size, ExactCompare(pattern_, minMatchLength_, finder.get()), limit,
              watch_.cancel, hits);
  };
}

// The needle is the pattern's last minMatchLength bytes, whole units since it
// starts after a Space byte or at the pattern's start.
ByteScan TextSearcher::FoldedScan() const {
  auto units = std::make_shared<const std::vector<PatternUnit>>(SplitPattern(pattern_));
  std::shared_ptr<const FoldedFinder> finder;
  if (minMatchLength_ > 0) {
    std::size_t first = units->size();
    for (std::int32_t bytes = 0; bytes < minMatchLength_;) bytes += (*units)[--first].length;
    finder = std::make_shared<FoldedFinder>(
        std::vector<PatternUnit>(units->begin() + static_cast<std::ptrdiff_t>(first), units->end()),
        kernel_);
  }
  return [this, units, finder](const unsigned char* bytes, std::int32_t size, std::size_t limit,
                               std::vector<ScanHit>& hits) {
    ScanBytes(bytes, size, FoldedCompare(*units, minMatchLength_, finder.get()), limit,
              watch_.cancel, hits);
  };
}

void TextSearcher::ComputeMinMatchLength() { minMatchLength_ = MinMatchLength(pattern_); }

void TextSearcher::SortParts() {
  parts_.sort([](const boost::shared_ptr<FoundPart>& a, const boost::shared_ptr<FoundPart>& b) {
    return a->matchLength > b->matchLength;
  });
}

void TextSearcher::AppendPart(const ScanHit& hit, std::int32_t fileIndex, std::int32_t fileSize) {
  boost::shared_ptr<FoundPart> part(new FoundPart);
  part->matchLength = hit.matchLength;
  part->patternLength = hit.patternLength;
  part->offset = hit.offset;
  part->fileIndex = fileIndex;
  part->fileSize = fileSize;
  parts_.push_back(part);
}

void TextSearcher::ScanFiles() {
  stats_ = ScanStats{};
  stats_.filesListed = static_cast<std::int32_t>(files_.size());
  cancelled_ = false;
  ComputeMinMatchLength();
  ScanProgress progress;
  progress.filesListed = stats_.filesListed;
  const auto report = [&] {
    if (watch_.onProgress) watch_.onProgress(progress);
  };
  report();
  if (minMatchLength_ == 1) return;
  const ByteScan scan = matchCase_ ? ExactScan() : FoldedScan();
  // Parts are kept one by one until there are more than maxParts, as a plain
  // loop over the files would keep them; the files after that are not scanned.
  const auto stillWanted = [&]() -> std::size_t {
    return PartCount() > maxParts ? 0 : static_cast<std::size_t>(maxParts + 1 - PartCount());
  };
  const CommitFile commit = [&](std::int32_t index, FileScanResult& result) -> std::size_t {
    ++progress.filesDone;
    if (IsCancelled(watch_.cancel)) {
      cancelled_ = true;
      return 0;
    }
    if (result.openError != FileOpenError::Ok) {
      // An entry that cannot be read is skipped; the rest are still scanned.
      ++stats_.filesSkipped;
      report();
      return stillWanted() > 0 ? stillWanted() : 1;
    }
    for (const ScanHit& hit : result.hits) {
      AppendPart(hit, index, result.fileSize);
      if (PartCount() > maxParts) break;
    }
    ++stats_.filesScanned;
    stats_.bytesScanned += result.fileSize;
    progress.bytesDone = stats_.bytesScanned;
    report();
    return stillWanted();
  };
  ScanFilesInOrder(files_, scanOptions_, stillWanted() > 0 ? stillWanted() : 1, scan, commit);
  if (IsCancelled(watch_.cancel)) cancelled_ = true;
  SortParts();
}

}  // namespace plinvaro
