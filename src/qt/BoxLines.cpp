// BoxLines: line bounds, character starts and byte ranges asked of Scintilla.
#include "qt/BoxLines.h"

#include <Qsci/qsciscintillabase.h>

namespace plinvaro::qt {
namespace {

using Sci = QsciScintillaBase;

std::int32_t Ask(QsciScintillaBase& box, unsigned int message, long wParam) {
  return static_cast<std::int32_t>(box.SendScintilla(message, static_cast<unsigned long>(wParam)));
}

}  // namespace

LinePart LineOf(QsciScintillaBase& box, std::int32_t position) {
  const std::int32_t line = Ask(box, Sci::SCI_LINEFROMPOSITION, position);
  return {Ask(box, Sci::SCI_POSITIONFROMLINE, line), Ask(box, Sci::SCI_GETLINEENDPOSITION, line)};
}

LinePart WholeCharacters(QsciScintillaBase& box, LinePart line, LinePart part) {
  // The first byte of the character holding `at`.
  const auto charStart = [&box](std::int32_t at) { return Ask(box, Sci::SCI_POSITIONBEFORE, at + 1L); };
  if (part.start > line.start) part.start = charStart(part.start);
  if (part.end < line.end) part.end = charStart(part.end);
  return part;
}

void WrapLineNow(QsciScintillaBase& box, std::int32_t position) {
  box.SendScintilla(Sci::SCI_ENSUREVISIBLE, static_cast<unsigned long>(Ask(box, Sci::SCI_LINEFROMPOSITION, position)));
}

std::string RangeBytes(QsciScintillaBase& box, std::int32_t start, std::int32_t end) {
  // Scintilla ends the range with a NUL of its own.
  std::string bytes(static_cast<std::size_t>(end - start) + 1, '\0');
  box.SendScintilla(Sci::SCI_GETTEXTRANGE, static_cast<long>(start), static_cast<long>(end), bytes.data());
  bytes.pop_back();
  return bytes;
}

}  // namespace plinvaro::qt
