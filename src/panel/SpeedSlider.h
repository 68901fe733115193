// The speed slider: its range and steps, and which of its events change the playback speed.
#pragma once

#include <cstdint>

namespace plinvaro {

// Trackbar positions: higher is faster and lower on screen.
inline constexpr std::int32_t kTrackbarMin = 0;
inline constexpr std::int32_t kTrackbarMax = 100;
inline constexpr std::int32_t kTrackbarTickFrequency = 10;  // positions between ticks
inline constexpr std::int32_t kInitialTrackbarPosition = 70;
inline constexpr std::int32_t kSpeedStep = 5;  // positions per SlowDown/SpeedUp

class MainPanel;

enum class SliderEvent {
  MouseReleased,  // the mouse button let go after dragging the thumb or clicking the groove
  KeyboardMoved,  // the thumb moved by a key press; the speed follows later
  ThumbDragged,   // the thumb moves under the mouse; the speed follows on release
};

bool UpdatesSpeed(SliderEvent event);

// The playback interval in ms that trackbar `position` stands for (clamped to the range).
std::int32_t IntervalAtPosition(std::int32_t position);

// Runs UpdateSpeed for the events that change the speed.
void HandleSliderEvent(MainPanel& panel, SliderEvent event);

}  // namespace plinvaro
