// ProvenanceMap: where each unit of the source box came from, as ordered spans that cover the whole text.
//
// Positions and lengths are UTF-16 units of the box; file offsets are bytes. One
// byte is one unit, so a file span of length n holds the file's n bytes from
// its offset. The map owns its spans and its table of file paths.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plinvaro {

enum class SpanKind : int {
  Base,      // played from the base file
  Found,     // played from a file a search switched to
  Accepted,  // taken from the preview with Accept
  Typed,     // typed or pasted by the user
  Unknown,   // of no origin the map can vouch for
};

// Whether spans of `kind` name a file and an offset.
bool IsFileKind(SpanKind kind);

// Where inserted text comes from. For a file kind, `file` is the path and
// `offset` the byte of the first inserted unit; `shared` holds the words a join
// shared with the text before it (empty when the text continues without a join).
struct SpanOrigin {
  SpanOrigin() = default;
  explicit SpanOrigin(SpanKind k) : kind(k) {}
  SpanOrigin(SpanKind k, std::string_view path, std::int32_t at, std::string_view words = {})
      : kind(k), file(path), offset(at), shared(words) {}

  SpanKind kind = SpanKind::Unknown;
  std::string_view file;
  std::int32_t offset = 0;
  std::string_view shared;
  // The opening of the file the bytes were read from (text/TextSource.h);
  // 0 when unknown. Text of two openings is never one span.
  std::uint64_t opening = 0;
};

struct ProvenanceSpan {
  std::int32_t start = 0;   // units
  std::int32_t length = 0;  // units, > 0
  SpanKind kind = SpanKind::Unknown;
  std::int32_t file = -1;   // index into ProvenanceMap::files(); -1 for Typed and Unknown
  std::int32_t offset = 0;  // bytes; the file's byte at `start`
  std::string shared;       // the join's shared words; only on a span that begins at a join
  std::uint64_t opening = 0;  // SpanOrigin::opening; 0 when unknown

  std::int32_t end() const { return start + length; }
};

class ProvenanceMap {
 public:
  // Total units covered; always the box's length when kept in step with it.
  std::int32_t Length() const { return length_; }
  const std::vector<ProvenanceSpan>& spans() const { return spans_; }
  const std::vector<std::string>& files() const { return files_; }
  const std::string& FilePath(const ProvenanceSpan& span) const;
  // Counts the changes made to the map; a view redraws when it moved on.
  std::uint64_t revision() const { return revision_; }

  // Forgets everything: `length` units (>= 0) of `kind` (a kind without a file).
  void Reset(std::int32_t length, SpanKind kind = SpanKind::Unknown);
  // Removes `removed` units at `position`, then inserts `inserted` units of `origin` there.
  // False, with nothing changed, when the range lies outside the map or a count is negative.
  bool Replace(std::int32_t position, std::int32_t removed, std::int32_t inserted,
               const SpanOrigin& origin);
  // Index of the span holding unit `position`; -1 outside the text.
  std::int32_t SpanIndexAt(std::int32_t position) const;
  // Units in [start, end) whose span is of `kind`.
  std::int32_t UnitsOfKind(std::int32_t start, std::int32_t end, SpanKind kind) const;

 private:
  // Splits the span across `position` in two; returns the index of the first span at or after it.
  std::size_t SplitAt(std::int32_t position);
  void Erase(std::int32_t position, std::int32_t count);
  void Insert(std::int32_t position, std::int32_t count, const SpanOrigin& origin);
  // Joins span i with span i + 1 when the second continues the first.
  void MergeWithNext(std::size_t i);
  void ShiftFrom(std::size_t first, std::int32_t delta);
  std::int32_t FileIndex(std::string_view path);

  std::vector<ProvenanceSpan> spans_;
  std::vector<std::string> files_;
  std::int32_t length_ = 0;
  std::uint64_t revision_ = 0;
};

}  // namespace plinvaro
