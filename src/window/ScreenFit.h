// Fitting the main window to a screen's available area: start rectangle and least size.
//
// Pixels are the face's logical pixels; rectangles are outer (frame) rectangles.
#pragma once

#include "window/WindowGeometry.h"

namespace plinvaro {

// The least outer size: 700 x 500, or the area's size where that is smaller.
Size FittedMinimumSize(const Rect& area);

// 700 x 500 (shrunk to the area where smaller), centred in the area and inside it.
Rect FittedStartRect(const Rect& area);

}  // namespace plinvaro
