// The menu bar's table, its commands and the Edit menu's enabling rule.
#include "panel/MenuBar.h"

#include <iterator>
#include <string>

#include "panel/MainPanel.h"
#include "window/WindowTexts.h"

namespace plinvaro {
namespace {

constexpr int Id(MenuCommand command) { return static_cast<int>(command); }

constexpr MenuItem kFileItems[] = {
    {"Open...", Id(MenuCommand::Open)},
    {"Save as...", Id(MenuCommand::SaveAs)},
    {"", 0},
    {"Exit", Id(MenuCommand::Exit)},
};
constexpr MenuItem kEditItems[] = {
    {"Copy", Id(MenuCommand::Copy)},
    {"Cut", Id(MenuCommand::Cut)},
    {"Paste", Id(MenuCommand::Paste)},
    {"Select All", Id(MenuCommand::SelectAll)},
};
constexpr MenuItem kHelpItems[] = {
    {"View hotkeys...", Id(MenuCommand::ViewHotkeys)},
    {"About...", Id(MenuCommand::About)},
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
  return {{{Id(MenuCommand::Copy), selection},
           {Id(MenuCommand::Cut), selection},
           {Id(MenuCommand::SelectAll), text},
           {Id(MenuCommand::Paste), canPaste}}};
}

bool RunMenuCommand(MainPanel& panel, MainWindowHost& window, int commandId) {
  switch (static_cast<MenuCommand>(commandId)) {
    case MenuCommand::Open: panel.OpenBaseFile(); return true;
    case MenuCommand::SaveAs: panel.SaveSourceAs(); return true;
    case MenuCommand::Exit: window.CloseMainWindow(); return true;
    case MenuCommand::Copy: panel.CopySource(); return true;
    case MenuCommand::Cut: panel.CutSource(); return true;
    case MenuCommand::Paste: panel.PasteSource(); return true;
    case MenuCommand::SelectAll: panel.SelectAllSource(); return true;
    case MenuCommand::ViewHotkeys:
      panel.ShowMessage(std::string(kHotkeyHelpText), std::string(kHotkeysCaption));
      return true;
    case MenuCommand::About:
      panel.ShowMessage(std::string(kAboutText), std::string(kAboutCaption));
      return true;
  }
  return false;
}

}  // namespace plinvaro
