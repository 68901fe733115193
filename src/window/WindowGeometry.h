// Plain rectangles and sizes in pixels, shared by the control table, Relayout and the main window rules.
#pragma once

namespace plinvaro {

struct Size {
  int width = 0;   // pixels
  int height = 0;  // pixels
  bool operator==(const Size&) const = default;
};

// A control's place: top-left corner in its parent's client coordinates and its outer size.
struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

}  // namespace plinvaro
