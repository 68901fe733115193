// What the seam views show, as data: a span's tooltip, each source file's share, the found parts' rows, the current run.
//
// Byte counts and offsets are bytes; shares are of the text's units (one byte each).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "provenance/Provenance.h"
#include "search/TextSearcher.h"

namespace plinvaro {

// The file name of `path` without its folders.
std::string BaseNameOf(const std::string& path);

// Whether `span` starts at a seam: where a join (a search's pick or an
// Accept) brought in another place's text at the words the two share. A span
// split by an edit, text after typed text and the base file's start are none.
bool StartsAtSeam(const ProvenanceSpan& span);

// Three lines for the span holding unit `position`: the file's name, the byte
// offset there, and the words its join shared; "" outside the text.
std::string SpanTooltip(const ProvenanceMap& map, std::int32_t position);

struct SourceTotal {
  std::string path;
  std::int64_t bytes = 0;  // units of the text from this file
  double share = 0;        // bytes / the text's length, 0..1
};

// Every file the text uses, in the order it first appears.
std::vector<SourceTotal> SourceTotals(const ProvenanceMap& map);
// "12.5 %": a share with one decimal.
std::string ShareText(double share);

inline constexpr std::int32_t kContinuationWords = 8;
inline constexpr std::int32_t kContinuationBytes = 160;  // read for the continuation's words

struct FoundPartRow {
  std::int32_t matchLength = 0;  // bytes
  std::string file;              // the part's path
  std::string shared;            // the pattern's bytes the part matched (MatchedPattern)
  std::string continuation;      // the first words after the match, white space as single spaces
};

// One row per found part in list order (longest match first); reads each part's
// file for its continuation.
std::vector<FoundPartRow> FoundPartRows(const TextSearcher& searcher);

// "Run: 12 words since the last join".
std::string CurrentRunText(std::int32_t words);

}  // namespace plinvaro
