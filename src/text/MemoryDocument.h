// An in-memory RichDocument: UTF-16 text, a selection, a clipboard and a default font, with no view.
//
// Owns its text (UTF-16 units, one per byte of 8-bit text), its clipboard and
// the font last set (face and twips). Keeps NUL units that reach it (through
// Paste or SetText). Scrolling and focus have nothing to act on and do nothing.
// Reports the user's changes: Clear, Cut, Paste, SetText, TypeOver, UserReplace.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "text/RichDocument.h"

namespace plinvaro {

class MemoryDocument : public RichDocument {
 public:
  MemoryDocument();
  std::int32_t Length() const override { return static_cast<std::int32_t>(text_.size()); }
  TextSelection GetSelection() const override { return selection_; }

  void ScrollCaret() override {}
  void ScrollToTop() override {}
  void ScrollToBottom() override {}
  void Clear() override;
  void Focus() override {}
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
  // Replaces the whole text (kept verbatim) and puts the caret at its end, as a user change.
  void SetText(std::u16string text);
  // The user types `text` over the selection (kept verbatim); the caret goes behind it.
  void TypeOver(const std::u16string& text);
  // A change the user made to [start, end) (clamped), told as `cause`; the caret goes behind it.
  void UserReplace(std::int32_t start, std::int32_t end, const std::u16string& text,
                   ChangeCause cause);
  // Reports each user change just before making it, as a box whose
  // notifications come first does (TextChange::ahead).
  void SetReportsAhead(bool ahead) { reportsAhead_ = ahead; }
  const std::string& fontFace() const { return fontFace_; }
  std::int32_t fontTwips() const { return fontTwips_; }
  const std::optional<std::u16string>& clipboard() const { return clipboard_; }
  void SetClipboard(std::optional<std::u16string> content) { clipboard_ = std::move(content); }

 protected:
  void DoSetSelection(std::int32_t start, std::int32_t end) override { selection_ = {start, end}; }
  std::u16string DoGetRangeText(std::int32_t start, std::int32_t end) const override;
  bool DoReplaceRange(std::int32_t start, std::int32_t end, const std::u16string& text) override;
  bool DoReplaceRangeBytes(std::int32_t start, std::int32_t end, std::string_view bytes) override;
  bool DoHoldsBytesAt(std::int32_t start, std::string_view bytes) const override;

 private:
  std::u16string text_;
  TextSelection selection_;
  bool reportsAhead_ = false;
  std::optional<std::u16string> clipboard_;
  std::string fontFace_;
  std::int32_t fontTwips_ = 0;
};

}  // namespace plinvaro
