// Which events of the speed slider change the playback speed.
#pragma once

namespace plinvaro {

class MainPanel;

enum class SliderEvent {
  MouseReleased,  // the mouse button let go after dragging the thumb or clicking the groove
  KeyboardMoved,  // the thumb moved by a key press; the speed follows later
  ThumbDragged,   // the thumb moves under the mouse; the speed follows on release
};

bool UpdatesSpeed(SliderEvent event);

// Runs UpdateSpeed for the events that change the speed.
void HandleSliderEvent(MainPanel& panel, SliderEvent event);

}  // namespace plinvaro
