// SeamTexts: tooltips, totals and rows worked out from the provenance map and the searcher.
#include "provenance/SeamTexts.h"

#include <algorithm>
#include <cstdio>

#include "text/CharClass.h"
#include "text/FileAccess.h"

namespace plinvaro {
namespace {

// The first `words` words of `bytes`, each run of white space as one space.
std::string FirstWords(const unsigned char* bytes, std::int32_t size, std::int32_t words) {
  std::string out;
  std::int32_t i = 0;
  while (i < size && IsSpace(bytes[i])) ++i;
  for (std::int32_t word = 0; word < words && i < size; ++word) {
    if (!out.empty()) out += ' ';
    while (i < size && !IsSpace(bytes[i])) out += static_cast<char>(bytes[i++]);
    while (i < size && IsSpace(bytes[i])) ++i;
  }
  return out;
}

}  // namespace

std::string BaseNameOf(const std::string& path) {
  std::size_t start = path.size();
  while (start > 0 && !IsPathSeparator(path[start - 1])) --start;
  return path.substr(start);
}

bool StartsAtSeam(const ProvenanceSpan& span) { return IsFileKind(span.kind) && !span.shared.empty(); }

std::string SpanTooltip(const ProvenanceMap& map, std::int32_t position) {
  const std::int32_t index = map.SpanIndexAt(position);
  if (index < 0) return {};
  const ProvenanceSpan& span = map.spans()[static_cast<std::size_t>(index)];
  switch (span.kind) {
    case SpanKind::Typed: return "Typed or pasted";
    case SpanKind::Unknown: return "Origin unknown";
    default: break;
  }
  const std::int64_t byte = static_cast<std::int64_t>(span.offset) + (position - span.start);
  std::string text = BaseNameOf(map.FilePath(span)) + "\nbyte " + std::to_string(byte);
  if (span.kind == SpanKind::Accepted) text += " (accepted)";
  return text + "\nshared: " + (span.shared.empty() ? std::string("-") : span.shared);
}

std::vector<SourceTotal> SourceTotals(const ProvenanceMap& map) {
  std::vector<SourceTotal> totals;
  std::vector<std::int32_t> rowOfFile(map.files().size(), -1);
  for (const ProvenanceSpan& span : map.spans()) {
    if (!IsFileKind(span.kind) || span.file < 0) continue;
    std::int32_t& row = rowOfFile[static_cast<std::size_t>(span.file)];
    if (row < 0) {
      row = static_cast<std::int32_t>(totals.size());
      totals.push_back({map.FilePath(span)});
    }
    totals[static_cast<std::size_t>(row)].bytes += span.length;
  }
  for (SourceTotal& total : totals)
    total.share = map.Length() > 0 ? static_cast<double>(total.bytes) / map.Length() : 0;
  return totals;
}

std::string ShareText(double share) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %%", std::clamp(share, 0.0, 1.0) * 100);
  return text;
}

std::vector<FoundPartRow> FoundPartRows(const TextSearcher& searcher) {
  std::vector<FoundPartRow> rows;
  for (const auto& part : searcher.parts()) {
    FoundPartRow row;
    row.matchLength = part->matchLength;
    row.file = searcher.FilePath(part->fileIndex);
    row.shared = searcher.MatchedPattern(*part);
    unsigned char bytes[kContinuationBytes];
    const ReadResult read = ReadFileAt(row.file, part->offset, kContinuationBytes, bytes);
    if (read.status == ReadResult::Status::Ok)
      row.continuation = FirstWords(bytes, read.bytesRead, kContinuationWords);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string CurrentRunText(std::int32_t words) {
  return "Run: " + std::to_string(words) + (words == 1 ? " word" : " words") +
         " since the last join";
}

}  // namespace plinvaro
