// RichDocument over a Rich Edit 1.0 box: EM_ messages for length, selection and view, the text object model for text.
//
// Positions are UTF-16 units. The document holds the box's IRichEditOle,
// ITextDocument and its one ITextRange from Attach on; the box itself belongs
// to its parent window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "text/RichDocument.h"

struct IRichEditOle;
struct ITextDocument;
struct ITextRange;

namespace plinvaro::win32 {

class RichEditDocument final : public RichDocument {
 public:
  RichEditDocument() = default;
  ~RichEditDocument() override;
  RichEditDocument(const RichEditDocument&) = delete;
  RichEditDocument& operator=(const RichEditDocument&) = delete;

  // Binds the document to `control` and obtains its text object model and range;
  // raises the box's text limit so that nothing typed, played or accepted is cut off.
  void Attach(HWND control);
  HWND control() const { return control_; }
  bool HasTextModel() const { return range_ != nullptr; }
  // False once the box holds a word too long for Wine's box to wrap, until it is cleared.
  bool WrapsLines() const { return wrapsLines_; }

  std::int32_t Length() const override;
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

 protected:
  void DoSetSelection(std::int32_t start, std::int32_t end) override;
  std::u16string DoGetRangeText(std::int32_t start, std::int32_t end) const override;
  bool DoReplaceRange(std::int32_t start, std::int32_t end, const std::u16string& text) override;

 private:
  // Sets the range's start, then its end; true when both took.
  bool AimRange(std::int32_t start, std::int32_t end) const;
  void SendSelection(std::int32_t start, std::int32_t end);
  // Under Wine: lays out the paragraphs a replacement left unwrapped, only those.
  void RewrapText();
  // Wraps lines at the box's edge, or keeps each line whole (scrolled sideways).
  void SetLineWrap(bool wrap);

  HWND control_ = nullptr;
  IRichEditOle* richEditOle_ = nullptr;
  ITextDocument* textDocument_ = nullptr;
  ITextRange* range_ = nullptr;
  bool wrapsLines_ = true;
};

}  // namespace plinvaro::win32
