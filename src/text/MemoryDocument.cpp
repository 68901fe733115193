// MemoryDocument: the text as a string, the clipboard commands on its selection.
#include "text/MemoryDocument.h"

namespace plinvaro {

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
  ReplaceRange(selection_.start, selection_.end, std::u16string());
}

void MemoryDocument::Paste() {
  if (!clipboard_) return;
  // The clipboard's NUL units go in too: the box keeps what it is given.
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

bool MemoryDocument::DoReplaceRange(std::int32_t start, std::int32_t end,
                                    const std::u16string& text) {
  text_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), text);
  return true;
}

}  // namespace plinvaro
