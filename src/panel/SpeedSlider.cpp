// The speed slider's events: only a released mouse changes the speed at once.
#include "panel/SpeedSlider.h"

#include "panel/MainPanel.h"

namespace plinvaro {

bool UpdatesSpeed(SliderEvent event) { return event == SliderEvent::MouseReleased; }

void HandleSliderEvent(MainPanel& panel, SliderEvent event) {
  if (UpdatesSpeed(event)) panel.UpdateSpeed();
}

}  // namespace plinvaro
