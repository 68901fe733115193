// The desktop (Linux) face's keyboard additions: Tab order, menu mnemonics and shortcuts, the key of "\/", tooltips, the aligned Hotkeys box.
//
// These sit beside the window model and leave it as it is: the thirteen
// hotkeys, the menu texts and the control table do not change. Texts are 8-bit.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "window/Command.h"
#include "window/ControlTable.h"

namespace plinvaro {

// The controls in reading order: the top row, the source box with the right
// column beside it, then the preview box with its part buttons.
std::span<const ControlId> TabOrder();

// A menu item's additions (the seam views' items too): the letter its mnemonic
// underlines (0 for none) and its shortcut in the portable "Ctrl+O" form (empty for none).
struct MenuKeys {
  Command command;
  char mnemonic;
  std::string_view shortcut;
};
std::span<const MenuKeys> MenuKeyTable();
// The keys of the item that runs `command`; a row with no mnemonic and no shortcut when it has none.
MenuKeys KeysOfMenuItem(Command command);
// The mnemonic letter of the bar's pop-up `title` ("File", "Edit", "Help", ...); 0 for none.
char PopupMnemonic(std::string_view title);

// A push button's text and the letter its mnemonic underlines.
struct ButtonKeys {
  std::string_view text;
  char mnemonic;
};
// The close guard's answers to "save the changes first?" (over unsaved text).
inline constexpr ButtonKeys kGuardSave{"Save", 'S'};
inline constexpr ButtonKeys kGuardDiscard{"Discard", 'D'};
inline constexpr ButtonKeys kGuardCancel{"Cancel", 'C'};

// File > "Open Recent": its text, mnemonic and how many files it lists.
inline constexpr std::string_view kOpenRecentText = "Open Recent";
inline constexpr char kOpenRecentMnemonic = 'R';
inline constexpr int kRecentFileCount = 10;
// Its one item, disabled, while no file was opened.
inline constexpr std::string_view kNoRecentFilesText = "(none)";

// `text` with every '&' doubled and a '&' before the first `letter` (exact
// case, else either case); `text` escaped alone when the letter is absent or 0.
std::string MnemonicText(std::string_view text, char letter);

// Whether a key that carries a character types it into a text box, held with
// Ctrl and Alt as given: with Alt and without Ctrl it is a mnemonic that
// matched nothing, and types nothing (Ctrl and Alt together may be AltGr).
bool MayTypeCharacter(bool ctrl, bool alt);

// The key of "\/" (more text of the found part), which the thirteen hotkeys lack.
inline constexpr std::string_view kMoreTextKey = "F12";

// One line of the Hotkeys box: the key as the box names it, and what it does.
struct HotkeyHelpRow {
  std::string key;
  std::string action;
};
// The thirteen hotkeys' lines as the window model's help text has them, then "\/"'s key.
std::vector<HotkeyHelpRow> HotkeyHelpRows();
// The Hotkeys box's text: a blank first line, then one line a row with the
// dashes in one column (for a fixed-pitch font).
std::string AlignedHotkeyHelpText();

// What a control is called for tooltips and screen readers, with its key in
// parentheses where it has one, e.g. "Previous found part (F8)". Empty for the
// panel itself and for the speed slider, whose name SpeedSliderName gives.
std::string ControlName(ControlId id);
// "Speed: N ms per word" for the slider at `position`.
std::string SpeedSliderName(int position);

}  // namespace plinvaro
