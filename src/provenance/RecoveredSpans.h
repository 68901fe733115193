// The file spans of a recovery copy: written beside its text, and checked against the files before they are restored.
//
// Starts and lengths are units of the text (one byte each); offsets are bytes
// of the file. Only spans that name a file are kept; the rest of a restored
// text is of unknown origin.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "provenance/Provenance.h"

namespace plinvaro {

struct RecoveredSpan {
  SpanKind kind = SpanKind::Unknown;
  std::int32_t start = 0;
  std::int32_t length = 0;
  std::int32_t offset = 0;
  std::string path;

  std::int32_t end() const { return start + length; }
  bool operator==(const RecoveredSpan&) const = default;
};

// One line per file span of `map`: "KIND START LENGTH OFFSET PATHBYTES PATH",
// the path given by its byte count, so any byte may be in it.
std::string FormatSpans(const ProvenanceMap& map);

// The spans `text` holds; reading stops at the first line that is not one.
std::vector<RecoveredSpan> ParseSpans(std::string_view text);

// The spans of `spans` that still hold: in order, not overlapping, inside
// `text`, of a file kind, and equal to their file's bytes at their offset.
std::vector<RecoveredSpan> SpansThatHold(std::string_view text,
                                         const std::vector<RecoveredSpan>& spans);

}  // namespace plinvaro
