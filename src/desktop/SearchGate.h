// What each command does while a face runs a Search's scan on another thread, and the status texts of such a search.
//
// A face that scans elsewhere (see MainPanel::PrepareSearch) holds the
// commands that would start another search or change the directory, the
// sources or the source box's text until the search is finished or
// cancelled; they then run in the order given. Stop cancels the search, and a
// cancel also drops what waited for it. Every other command runs at once.
// Byte counts are bytes.
#pragma once

#include <cstdint>
#include <string>

#include "panel/Hotkeys.h"
#include "panel/MainPanel.h"
#include "panel/MenuBar.h"
#include "panel/SeamMenu.h"

namespace plinvaro {

enum class WhileSearching {
  Runs,     // at once, as when no search runs
  Waits,    // after the search, in order
  Cancels,  // ends the search instead of running
};

WhileSearching CommandWhileSearching(PanelCommand command);
WhileSearching HotkeyWhileSearching(HotkeyAction action);
WhileSearching MenuWhileSearching(MenuCommand command);
WhileSearching SeamWhileSearching(SeamCommand command);

// Milliseconds a search runs before its progress is shown.
inline constexpr std::int32_t kSearchProgressDelay = 150;

// How far a running search has come: "searching: 3 of 50 files, 12.5 of 250.0 MB";
// `waiting` commands held behind it are counted when there are any.
std::string SearchProgressText(std::int32_t filesDone, std::int32_t filesListed,
                               std::int64_t bytesDone, std::int64_t bytesTotal,
                               std::int32_t waiting);

// What the status line says once a search was cancelled.
inline constexpr const char* kSearchCancelledText = "search cancelled: nothing changed";

}  // namespace plinvaro
