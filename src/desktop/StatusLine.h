// The status bar's fields and the window title of a desktop face, composed from the panel's state.
//
// Paths are 8-bit as the panel holds them. Each text has a short form, which
// fits its field at the window's start size, and a whole one for the field's
// tooltip. The face only shows the texts.
#pragma once

#include <cstdint>
#include <string>

namespace plinvaro {

class MainPanel;
class PanelControls;
struct SearchOutcome;

// Short: files and directories by their last name, the advice brief. Whole: paths whole, every word.
enum class StatusForm { Short, Whole };

// FILE below is the file's name in the Short form, its path in the Whole one.
struct StatusFields {
  std::string playback;  // "Playing: FILE", "Paused: FILE" or "Stopped"
  std::string speed;     // SpeedText of the playback interval
  std::string preview;   // "part k of N: FILE" while a found part waits in the preview; else empty
  std::string run;       // once a word was played: "Run: N words" (Short), "Run: N words since
                         // the last join" (Whole); else empty
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
StatusFields ComposeStatus(const MainPanel& panel, const PanelControls& controls,
                           StatusForm form = StatusForm::Short);

// What the last Search came to: SearchOutcomeText when Whole; when Short, the
// directory by its last name and the advice brief ("NAME: reason" for one that
// cannot be read).
std::string SearchOutcomeStatus(const SearchOutcome& outcome, StatusForm form);

// The last name of `path` (a file's or a directory's), trailing separators left out.
std::string LastName(const std::string& path);

}  // namespace plinvaro
