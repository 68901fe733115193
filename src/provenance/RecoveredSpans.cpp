// The file spans of a recovery copy: their line format, and the check against the files.
#include "provenance/RecoveredSpans.h"

#include <charconv>
#include <cstring>

#include "text/TextSource.h"

namespace plinvaro {
namespace {

// Reads a whole number and the one space or newline after it.
bool ReadNumber(std::string_view text, std::size_t& at, std::int64_t& out, char after) {
  const char* first = text.data() + at;
  const char* last = text.data() + text.size();
  const auto result = std::from_chars(first, last, out);
  if (result.ec != std::errc() || result.ptr == last || *result.ptr != after) return false;
  at = static_cast<std::size_t>(result.ptr - text.data()) + 1;
  return true;
}

bool FitsInt32(std::int64_t value) { return value >= 0 && value <= INT32_MAX; }

bool MatchesFile(std::string_view text, const RecoveredSpan& span) {
  TextSource file;
  file.Open(span.path, 0);
  if (!file.HasView() || static_cast<std::int64_t>(span.offset) + span.length > file.size) return false;
  return std::memcmp(file.data() + span.offset, text.data() + span.start,
                     static_cast<std::size_t>(span.length)) == 0;
}

}  // namespace

std::string FormatSpans(const ProvenanceMap& map) {
  std::string out;
  for (const ProvenanceSpan& span : map.spans()) {
    if (!IsFileKind(span.kind)) continue;
    const std::string& path = map.FilePath(span);
    out += std::to_string(static_cast<int>(span.kind)) + ' ' + std::to_string(span.start) + ' ' +
           std::to_string(span.length) + ' ' + std::to_string(span.offset) + ' ' +
           std::to_string(path.size()) + ' ' + path + '\n';
  }
  return out;
}

std::vector<RecoveredSpan> ParseSpans(std::string_view text) {
  std::vector<RecoveredSpan> spans;
  std::size_t at = 0;
  while (at < text.size()) {
    std::int64_t kind = 0, start = 0, length = 0, offset = 0, pathBytes = 0;
    if (!ReadNumber(text, at, kind, ' ') || !ReadNumber(text, at, start, ' ') ||
        !ReadNumber(text, at, length, ' ') || !ReadNumber(text, at, offset, ' ') ||
        !ReadNumber(text, at, pathBytes, ' '))
      break;
    if (!FitsInt32(start) || !FitsInt32(length) || !FitsInt32(offset) ||
        pathBytes > static_cast<std::int64_t>(text.size() - at) - 1 ||
        text[at + static_cast<std::size_t>(pathBytes)] != '\n')
      break;
    const auto spanKind = static_cast<SpanKind>(kind);
    if (kind < 0 || kind > static_cast<int>(SpanKind::Unknown) || !IsFileKind(spanKind)) break;
    spans.push_back({spanKind, static_cast<std::int32_t>(start), static_cast<std::int32_t>(length),
                     static_cast<std::int32_t>(offset),
                     std::string(text.substr(at, static_cast<std::size_t>(pathBytes)))});
    at += static_cast<std::size_t>(pathBytes) + 1;
  }
  return spans;
}

std::vector<RecoveredSpan> SpansThatHold(std::string_view text,
                                         const std::vector<RecoveredSpan>& spans) {
  std::vector<RecoveredSpan> held;
  std::int64_t done = 0;
  for (const RecoveredSpan& span : spans) {
    const std::int64_t end = static_cast<std::int64_t>(span.start) + span.length;
    if (span.length <= 0 || span.start < done || end > static_cast<std::int64_t>(text.size())) continue;
    if (!IsFileKind(span.kind) || !MatchesFile(text, span)) continue;
    held.push_back(span);
    done = end;
  }
  return held;
}

}  // namespace plinvaro
