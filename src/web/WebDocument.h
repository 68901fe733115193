// WebDocument: a RichDocument whose bytes live here and whose view is a text box of the page.
//
// The controller's positions are bytes (one unit a byte, as in every face);
// the page's box holds the UTF-16 text those bytes show as (text/DisplayText.h)
// and counts in its own UTF-16 units. This document owns the bytes, keeps the
// box's text in step with them, and maps positions both ways. The box is a
// JavaScript object of the page (src/web/page/editor.js) with the methods
// replace(from, to, units), select(from, to), selection(), focus(),
// scrollCaret(), scrollToTop(), scrollToBottom(), setFont(face, twips),
// copy(), cut(), paste() and canPaste(); positions in its units.
#pragma once

#include <emscripten/val.h>

#include <cstdint>
#include <string>

#include "text/DisplayText.h"
#include "text/RichDocument.h"

namespace plinvaro::web {

class WebDocument : public RichDocument {
 public:
  explicit WebDocument(emscripten::val box);

  std::int32_t Length() const override { return static_cast<std::int32_t>(bytes_.size()); }
  TextSelection GetSelection() const override;
  void ScrollCaret() override;
  void ScrollToTop() override;
  void ScrollToBottom() override;
  void Clear() override;
  void Focus() override;
  bool CanPaste() const override;
  void Copy() override;
  void Cut() override;
  void Paste() override;
  void SetDefaultFont(const std::string& face, std::int32_t twips) override;

  // The user replaced the box's units [from, to) by `units`; the box already
  // shows the change. The bytes follow, the change is reported, and the box is
  // told again where the new bytes show otherwise (a stray byte now completed).
  void UserReplaced(std::int32_t from, std::int32_t to, const std::u16string& units);
  // Whole text, as saved.
  const std::string& bytes() const { return bytes_; }
  // Units the box shows before byte `offset`, and the byte of unit `unit`.
  std::int32_t UnitsBefore(std::int32_t offset) const;
  std::int32_t BytesBefore(std::int32_t unit) const;

 protected:
  void DoSetSelection(std::int32_t start, std::int32_t end) override;
  std::u16string DoGetRangeText(std::int32_t start, std::int32_t end) const override;
  std::string DoGetRangeBytes(std::int32_t start, std::int32_t end) const override;
  bool DoReplaceRange(std::int32_t start, std::int32_t end, const std::u16string& text) override;
  bool DoReplaceRangeBytes(std::int32_t start, std::int32_t end, std::string_view bytes) override;
  bool DoHoldsBytesAt(std::int32_t start, std::string_view bytes) const override;

 private:
  // Bytes [start, end) become `inserted`; `typed` is what the box shows there
  // now: the user's units, or (a program change) none, the box then still
  // showing the old bytes. Brings the box's text in step.
  void Replace(std::int32_t start, std::int32_t end, std::string_view inserted,
               const std::u16string* typed);
  // The sequence start at or before `offset`, and the one at or behind it.
  std::int32_t SequenceStartBefore(std::int32_t offset) const;
  std::int32_t SequenceStartBehind(std::int32_t offset) const;

  emscripten::val box_;
  std::string bytes_;
  mutable DisplayOffsets offsets_;
};

}  // namespace plinvaro::web
