// LongLineView: lays out an overlong line of a QScintilla box in part, so that no change or repaint measures all of it.
//
// The bytes outside a line's shown part (panel/LongLineWindow.h) get a style
// that is not drawn, which Scintilla lays out at zero width without measuring.
// The shown part follows an insertion's end, the caret and the top of the view.
// Only styles change: the text, the selection and every position stay as they are.
#pragma once

#include <cstdint>

#include "window/LongLineWindow.h"

class QsciScintilla;

namespace plinvaro::qt {

class LongLineView {
 public:
  // The box belongs to its Qt parent and must outlive this view.
  explicit LongLineView(QsciScintilla* box);

  // The box's styles were reset (font, background): hide the hidden style again.
  void ReapplyHiddenStyle();
  // `length` bytes now stand at `start` and the caret will stand at `caret`: the
  // long lines among them show the part around the caret when it is on them,
  // else around the insertion's end, and are wrapped at once.
  void AfterReplacement(std::int32_t start, std::int32_t length, std::int32_t caret);

 private:
  long Send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;
  bool IsHidden(std::int32_t position) const;
  // Every byte keeps its style: the box has no lexer to style it anew.
  void MarkStyled();
  // Whether `line`, if long, must show another part for `focus`.
  bool NeedsShowing(LinePart line, std::int32_t focus) const;
  // Whether a changed `line` shows much more than its part around `focus`.
  bool Overshown(LinePart line, std::int32_t focus) const;
  void Show(LinePart line, std::int32_t focus);
  void OnUpdate(int updated);
  void FollowCaret();
  void FollowViewTop();

  QsciScintilla* box_;
  bool following_ = false;  // re-entry guard: showing a part updates the box again
};

}  // namespace plinvaro::qt
