// The menu bar's table, its commands and the Edit menu's enabling rule.
#include "panel/MenuBar.h"

#include <iterator>
#include <string>

#include "panel/MainPanel.h"

namespace plinvaro {
namespace {

constexpr MenuItem kFileItems[] = {
    {"Open...", 1, Command::Open},
    {"Save as...", 2, Command::SaveAs},
    {},  // separator
    {"Exit", 3, Command::Exit},
};
constexpr MenuItem kEditItems[] = {
    {"Copy", 4, Command::Copy},
    {"Cut", 5, Command::Cut},
    {"Paste", 6, Command::Paste},
    {"Select All", 7, Command::SelectAll},
};
constexpr MenuItem kHelpItems[] = {
    {"View hotkeys...", 8, Command::ViewHotkeys},
    {"About...", 9, Command::About},
};
constexpr MenuPopup kMenuBar[] = {
    {"File", kFileItems, false},
    {"Edit", kEditItems, true},
    {"Help", kHelpItems, false},
};

constexpr bool OnlyEditRefreshes() {
  for (int i = 0; i < static_cast<int>(std::size(kMenuBar)); ++i) {
    if (kMenuBar[i].refreshesOnOpen != (i == kEditMenuPosition)) return false;
  }
  return true;
}
static_assert(OnlyEditRefreshes(), "the Edit pop-up alone refreshes its items on opening");

}  // namespace

std::span<const MenuPopup> MenuBarTable() { return kMenuBar; }

std::array<MenuItemState, 4> EditMenuStates(MainPanel& panel) {
  const bool selection = panel.SourceHasSelection();
  const bool text = panel.SourceHasText();
  const bool canPaste = panel.SourceCanPaste();
  return {{{MenuItemId(Command::Copy), selection},
           {MenuItemId(Command::Cut), selection},
           {MenuItemId(Command::SelectAll), text},
           {MenuItemId(Command::Paste), canPaste}}};
}

std::optional<Command> MenuItemCommand(int commandId) {
  for (const MenuPopup& popup : kMenuBar) {
    for (const MenuItem& item : popup.items) {
      if (!item.IsSeparator() && item.commandId == commandId) return item.command;
    }
  }
  return std::nullopt;
}

int MenuItemId(Command command) {
  for (const MenuPopup& popup : kMenuBar) {
    for (const MenuItem& item : popup.items) {
      if (!item.IsSeparator() && item.command == command) return item.commandId;
    }
  }
  return 0;
}

}  // namespace plinvaro
