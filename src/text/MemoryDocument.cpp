// MemoryDocument: the selection moves with each replacement as a rich-text box moves it.
#include "text/MemoryDocument.h"

namespace plinvaro {
namespace {

// Where a selection bound goes when [a, b) is replaced by n units.
std::int32_t MovedBound(std::int32_t bound, std::int32_t a, std::int32_t b, std::int32_t n) {
  if (bound < a) return bound;
  if (bound <= b) return a;
  return bound + n - (b - a);
}

}  // namespace

void MemoryDocument::Clear() {
  text_.clear();
  selection_ = {};
}

void MemoryDocument::Copy() {
  if (selection_.IsEmpty()) return;
  clipboard_ = DoGetRangeText(selection_.start, selection_.end);
}

void MemoryDocument::Cut() {
  if (selection_.IsEmpty()) return;
  Copy();
  DoReplaceRange(selection_.start, selection_.end, std::u16string());
}

void MemoryDocument::Paste() {
  if (!clipboard_) return;
  const std::u16string content = *clipboard_;
  const std::int32_t start = selection_.start;
  DoReplaceRange(start, selection_.end, content);
  const auto caret = start + static_cast<std::int32_t>(content.size());
  selection_ = {caret, caret};
}

void MemoryDocument::SetText(std::u16string text) {
  text_ = std::move(text);
  selection_ = {Length(), Length()};
}

std::u16string MemoryDocument::DoGetRangeText(std::int32_t start, std::int32_t end) const {
  return text_.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

void MemoryDocument::DoReplaceRange(std::int32_t start, std::int32_t end,
                                    const std::u16string& text) {
  text_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), text);
  const auto n = static_cast<std::int32_t>(text.size());
  selection_.start = MovedBound(selection_.start, start, end, n);
  selection_.end = MovedBound(selection_.end, start, end, n);
}

}  // namespace plinvaro
