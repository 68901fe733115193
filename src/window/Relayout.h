// Relayout: where every control below the top row goes for a panel of W x H pixels.
//
// A pure function of the panel's client size and the outer sizes of the
// controls that keep their own size. All values are pixels; every division
// truncates toward zero. The top row keeps its creation places.
#pragma once

#include <functional>
#include <vector>

#include "window/ControlTable.h"
#include "window/WindowGeometry.h"

namespace plinvaro {

// The outer sizes Relayout reads from the controls (their creation sizes unless
// a face sized them otherwise).
struct RelayoutInput {
  Size panel;          // client size of the main window = the panel's size
  Size prevButton;     // "<<", also given to ">>"
  Size acceptButton;
  Size moreButton;     // "\/"
  Size startButton;    // also given to Pause, Search, To Src and Stop
  Size speedTrackbar;
};

// The creation sizes of the controls Relayout reads, for a panel of `panel` size.
RelayoutInput RelayoutInputFromTable(Size panel);

struct ControlPlace {
  ControlId control;
  Rect rect;
  bool operator==(const ControlPlace&) const = default;
};

// The moves in the order a face makes them: the panel, the source box, the
// preview box, "<<", ">>", "Accept", "\/", the five buttons, the trackbar.
std::vector<ControlPlace> Relayout(const RelayoutInput& input);

// A control's current outer size, as the face reads it from its window.
using OuterSizeOf = std::function<Size(ControlId control)>;

// The one call of a face: Relayout for a panel of `panel` size, the controls'
// sizes read through `outerSize`.
std::vector<ControlPlace> RelayoutPanel(Size panel, const OuterSizeOf& outerSize);

}  // namespace plinvaro
