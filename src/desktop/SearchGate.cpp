// The search gate's rule per command, its queue, and the running search's status text.
#include "desktop/SearchGate.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace plinvaro {

WhileSearching WhileSearchingFor(Command command) {
  switch (command) {
    case Command::Stop:
      return WhileSearching::Cancels;
    // They neither start a search nor change the directory, the sources or the text.
    case Command::Pause:
    case Command::Prev:
    case Command::Next:
    case Command::OnTheFly:
    case Command::More:
    case Command::SaveAs:
    case Command::Exit:
    case Command::Copy:
    case Command::SelectAll:
    case Command::ViewHotkeys:
    case Command::About:
    case Command::SlowDown:
    case Command::SpeedUp:
    case Command::FocusSourceBox:
    case Command::FocusPreviewBox:
    case Command::SwitchMode:
    case Command::ExportSources:
    case Command::ToggleTint:
    case Command::ToggleSources:
    case Command::ToggleFoundParts:
      return WhileSearching::Runs;
    default:
      // Browse, Start, Search, To Src, Accept, Open, Cut, Paste, Undo and Retry
      // join, and any command not listed: waiting is never unsafe.
      return WhileSearching::Waits;
  }
}

WhileSearching SearchGate::Route(Command command, Action action) {
  const WhileSearching rule = searching_ ? WhileSearchingFor(command) : WhileSearching::Runs;
  switch (rule) {
    case WhileSearching::Runs: action(); return rule;
    case WhileSearching::Cancels: Cancel(); return rule;
    case WhileSearching::Waits: return Hold(command, std::move(action));
    case WhileSearching::Refused: return rule;
  }
  return rule;
}

WhileSearching SearchGate::RouteChange(Action change) {
  if (!searching_) {
    change();
    return WhileSearching::Runs;
  }
  return Hold(std::nullopt, std::move(change));
}

WhileSearching SearchGate::Hold(std::optional<Command> command, Action action) {
  // A held key repeats: one waiting copy of a command does what many would.
  const bool waitsAlready = command && std::any_of(waiting_.begin(), waiting_.end(),
                                                   [&](const Held& held) { return held.command == command; });
  if (waitsAlready || waitingCount() >= kMaxWaiting) return WhileSearching::Refused;
  waiting_.push_back({command, std::move(action)});
  return WhileSearching::Waits;
}

void SearchGate::End(bool cancelled) {
  searching_ = false;
  if (cancelled) waiting_.clear();
  // A held Search begins a new scan; what was held behind it waits for that one.
  while (!waiting_.empty() && !searching_) {
    Action action = std::move(waiting_.front().action);
    waiting_.pop_front();
    action();
  }
}

std::string SearchProgressText(std::int32_t filesDone, std::int32_t filesListed,
                               std::int64_t bytesDone, std::int64_t bytesTotal,
                               std::int32_t waiting) {
  constexpr double kBytesPerMb = 1000.0 * 1000.0;
  constexpr double kWholeMbFrom = 10.0;  // from this total on, megabytes need no decimal
  const double totalMb = static_cast<double>(bytesTotal) / kBytesPerMb;
  const int decimals = totalMb < kWholeMbFrom ? 1 : 0;
  char text[160];
  std::snprintf(text, sizeof text, "searching %d/%d files, %.*f/%.*f MB", static_cast<int>(filesDone),
                static_cast<int>(filesListed), decimals, static_cast<double>(bytesDone) / kBytesPerMb,
                decimals, totalMb);
  std::string result = text;
  if (waiting > 0) result += "; " + std::to_string(waiting) + (waiting == 1 ? " command waits" : " commands wait");
  return result;
}

}  // namespace plinvaro
