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
  std::string steering;  // SteeringText; empty while every option is as it starts
  bool operator==(const StatusFields&) const = default;
};

// "N ms per word", N being the playback interval in ms.
std::string SpeedText(std::int32_t intervalMs);

// What the steering options change in the next search from `directory`, e.g.
// "wander in 5 words, case ignored, 1 file left out, 2 files weighted"; empty while
// none does (wander off, "Match case" on, every file of `directory` weighing 1).
std::string SteeringText(const MainPanel& panel, const std::string& directory);

// The fields for `panel`, whose face is `controls` (the preview shows a part
// exactly while "Accept" is enabled).
StatusFields ComposeStatus(const MainPanel& panel, const PanelControls& controls);

// The file playback plays now (or plays next on Start): the found file while
// playback is on a found part, else the base file; empty for none.
const std::string& PlayingFile(const MainPanel& panel);

// "Plinvaro - FILE" for PlayingFile, or "Plinvaro" when there is none.
std::string PlayingTitle(const MainPanel& panel);

}  // namespace plinvaro
