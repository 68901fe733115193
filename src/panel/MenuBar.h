// The menu bar: its pop-ups and items, what each item runs, and when the Edit items are enabled.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "panel/Platform.h"

namespace plinvaro {

class MainPanel;

// One item: its Windows command id and the command it runs. A separator has
// id 0 and no text. No text has a mnemonic.
struct MenuItem {
  std::string_view text;
  int commandId;
  Command command;
  bool IsSeparator() const { return commandId == 0; }
};

struct MenuPopup {
  std::string_view title;
  std::span<const MenuItem> items;
  bool refreshesOnOpen;  // its items' states come from EditMenuStates each time it opens
};

// "File", "Edit", "Help" in bar order, each with its items in menu order.
std::span<const MenuPopup> MenuBarTable();
// The Edit pop-up's place on the bar; it alone refreshes on opening.
inline constexpr int kEditMenuPosition = 1;

struct MenuItemState {
  int commandId;
  bool enabled;
  bool operator==(const MenuItemState&) const = default;
};

// The Edit items' states, brought up to date each time the Edit menu opens, in
// the order they are set: "Copy", "Cut", "Select All", "Paste".
std::array<MenuItemState, 4> EditMenuStates(MainPanel& panel);

// The command of the item `commandId`, if any; the Edit items act on the
// source box whichever control has the focus.
std::optional<Command> MenuItemCommand(int commandId);
// The Windows command id of the item that runs `command`; 0 for none.
int MenuItemId(Command command);

}  // namespace plinvaro
