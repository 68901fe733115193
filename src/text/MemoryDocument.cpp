// MemoryDocument: the text as a string, the clipboard commands on its selection.
#include "text/MemoryDocument.h"

#include <algorithm>

#include "text/AnsiConversion.h"

namespace plinvaro {

MemoryDocument::MemoryDocument() { SetReportsUserChanges(true); }

void MemoryDocument::Clear() {
  const std::int32_t removed = Length();
  text_.clear();
  selection_ = {};
  if (removed > 0) ReportUserChange({0, removed, 0, ChangeCause::User});
}

void MemoryDocument::Copy() {
  if (selection_.IsEmpty()) return;
  clipboard_ = DoGetRangeText(selection_.start, selection_.end);
}

void MemoryDocument::Cut() {
  if (selection_.IsEmpty()) return;
  Copy();
  TypeOver(std::u16string());
}

void MemoryDocument::Paste() {
  if (!clipboard_) return;
  // The clipboard's NUL units go in too: the box keeps what it is given.
  TypeOver(*clipboard_);
}

void MemoryDocument::TypeOver(const std::u16string& text) {
  UserReplace(selection_.start, selection_.end, text, ChangeCause::User);
}

void MemoryDocument::UserReplace(std::int32_t start, std::int32_t end, const std::u16string& text,
                                 ChangeCause cause) {
  start = std::clamp(start, 0, Length());
  end = std::clamp(end, start, Length());
  const bool changes = end > start || !text.empty();
  const TextChange change{start, end - start, static_cast<std::int32_t>(text.size()), cause, reportsAhead_};
  if (changes && reportsAhead_) ReportUserChange(change);
  text_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), text);
  const auto caret = start + static_cast<std::int32_t>(text.size());
  selection_ = {caret, caret};
  if (changes && !reportsAhead_) ReportUserChange(change);
}

void MemoryDocument::SetText(std::u16string text) {
  const std::int32_t removed = Length();
  const auto inserted = static_cast<std::int32_t>(text.size());
  text_ = std::move(text);
  selection_ = {Length(), Length()};
  if (removed > 0 || inserted > 0) ReportUserChange({0, removed, inserted, ChangeCause::User});
}

std::u16string MemoryDocument::DoGetRangeText(std::int32_t start, std::int32_t end) const {
  return text_.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

bool MemoryDocument::DoReplaceRange(std::int32_t start, std::int32_t end,
                                    const std::u16string& text) {
  text_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), text);
  return true;
}

bool MemoryDocument::DoReplaceRangeBytes(std::int32_t start, std::int32_t end,
                                         std::string_view bytes) {
  // The units are written in place: no UTF-16 copy of the bytes is made.
  text_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start),
                bytes.size(), u'\0');
  AnsiToWideInto(bytes, text_.data() + start);
  return true;
}

bool MemoryDocument::DoHoldsBytesAt(std::int32_t start, std::string_view bytes) const {
  return SameAsAnsi(std::u16string_view(text_).substr(static_cast<std::size_t>(start), bytes.size()),
                    bytes);
}

}  // namespace plinvaro
