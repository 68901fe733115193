// The command ids of the panel's controls, shared by the control table and the controller.
#pragma once

namespace plinvaro {

// The command ids of the panel's controls.
enum class PanelCommand : int {
  Browse = 1,
  Start = 2,
  Pause = 3,
  Search = 4,
  ToSrc = 5,
  Stop = 6,
  Prev = 7,
  Next = 8,
  Accept = 9,
  OnTheFly = 10,
  More = 11,
};

}  // namespace plinvaro
