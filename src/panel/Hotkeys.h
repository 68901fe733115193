// The thirteen hotkeys: which key, which keys must be down, which command.
//
// Key codes are portable integers whose values are the Windows virtual-key
// codes; a face maps its own key events onto them through PortableKeyCode. The
// face calls HandleKey for every key press, every auto-repeat and, where its
// platform reports one, every release, and then lets the key go on to the
// focused control: a hotkey never consumes its key.
#pragma once

#include <optional>
#include <span>

#include "window/Command.h"

namespace plinvaro {

class MainPanel;

namespace key {
inline constexpr int kControl = 0x11;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
inline constexpr int kDigit0 = 0x30;  // the main keyboard's digits, not the keypad's
inline constexpr int kDigit1 = 0x31;
inline constexpr int kDigit2 = 0x32;
inline constexpr int kLetterA = 0x41;  // kLetterA + n is the (n+1)th letter, up to Z
inline constexpr int kKeypad0 = 0x60;  // the keypad's digits
inline constexpr int kF1 = 0x70;      // kF1 + n - 1 is Fn, up to F24
inline constexpr int kF2 = 0x71;
inline constexpr int kF3 = 0x72;
inline constexpr int kF4 = 0x73;
inline constexpr int kF5 = 0x74;
inline constexpr int kF6 = 0x75;
inline constexpr int kF7 = 0x76;
inline constexpr int kF8 = 0x77;
inline constexpr int kF9 = 0x78;
inline constexpr int kF10 = 0x79;
inline constexpr int kF11 = 0x7A;
inline constexpr int kF12 = 0x7B;
}  // namespace key

// The runs of keys a face tells apart. A face names a key by its run and its
// index from the run's first key (0 for "0", "A", F1); the model gives the code.
enum class KeyRun { Digit, Letter, FunctionKey, Up, Down, Left, Right, Control };

// The portable code of key `index` of `run`; `onKeypad` marks a keypad key
// (keypad digits have their own codes). 0 for an index outside the run.
int PortableKeyCode(KeyRun run, int index, bool onKeypad);

struct Hotkey {
  int keyCode;                  // the key whose event is looked up
  int mustBeDown[2];            // keys that must be down then; 0 ends the list early
  Command command;
};

std::span<const Hotkey> HotkeyTable();

// The face's answer to "is this key down now", asked while an event is handled.
class KeyState {
 public:
  virtual ~KeyState() = default;
  virtual bool IsKeyDown(int keyCode) const = 0;
};

// The row for `keyCode` whose keys are all down, if any. Shift, Ctrl and Alt are
// not tested for the function keys; Ctrl+1 and Ctrl+2 test only Ctrl.
std::optional<Command> MatchHotkey(int keyCode, const KeyState& keys);

// Looks the event up and runs its command; true when one ran.
bool HandleKey(MainPanel& panel, int keyCode, const KeyState& keys);

}  // namespace plinvaro
