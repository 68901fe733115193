// The status bar's fields and the window title of a desktop face, composed from the panel's state.
//
// Paths are 8-bit as the panel holds them. The face only shows the texts.
#pragma once

#include <cstdint>
#include <string>

namespace plinvaro {

class MainPanel;
class PanelControls;

struct StatusFields {
  std::string playback;  // "Playing: FILE", "Paused: FILE" or "Stopped"
  std::string speed;     // SpeedText of the playback interval
  std::string preview;   // "part k of N: FILE" while a found part waits in the preview; else empty
  std::string run;       // "Run: N words since the last join" once a word was played; else empty
  bool operator==(const StatusFields&) const = default;
};

// "N ms per word", N being the playback interval in ms.
std::string SpeedText(std::int32_t intervalMs);

// The fields for `panel`, whose face is `controls` (the preview shows a part
// exactly while "Accept" is enabled).
StatusFields ComposeStatus(const MainPanel& panel, const PanelControls& controls);

}  // namespace plinvaro
