// The hotkey table and the one entry point every key event goes through.
#include "panel/Hotkeys.h"

#include <array>
#include <cstddef>
#include <iterator>

#include "panel/MainPanel.h"

namespace plinvaro {
namespace {

using enum Command;

constexpr std::array<Hotkey, 13> kHotkeys = {{
    {key::kUp, {key::kControl, key::kUp}, SlowDown},
    {key::kDown, {key::kControl, key::kDown}, SpeedUp},
    {key::kDigit1, {key::kControl, 0}, FocusSourceBox},
    {key::kDigit2, {key::kControl, 0}, FocusPreviewBox},
    {key::kF2, {key::kF2, 0}, Start},
    {key::kF3, {key::kF3, 0}, Pause},
    {key::kF4, {key::kF4, 0}, Search},
    {key::kF5, {key::kF5, 0}, ToSrc},
    {key::kF6, {key::kF6, 0}, Stop},
    {key::kF7, {key::kF7, 0}, SwitchMode},
    {key::kF8, {key::kF8, 0}, Prev},
    {key::kF9, {key::kF9, 0}, Next},
    {key::kF11, {key::kF11, 0}, Accept},
}};

// Each run's first code and length, in KeyRun order.
struct RunCodes {
  int first;
  int count;
};
constexpr RunCodes kRuns[] = {
    {key::kDigit0, 10}, {key::kLetterA, 26}, {key::kF1, 24}, {key::kUp, 1},
    {key::kDown, 1},    {key::kLeft, 1},     {key::kRight, 1}, {key::kControl, 1},
};
static_assert(std::size(kRuns) == static_cast<std::size_t>(KeyRun::Control) + 1);

bool AllDown(const Hotkey& row, const KeyState& keys) {
  for (const int code : row.mustBeDown) {
    if (code != 0 && !keys.IsKeyDown(code)) return false;
  }
  return true;
}

}  // namespace

std::span<const Hotkey> HotkeyTable() { return kHotkeys; }

std::optional<Command> MatchHotkey(int keyCode, const KeyState& keys) {
  for (const Hotkey& row : kHotkeys) {
    if (row.keyCode != keyCode) continue;
    if (!AllDown(row, keys)) return std::nullopt;
    return row.command;
  }
  return std::nullopt;
}

int PortableKeyCode(KeyRun run, int index, bool onKeypad) {
  const RunCodes& codes = kRuns[static_cast<std::size_t>(run)];
  if (index < 0 || index >= codes.count) return 0;
  const int first = run == KeyRun::Digit && onKeypad ? key::kKeypad0 : codes.first;
  return first + index;
}

bool HandleKey(MainPanel& panel, int keyCode, const KeyState& keys) {
  const std::optional<Command> command = MatchHotkey(keyCode, keys);
  return command && panel.Run(*command);
}

}  // namespace plinvaro
