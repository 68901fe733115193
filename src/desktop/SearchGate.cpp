// The commands' behaviour while a search runs elsewhere, and the running search's status text.
#include "desktop/SearchGate.h"

#include <cstdio>

namespace plinvaro {

WhileSearching CommandWhileSearching(PanelCommand command) {
  switch (command) {
    case PanelCommand::Browse:
    case PanelCommand::Start:
    case PanelCommand::Search:
    case PanelCommand::ToSrc:
    case PanelCommand::Accept:
      return WhileSearching::Waits;
    case PanelCommand::Stop:
      return WhileSearching::Cancels;
    case PanelCommand::Pause:
    case PanelCommand::Prev:
    case PanelCommand::Next:
    case PanelCommand::OnTheFly:
    case PanelCommand::More:
      return WhileSearching::Runs;
  }
  return WhileSearching::Runs;
}

WhileSearching HotkeyWhileSearching(HotkeyAction action) {
  switch (action) {
    case HotkeyAction::Start:
    case HotkeyAction::Search:
    case HotkeyAction::BackToBase:
    case HotkeyAction::AcceptPart:
      return WhileSearching::Waits;
    case HotkeyAction::Stop:
      return WhileSearching::Cancels;
    default:
      return WhileSearching::Runs;
  }
}

WhileSearching MenuWhileSearching(MenuCommand command) {
  switch (command) {
    case MenuCommand::Open:
    case MenuCommand::Cut:
    case MenuCommand::Paste:
      return WhileSearching::Waits;
    default:
      return WhileSearching::Runs;
  }
}

WhileSearching SeamWhileSearching(SeamCommand command) {
  // Taking back a join changes the text and the sources; a retry searches again.
  const bool changesSources = command == SeamCommand::UndoJoin || command == SeamCommand::RetryJoin;
  return changesSources ? WhileSearching::Waits : WhileSearching::Runs;
}

std::string SearchProgressText(std::int32_t filesDone, std::int32_t filesListed,
                               std::int64_t bytesDone, std::int64_t bytesTotal,
                               std::int32_t waiting) {
  constexpr double kBytesPerMb = 1000.0 * 1000.0;
  char text[160];
  std::snprintf(text, sizeof text, "searching: %d of %d files, %.1f of %.1f MB",
                static_cast<int>(filesDone), static_cast<int>(filesListed),
                static_cast<double>(bytesDone) / kBytesPerMb,
                static_cast<double>(bytesTotal) / kBytesPerMb);
  std::string result = text;
  if (waiting > 0) result += "; " + std::to_string(waiting) + (waiting == 1 ? " command waits" : " commands wait");
  return result;
}

}  // namespace plinvaro
