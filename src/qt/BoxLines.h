// BoxLines: a QScintilla box's lines and character edges, in bytes.
#pragma once

#include <cstdint>

#include "panel/LongLineWindow.h"

class QsciScintillaBase;

namespace plinvaro::qt {

// The line holding byte `position`, without its line end.
LinePart LineOf(QsciScintillaBase& box, std::int32_t position);
// `part` of `line` with each edge inside the line moved back to a character's first byte.
LinePart WholeCharacters(QsciScintillaBase& box, LinePart line, LinePart part);

}  // namespace plinvaro::qt
