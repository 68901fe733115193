// InputBox: surrounding text, cursor and anchor for an input method, bounded on a long line; removing a selection there.
#include "qt/InputBox.h"

#include <QKeyEvent>
#include <algorithm>
#include <string>

#include "window/LongLineWindow.h"
#include "qt/BoxLines.h"

namespace plinvaro::qt {
namespace {

using Sci = QsciScintillaBase;

// Keys that type text over the selection.
bool Types(const QKeyEvent& event) {
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const int key = event.key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) return true;
  return !event.text().isEmpty() && event.text().front().isPrint();
}

bool Deletes(const QKeyEvent& event) {
  const bool plain = (event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
  return plain && (event.key() == Qt::Key_Delete || event.key() == Qt::Key_Backspace) &&
         !event.matches(QKeySequence::Cut);
}

}  // namespace

bool InputBox::SelectionMayBeHidden() {
  const auto start = static_cast<std::int32_t>(SendScintilla(Sci::SCI_GETSELECTIONSTART));
  const auto end = static_cast<std::int32_t>(SendScintilla(Sci::SCI_GETSELECTIONEND));
  if (start == end) return false;
  // A shorter selection can reach into an overlong line only through its first or last line.
  return end - start >= kLongLineBytes || IsLongLine(LineOf(*this, start)) || IsLongLine(LineOf(*this, end));
}

void InputBox::RemoveSelection() {
  const auto start = static_cast<unsigned long>(SendScintilla(Sci::SCI_GETSELECTIONSTART));
  const auto end = SendScintilla(Sci::SCI_GETSELECTIONEND);
  SendScintilla(Sci::SCI_DELETERANGE, start, end - static_cast<long>(start));
  SendScintilla(Sci::SCI_SETEMPTYSELECTION, start);
}

void InputBox::cut() {
  if (isReadOnly() || !SelectionMayBeHidden()) return QsciScintilla::cut();
  copy();
  RemoveSelection();
}

void InputBox::paste() {
  if (isReadOnly() || !SelectionMayBeHidden()) return QsciScintilla::paste();
  SendScintilla(Sci::SCI_BEGINUNDOACTION);
  RemoveSelection();
  QsciScintilla::paste();
  SendScintilla(Sci::SCI_ENDUNDOACTION);
}

void InputBox::keyPressEvent(QKeyEvent* event) {
  if (isReadOnly() || !SelectionMayBeHidden()) return QsciScintilla::keyPressEvent(event);
  if (event->matches(QKeySequence::Cut)) {
    cut();
  } else if (event->matches(QKeySequence::Paste)) {
    paste();
  } else if (Deletes(*event)) {
    RemoveSelection();
  } else if (Types(*event)) {
    SendScintilla(Sci::SCI_BEGINUNDOACTION);
    RemoveSelection();
    QsciScintilla::keyPressEvent(event);
    SendScintilla(Sci::SCI_ENDUNDOACTION);
    return;
  } else {
    return QsciScintilla::keyPressEvent(event);
  }
  event->accept();
}

QVariant InputBox::inputMethodQuery(Qt::InputMethodQuery query) const {
  const bool bounded = query == Qt::ImSurroundingText || query == Qt::ImCursorPosition ||
                       query == Qt::ImAnchorPosition || query == Qt::ImCurrentSelection;
  if (!bounded) return QsciScintilla::inputMethodQuery(query);
  auto* self = const_cast<InputBox*>(this);  // SendScintilla is not const
  const auto send = [self](unsigned int message, unsigned long w = 0, long l = 0) {
    return static_cast<std::int32_t>(self->SendScintilla(message, w, l));
  };
  const std::int32_t caret = send(Sci::SCI_GETCURRENTPOS);
  const LinePart line = LineOf(*self, caret);
  if (!IsLongLine(line)) return QsciScintilla::inputMethodQuery(query);
  const LinePart context = WholeCharacters(*self, line, InputContext(line, caret));
  const bool utf8 = send(Sci::SCI_GETCODEPAGE) == Sci::SC_CP_UTF8;
  const auto text = [&](std::int32_t from, std::int32_t to) {
    const std::string bytes = RangeBytes(*self, from, std::max(from, to));
    return utf8 ? QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()))
                : QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  };
  const auto offset = [&](std::int32_t at) {
    return static_cast<int>(text(context.start, std::clamp(at, context.start, context.end)).size());
  };
  switch (query) {
    case Qt::ImSurroundingText:
      return text(context.start, context.end);
    case Qt::ImCursorPosition:
      return offset(caret);
    case Qt::ImAnchorPosition:
      return offset(send(Sci::SCI_GETANCHOR));
    default: {
      const std::int32_t anchor = send(Sci::SCI_GETANCHOR);
      return text(std::clamp(std::min(anchor, caret), context.start, context.end),
                  std::clamp(std::max(anchor, caret), context.start, context.end));
    }
  }
}

}  // namespace plinvaro::qt
