// The speed slider's events: only a released mouse changes the speed at once.
#include "panel/SpeedSlider.h"

#include <algorithm>

#include "panel/MainPanel.h"

namespace plinvaro {

bool UpdatesSpeed(SliderEvent event) { return event == SliderEvent::MouseReleased; }

std::int32_t IntervalAtPosition(std::int32_t position) {
  const std::int32_t clamped = std::clamp(position, kTrackbarMin, kTrackbarMax);
  return static_cast<std::int32_t>(100 - (100 - clamped) * -11.0);
}

void HandleSliderEvent(MainPanel& panel, SliderEvent event) {
  if (UpdatesSpeed(event)) panel.UpdateSpeed();
}

}  // namespace plinvaro
