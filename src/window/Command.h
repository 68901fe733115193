// The one vocabulary of commands: what buttons, menu items, hotkeys and the seam views run.
//
// Each face maps its own events onto a Command through tables: the panel's
// child-window ids (ButtonIds), the menu bar's items, the hotkey table and the
// seam views' items; panel/Commands.h runs any of them.
#pragma once

#include <optional>
#include <span>

namespace plinvaro {

enum class Command : int {
  // The panel's buttons and its check box.
  Browse,
  Start,
  Pause,
  Search,
  ToSrc,
  Stop,
  Prev,
  Next,
  Accept,
  OnTheFly,  // the check box was clicked and has flipped itself
  More,
  // The menu bar.
  Open,
  SaveAs,
  Exit,
  Copy,
  Cut,
  Paste,
  SelectAll,
  ViewHotkeys,
  About,
  // Keys alone.
  SlowDown,
  SpeedUp,
  FocusSourceBox,
  FocusPreviewBox,
  SwitchMode,  // flips "On The Fly Mode" first
  // The desktop face's seam views.
  ExportSources,
  UndoJoin,
  RetryJoin,
  ToggleTint,        // View: the source files' tint and the join marks
  ToggleSources,     // View: the Sources dock
  ToggleFoundParts,  // View: the Found parts dock
};
inline constexpr int kCommandCount = static_cast<int>(Command::ToggleFoundParts) + 1;

// A Windows command id and the command it runs.
struct IdCommand {
  int id;
  Command command;
};

// The panel's child-window ids, as WM_COMMAND carries them: "..." is 1, "\/" is 11.
inline constexpr IdCommand kButtonIds[] = {
    {1, Command::Browse}, {2, Command::Start}, {3, Command::Pause},    {4, Command::Search},
    {5, Command::ToSrc},  {6, Command::Stop},  {7, Command::Prev},     {8, Command::Next},
    {9, Command::Accept}, {10, Command::OnTheFly}, {11, Command::More},
};

// The id of the control that runs `command`; 0 when none does.
constexpr int ButtonId(Command command) {
  for (const IdCommand& row : kButtonIds) {
    if (row.command == command) return row.id;
  }
  return 0;
}

// The command of the control with child id `id`, if any.
std::optional<Command> ButtonCommand(int id);

}  // namespace plinvaro
