// InputBox: surrounding text, cursor and anchor for an input method, bounded on a long line.
#include "qt/InputBox.h"

#include <algorithm>
#include <string>

#include "window/LongLineWindow.h"
#include "qt/BoxLines.h"

namespace plinvaro::qt {
namespace {

using Sci = QsciScintillaBase;

}  // namespace

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
