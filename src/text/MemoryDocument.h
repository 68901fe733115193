// An in-memory RichDocument: UTF-16 text and a selection, for the headless face and the tests.
//
// Owns its text (UTF-16 units, one per byte of 8-bit text) and its clipboard.
// Keeps NUL units that reach it (through Paste or SetText). Records focus and
// scroll requests so that callers can read back what a visible box would do.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "text/RichDocument.h"

namespace plinvaro {

enum class ScrollRequest { None, Caret, Top, Bottom };

class MemoryDocument : public RichDocument {
 public:
  std::int32_t Length() const override { return static_cast<std::int32_t>(text_.size()); }
  TextSelection GetSelection() const override { return selection_; }

  void ScrollCaret() override { lastScroll_ = ScrollRequest::Caret; }
  void ScrollToTop() override { lastScroll_ = ScrollRequest::Top; }
  void ScrollToBottom() override { lastScroll_ = ScrollRequest::Bottom; }
  void Clear() override;
  void Focus() override { ++focusCount_; }
  bool CanPaste() const override { return clipboard_.has_value(); }
  void Copy() override;
  void Cut() override;
  void Paste() override;
  void SetDefaultFont(const std::string& face, std::int32_t twips) override {
    fontFace_ = face;
    fontTwips_ = twips;
  }

  // Whole text, NUL units included.
  const std::u16string& text() const { return text_; }
  // Replaces the whole text (kept verbatim) and puts the caret at its end.
  void SetText(std::u16string text);
  int focusCount() const { return focusCount_; }
  ScrollRequest lastScroll() const { return lastScroll_; }
  void ResetScroll() { lastScroll_ = ScrollRequest::None; }
  const std::string& fontFace() const { return fontFace_; }
  std::int32_t fontTwips() const { return fontTwips_; }
  const std::optional<std::u16string>& clipboard() const { return clipboard_; }
  void SetClipboard(std::optional<std::u16string> content) { clipboard_ = std::move(content); }

 protected:
  void DoSetSelection(std::int32_t start, std::int32_t end) override { selection_ = {start, end}; }
  std::u16string DoGetRangeText(std::int32_t start, std::int32_t end) const override;
  void DoReplaceRange(std::int32_t start, std::int32_t end, const std::u16string& text) override;

 private:
  std::u16string text_;
  TextSelection selection_;
  int focusCount_ = 0;
  ScrollRequest lastScroll_ = ScrollRequest::None;
  std::optional<std::u16string> clipboard_;
  std::string fontFace_;
  std::int32_t fontTwips_ = 0;
};

}  // namespace plinvaro
