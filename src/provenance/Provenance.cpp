// ProvenanceMap: splitting, erasing, inserting and merging spans as the box changes.
#include "provenance/Provenance.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace plinvaro {
namespace {

bool Continues(const ProvenanceSpan& first, const ProvenanceSpan& next) {
  if (first.kind != next.kind || first.file != next.file || !next.shared.empty()) return false;
  if (!IsFileKind(first.kind)) return true;
  // Bytes of two openings may be of two versions of the file: their offsets say nothing of each other.
  if (first.opening == 0 || first.opening != next.opening) return false;
  return static_cast<std::int64_t>(first.offset) + first.length == next.offset;
}

}  // namespace

bool IsFileKind(SpanKind kind) {
  return kind == SpanKind::Base || kind == SpanKind::Found || kind == SpanKind::Accepted;
}

const std::string& ProvenanceMap::FilePath(const ProvenanceSpan& span) const {
  static const std::string kNone;
  if (span.file < 0 || static_cast<std::size_t>(span.file) >= files_.size()) return kNone;
  return files_[static_cast<std::size_t>(span.file)];
}

void ProvenanceMap::Reset(std::int32_t length, SpanKind kind) {
  ++revision_;
  spans_.clear();
  files_.clear();
  length_ = std::max(length, 0);
  if (length_ == 0) return;
  ProvenanceSpan span;
  span.length = length_;
  span.kind = IsFileKind(kind) ? SpanKind::Unknown : kind;
  spans_.push_back(std::move(span));
}

bool ProvenanceMap::Replace(std::int32_t position, std::int32_t removed, std::int32_t inserted,
                            const SpanOrigin& origin) {
  if (position < 0 || removed < 0 || inserted < 0 || position > length_ ||
      removed > length_ - position)
    return false;
  const std::int64_t after = static_cast<std::int64_t>(length_) - removed + inserted;
  if (after > std::numeric_limits<std::int32_t>::max()) return false;
  if (IsFileKind(origin.kind) && origin.offset < 0) return false;
  ++revision_;
  Erase(position, removed);
  Insert(position, inserted, origin);
  return true;
}

std::int32_t ProvenanceMap::SpanIndexAt(std::int32_t position) const {
  if (position < 0 || position >= length_) return -1;
  const auto it = std::upper_bound(
      spans_.begin(), spans_.end(), position,
      [](std::int32_t p, const ProvenanceSpan& span) { return p < span.start; });
  return static_cast<std::int32_t>(std::distance(spans_.begin(), it)) - 1;
}

std::int32_t ProvenanceMap::UnitsOfKind(std::int32_t start, std::int32_t end,
                                        SpanKind kind) const {
  start = std::clamp(start, 0, length_);
  end = std::clamp(end, start, length_);
  std::int32_t units = 0;
  for (std::int32_t i = std::max(SpanIndexAt(start), 0);
       i < static_cast<std::int32_t>(spans_.size()); ++i) {
    const ProvenanceSpan& span = spans_[static_cast<std::size_t>(i)];
    if (span.start >= end) break;
    if (span.kind == kind) units += std::min(span.end(), end) - std::max(span.start, start);
  }
  return units;
}

std::size_t ProvenanceMap::SplitAt(std::int32_t position) {
  if (position >= length_) return spans_.size();
  const auto i = static_cast<std::size_t>(SpanIndexAt(position));
  ProvenanceSpan& span = spans_[i];
  if (span.start == position) return i;
  ProvenanceSpan right;
  right.start = position;
  right.length = span.end() - position;
  right.kind = span.kind;
  right.file = span.file;
  right.offset = IsFileKind(span.kind) ? span.offset + (position - span.start) : 0;
  right.opening = span.opening;
  span.length = position - span.start;
  spans_.insert(spans_.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(right));
  return i + 1;
}

void ProvenanceMap::Erase(std::int32_t position, std::int32_t count) {
  if (count == 0) return;
  const std::size_t first = SplitAt(position);
  const std::size_t last = SplitAt(position + count);
  spans_.erase(spans_.begin() + static_cast<std::ptrdiff_t>(first),
               spans_.begin() + static_cast<std::ptrdiff_t>(last));
  length_ -= count;
  ShiftFrom(first, -count);
  if (first > 0) MergeWithNext(first - 1);
}

void ProvenanceMap::Insert(std::int32_t position, std::int32_t count, const SpanOrigin& origin) {
  if (count == 0) return;
  const std::size_t at = SplitAt(position);
  ProvenanceSpan span;
  span.start = position;
  span.length = count;
  span.kind = origin.kind;
  if (IsFileKind(origin.kind)) {
    span.file = FileIndex(origin.file);
    span.offset = origin.offset;
    span.shared = std::string(origin.shared);
    span.opening = origin.opening;
  }
  // Playback appends to the last span: extend it in place.
  if (at == spans_.size() && at > 0 && Continues(spans_.back(), span)) {
    spans_.back().length += count;
    length_ += count;
    return;
  }
  spans_.insert(spans_.begin() + static_cast<std::ptrdiff_t>(at), std::move(span));
  length_ += count;
  ShiftFrom(at + 1, count);
  MergeWithNext(at);
  if (at > 0) MergeWithNext(at - 1);
}

void ProvenanceMap::MergeWithNext(std::size_t i) {
  if (i + 1 >= spans_.size() || !Continues(spans_[i], spans_[i + 1])) return;
  spans_[i].length += spans_[i + 1].length;
  spans_.erase(spans_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
}

void ProvenanceMap::ShiftFrom(std::size_t first, std::int32_t delta) {
  for (std::size_t i = first; i < spans_.size(); ++i) spans_[i].start += delta;
}

std::int32_t ProvenanceMap::FileIndex(std::string_view path) {
  // Playback names the same file tick after tick: look from the newest entry.
  for (std::size_t i = files_.size(); i > 0; --i)
    if (files_[i - 1] == path) return static_cast<std::int32_t>(i - 1);
  files_.emplace_back(path);
  return static_cast<std::int32_t>(files_.size() - 1);
}

}  // namespace plinvaro
