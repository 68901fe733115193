// InputBox: the QScintilla box that stays editable on an overlong line: its answers to an input method stay near the caret, and a selection there can be removed.
#pragma once

#include <Qsci/qsciscintilla.h>

class QKeyEvent;

namespace plinvaro::qt {

// QScintilla answers an input method's questions (surrounding text, cursor and
// anchor) with the caret's whole line, converted anew at every caret move; on a
// line of megabytes each answer costs time in proportion to it. On a long line
// this box answers with the text within kInputContextBytes of the caret.
//
// Scintilla refuses to remove text of a style it does not draw, which the
// hidden part of an overlong line has (qt/LongLineView); a selection that may
// reach such a part is removed here instead, as one undo step with what replaces it.
class InputBox : public QsciScintilla {
 public:
  using QsciScintilla::QsciScintilla;

  void cut() override;
  void paste() override;

 protected:
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Whether the selection may hold bytes of an overlong line's hidden part.
  bool SelectionMayBeHidden();
  void RemoveSelection();
};

}  // namespace plinvaro::qt
