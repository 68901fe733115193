// The shared rules of RichDocument: clamping, NUL-terminated input, the selection and caret after a replacement.
#include "text/RichDocument.h"

#include <algorithm>

#include "text/AnsiConversion.h"

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

std::string RichDocument::GetRangeBytes(std::int32_t start, std::int32_t end) const {
  const Range r = Clamped(start, end, Length());
  return DoGetRangeBytes(r.start, r.end);
}

std::string RichDocument::DoGetRangeBytes(std::int32_t start, std::int32_t end) const {
  return WideToAnsi(DoGetRangeText(start, end), end - start);
}

void RichDocument::ReplaceRange(std::int32_t start, std::int32_t end, const std::u16string& text) {
  const Range r = Clamped(start, end, Length());
  // Most texts hold no NUL: hand them on without a copy (a chunk may be a whole large file).
  const std::size_t nul = text.find(u'\0');
  const auto n = static_cast<std::int32_t>(std::min(nul, text.size()));
  const SelectionEnds before = BeginReplace(r.start, r.end, n);
  const bool replaced = nul == std::u16string::npos ? DoReplaceRange(r.start, r.end, text)
                                                    : DoReplaceRange(r.start, r.end, text.substr(0, nul));
  EndReplace(before, r.start, r.end, n, replaced);
}

void RichDocument::ReplaceRangeBytes(std::int32_t start, std::int32_t end, std::string_view bytes) {
  if (!OneUnitPerByte()) {  // a character may take two bytes: the units count
    ReplaceRange(start, end, AnsiToWide(reinterpret_cast<const unsigned char*>(bytes.data()),
                                        static_cast<std::int32_t>(bytes.size())));
    return;
  }
  const Range r = Clamped(start, end, Length());
  bytes = bytes.substr(0, bytes.find('\0'));
  const SelectionEnds before = BeginReplace(r.start, r.end, static_cast<std::int32_t>(bytes.size()));
  const bool replaced = DoReplaceRangeBytes(r.start, r.end, bytes);
  EndReplace(before, r.start, r.end, static_cast<std::int32_t>(bytes.size()), replaced);
}

SelectionEnds RichDocument::BeginReplace(std::int32_t start, std::int32_t end, std::int32_t n) {
  replacing_ = true;
  const SelectionEnds before = DoGetSelectionEnds();
  // As EndReplace, then PlaceCaret when ReplaceSelection runs, will put it.
  const std::int64_t length = static_cast<std::int64_t>(Length()) - (end - start) + n;
  caretAfter_ = placedCaret_ ? static_cast<std::int32_t>(std::min<std::int64_t>(
                                   static_cast<std::int64_t>(start) + std::max(*placedCaret_, 0), length))
                             : MovedBound(before.caret, start, end, n);
  return before;
}

void RichDocument::EndReplace(SelectionEnds before, std::int32_t start, std::int32_t end,
                              std::int32_t n, bool replaced) {
  replacing_ = false;
  if (!replaced) return;
  if (listener_ != nullptr) listener_->TextChanged({start, end - start, n, ChangeCause::Program});
  DoSetSelectionEnds(
      {MovedBound(before.anchor, start, end, n), MovedBound(before.caret, start, end, n)});
}

bool RichDocument::HoldsBytesAt(std::int32_t start, std::string_view bytes) const {
  const std::int64_t end = static_cast<std::int64_t>(start) + static_cast<std::int64_t>(bytes.size());
  if (start < 0 || end > Length() || !OneUnitPerByte()) return false;
  return DoHoldsBytesAt(start, bytes);
}

bool RichDocument::DoReplaceRangeBytes(std::int32_t start, std::int32_t end, std::string_view bytes) {
  return DoReplaceRange(start, end,
                        AnsiToWide(reinterpret_cast<const unsigned char*>(bytes.data()),
                                   static_cast<std::int32_t>(bytes.size())));
}

bool RichDocument::DoHoldsBytesAt(std::int32_t start, std::string_view bytes) const {
  return SameAsAnsi(DoGetRangeText(start, start + static_cast<std::int32_t>(bytes.size())), bytes);
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
  ReplaceSelectionThen(n, [&](TextSelection selection) { ReplaceRange(selection.start, selection.end, text); });
}

void RichDocument::ReplaceSelectionBytes(std::string_view bytes, std::int32_t n) {
  ReplaceSelectionThen(n, [&](TextSelection selection) {
    ReplaceRangeBytes(selection.start, selection.end, bytes);
  });
}

void RichDocument::ReplaceSelectionThen(std::int32_t n, const std::function<void(TextSelection)>& replace) {
  placedCaret_ = n;
  replace(GetSelection());
  placedCaret_.reset();
  PlaceCaret(n);
}

void RichDocument::PlaceCaret(std::int32_t n) {
  const std::int32_t p = GetSelection().start;
  const std::int64_t caret = static_cast<std::int64_t>(p) + std::max(n, 0);
  const auto clamped = static_cast<std::int32_t>(std::min<std::int64_t>(caret, Length()));
  SetSelection(clamped, clamped);
}

}  // namespace plinvaro
