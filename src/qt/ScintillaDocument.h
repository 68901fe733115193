// ScintillaDocument: a RichDocument realised by a QScintilla box, one byte per position.
//
// The box keeps bytes; the controller's UTF-16 units all lie in 0..255, so unit
// u is byte u and a position in units is the same number in bytes. CR, LF, NUL
// and every other byte survive. The widget belongs to its Qt parent; the
// document only refers to it and must not outlive it.
#pragma once

#include <cstdint>
#include <string>

#include "window/ControlTable.h"
#include "qt/LongLineView.h"
#include "text/RichDocument.h"

class QsciScintilla;
class QWidget;

namespace plinvaro::qt {

// How the box draws bytes: as UTF-8 (invalid bytes as boxes) or one byte per
// Latin-1 character. Positions are bytes either way.
enum class DisplayCodePage { Utf8, Latin1 };

// UTF-8 when the C library's locale (LC_CTYPE) uses UTF-8, else Latin-1.
DisplayCodePage DisplayCodePageFromLocale();

class ScintillaDocument : public RichDocument {
 public:
  ScintillaDocument(QWidget* parent, DisplayCodePage codePage);
  ScintillaDocument(const ScintillaDocument&) = delete;
  ScintillaDocument& operator=(const ScintillaDocument&) = delete;

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

  // The background of every character cell and of the empty area.
  void SetBackground(Rgb colour);
  // The whole text as bytes, NUL bytes included.
  std::string Bytes() const;
  // The default style's font as the box has it: face and height in twips.
  std::string FontFace() const;
  std::int32_t FontTwips() const;
  Rgb Background() const;

  QsciScintilla* widget() const { return box_; }

 protected:
  void DoSetSelection(std::int32_t start, std::int32_t end) override;
  std::u16string DoGetRangeText(std::int32_t start, std::int32_t end) const override;
  std::string DoGetRangeBytes(std::int32_t start, std::int32_t end) const override;
  bool DoReplaceRange(std::int32_t start, std::int32_t end, const std::u16string& text) override;
  bool DoReplaceRangeBytes(std::int32_t start, std::int32_t end, std::string_view bytes) override;
  bool DoHoldsBytesAt(std::int32_t start, std::string_view bytes) const override;
  // Anchor and caret apart, so that a replacement keeps the selection's direction.
  SelectionEnds DoGetSelectionEnds() const override;
  void DoSetSelectionEnds(SelectionEnds ends) override;

 private:
  long Send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;
  // Wraps the line holding `changedAt` and sets the scroll bars for the display lines the box now has.
  void RefreshScrollRange(std::int32_t changedAt);

  QsciScintilla* box_;  // owned by its Qt parent
  LongLineView longLines_;
};

}  // namespace plinvaro::qt
