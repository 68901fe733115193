// Backward search for the pattern's last units regardless of case; the folded scan jumps between its finds.
//
// A byte filter checks three positions of each candidate with (byte | mask)
// == value, which lets every byte that a letter's other cases put there
// through; each find of the filter is then compared unit by unit. The filter
// assumes that each needle unit is matched by a unit of its own length. Some
// letters have a case of another length (the Kelvin sign for k, long s for
// s): near any such unit in the file, a narrower filter that holds whatever
// the lengths is used instead. Positions and lengths are bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "search/FoldedMatch.h"
#include "search/SuffixFinder.h"

namespace plinvaro {

// One filter position: the byte at `pos` of a candidate passes when (byte | mask) == value.
struct FoldAnchor {
  std::int64_t pos;
  unsigned char mask;
  unsigned char value;
};

// Candidates are windows of `width` bytes; a window starting at s ends at s + width - 1.
struct FoldFilter {
  std::int64_t width = 0;
  FoldAnchor anchors[3] = {};
};

// Compares the needle with the text ending at a candidate's end, at a filter's find.
class FindCheck {
 public:
  virtual bool Matches(std::int64_t end) const = 0;

 protected:
  ~FindCheck() = default;
};

// Where a search through one file's bytes stands: which block was last looked
// at for units of another length. One per file and thread.
struct FoldCursor {
  std::int64_t blockStart = -1;
  bool blockClean = false;
};

class FoldedFinder {
 public:
  // The file is looked at in blocks of this many bytes of candidate ends.
  static constexpr std::int64_t kBlockBytes = 16 * 1024;
  static std::int64_t BlockStart(std::int64_t end) { return end - end % kBlockBytes; }

  // `needle`: the pattern's last units, one or more. An unavailable kernel falls back to Auto.
  FoldedFinder(std::vector<PatternUnit> needle, ScanKernel kernel);

  // Largest end e in maxEnd's block, e <= maxEnd, at which the needle matches
  // d[.. e] read back unit by unit, or -1. Reads d[0 .. maxEnd] and, to tell
  // units apart, at most d[n - 1].
  std::int64_t FindLastEndInBlock(const unsigned char* d, std::int64_t n, std::int64_t maxEnd,
                                  FoldCursor& cursor) const;

  ScanKernel kernel() const { return kernel_; }
  const FoldFilter& sameLengthFilter() const { return sameLength_; }
  const FoldFilter& anyLengthFilter() const { return anyLength_; }
  // The file encodings of the needle's letters whose length differs from the needle's.
  const std::vector<std::string>& otherLengthCases() const { return otherLength_; }

 private:
  bool OtherLengthNear(const unsigned char* d, std::int64_t n, std::int64_t blockStart) const;

  std::vector<PatternUnit> needle_;
  ScanKernel kernel_;
  FoldFilter sameLength_;
  FoldFilter anyLength_;
  std::vector<std::string> otherLength_;
  std::string otherLengthLeads_;  // their first bytes, each once
  std::int64_t reach_ = 0;        // most file bytes a needle match spans
};

// Kernels: largest start s in [lowStart, maxStart] passing the filter and the
// check at s + width - 1, or -1.
std::int64_t FindLastFoldedStartScalar(const unsigned char* d, std::int64_t lowStart,
                                       std::int64_t maxStart, const FoldFilter& filter,
                                       const FindCheck& check);
#if defined(__i386__) || defined(__x86_64__)
std::int64_t FindLastFoldedStartSse2(const unsigned char* d, std::int64_t lowStart,
                                     std::int64_t maxStart, const FoldFilter& filter,
                                     const FindCheck& check);
std::int64_t FindLastFoldedStartAvx2(const unsigned char* d, std::int64_t lowStart,
                                     std::int64_t maxStart, const FoldFilter& filter,
                                     const FindCheck& check);
#endif

}  // namespace plinvaro
