// InputBox: the QScintilla box whose answers to an input method stay near the caret, however long its line.
#pragma once

#include <Qsci/qsciscintilla.h>

namespace plinvaro::qt {

// QScintilla answers an input method's questions (surrounding text, cursor and
// anchor) with the caret's whole line, converted anew at every caret move; on a
// line of megabytes each answer costs time in proportion to it. On a long line
// this box answers with the text within kInputContextBytes of the caret.
class InputBox : public QsciScintilla {
 public:
  using QsciScintilla::QsciScintilla;

 protected:
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
};

}  // namespace plinvaro::qt
