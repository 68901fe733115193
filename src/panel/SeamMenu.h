// The menu items of the seam views, as data: where each goes, its text and key, and what it runs.
//
// These items belong to the desktop face alone (the other face's menus stay as
// they are); key texts are in the portable form "Ctrl+Shift+J".
#pragma once

#include <span>
#include <string_view>

#include "window/Command.h"

namespace plinvaro {

struct SeamMenuItem {
  std::string_view menu;  // "File", "Edit" or "View"
  std::string_view text;
  std::string_view key;   // "" for none
  Command command;
  bool checkable;
  bool checked;           // at start, for a checkable item
};

// In menu order within each menu. A face puts File's items before the File
// menu's first separator, Edit's behind a separator at the Edit menu's end, and
// the "View" menu before "Help".
std::span<const SeamMenuItem> SeamMenuTable();

// The source box's context-menu item that shows a span's file in the preview.
inline constexpr std::string_view kShowSourceText = "Show source";


}  // namespace plinvaro
