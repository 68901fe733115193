// BoxLines: a QScintilla box's lines, character edges and byte ranges, in bytes; wrapping a line now.
#pragma once

#include <cstdint>
#include <string>

#include "window/LongLineWindow.h"

class QsciScintillaBase;

namespace plinvaro::qt {

// The line holding byte `position`, without its line end.
LinePart LineOf(QsciScintillaBase& box, std::int32_t position);
// `part` of `line` with each edge inside the line moved back to a character's first byte.
LinePart WholeCharacters(QsciScintillaBase& box, LinePart line, LinePart part);
// Wraps the line holding `position` now rather than when idle, so that the
// caret and the scroll bar see its display lines.
void WrapLineNow(QsciScintillaBase& box, std::int32_t position);
// The bytes of [start, end), which must lie within the text.
std::string RangeBytes(QsciScintillaBase& box, std::int32_t start, std::int32_t end);

}  // namespace plinvaro::qt
