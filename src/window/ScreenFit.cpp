// ScreenFit: the main window's start size, least size and place within a screen's available area.
#include "window/ScreenFit.h"

#include <algorithm>

#include "window/MainWindowGeometry.h"

namespace plinvaro {

Size FittedMinimumSize(const Rect& area) {
  return {std::clamp(area.width, 0, kMainWindowWidth), std::clamp(area.height, 0, kMainWindowHeight)};
}

Rect FittedStartRect(const Rect& area) {
  const Size size = FittedMinimumSize(area);
  return {area.x + (area.width - size.width) / 2, area.y + (area.height - size.height) / 2, size.width,
          size.height};
}

}  // namespace plinvaro
