// The shared rules of RichDocument: clamping, NUL-terminated input, the selection and caret after a replacement.
#include "text/RichDocument.h"

#include <algorithm>

namespace plinvaro {
namespace {

struct Range {
  std::int32_t start;
  std::int32_t end;
};

Range Clamped(std::int32_t start, std::int32_t end, std::int32_t length) {
  start = std::clamp(start, 0, length);
  end = std::clamp(end, 0, length);
  if (start > end) std::swap(start, end);
  return {start, end};
}

// Where a selection bound goes when [a, b) is replaced by n units: before the
// range it stays, inside it goes to the range's start, behind it moves by the
// change in length.
std::int32_t MovedBound(std::int32_t bound, std::int32_t a, std::int32_t b, std::int32_t n) {
  if (bound < a) return bound;
  if (bound <= b) return a;
  return bound + n - (b - a);
}

}  // namespace

std::u16string UpToFirstNul(const std::u16string& text) {
  const std::size_t nul = text.find(u'\0');
  return nul == std::u16string::npos ? text : text.substr(0, nul);
}

void RichDocument::SetSelection(std::int32_t start, std::int32_t end) {
  const Range r = Clamped(start, end, Length());
  DoSetSelection(r.start, r.end);
}

std::u16string RichDocument::GetRangeText(std::int32_t start, std::int32_t end) const {
  const Range r = Clamped(start, end, Length());
  return DoGetRangeText(r.start, r.end);
}

void RichDocument::ReplaceRange(std::int32_t start, std::int32_t end, const std::u16string& text) {
  const Range r = Clamped(start, end, Length());
  // Most texts hold no NUL: hand them on without a copy (a chunk may be a whole large file).
  const std::size_t nul = text.find(u'\0');
  if (nul == std::u16string::npos) {
    ReplaceClampedRange(r.start, r.end, text);
    return;
  }
  ReplaceClampedRange(r.start, r.end, text.substr(0, nul));
}

void RichDocument::ReplaceClampedRange(std::int32_t start, std::int32_t end,
                                       const std::u16string& text) {
  const SelectionEnds before = DoGetSelectionEnds();
  replacing_ = true;
  const bool replaced = DoReplaceRange(start, end, text);
  replacing_ = false;
  if (!replaced) return;
  const auto n = static_cast<std::int32_t>(text.size());
  if (listener_ != nullptr) listener_->TextChanged({start, end - start, n, ChangeCause::Program});
  DoSetSelectionEnds(
      {MovedBound(before.anchor, start, end, n), MovedBound(before.caret, start, end, n)});
}

void RichDocument::ReportUserChange(const TextChange& change) {
  if (replacing_ || listener_ == nullptr) return;
  listener_->TextChanged(change);
}

SelectionEnds RichDocument::DoGetSelectionEnds() const {
  const TextSelection selection = GetSelection();
  return {selection.start, selection.end};
}

void RichDocument::DoSetSelectionEnds(SelectionEnds ends) {
  DoSetSelection(std::min(ends.anchor, ends.caret), std::max(ends.anchor, ends.caret));
}

void RichDocument::ReplaceSelection(const std::u16string& text, std::int32_t n) {
  const TextSelection before = GetSelection();
  ReplaceRange(before.start, before.end, text);
  const std::int32_t p = GetSelection().start;
  const std::int64_t caret = static_cast<std::int64_t>(p) + std::max(n, 0);
  const auto clamped = static_cast<std::int32_t>(std::min<std::int64_t>(caret, Length()));
  SetSelection(clamped, clamped);
}

}  // namespace plinvaro
