// The search gate: what each command does while a Search's scan runs elsewhere, what waits for it, and the running search's status texts.
//
// A face that scans on another thread (see MainPanel::PrepareSearch) routes
// every command and every change of the source or directory text through one
// gate. Commands that would start another search or change the directory, the
// sources or the source box's text wait until the search ends, then run in
// the order given; Stop cancels the search, and a cancel drops what waited.
// Every other command runs at once. Byte counts are bytes.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "window/Command.h"

namespace plinvaro {

enum class WhileSearching {
  Runs,     // at once, as when no search runs
  Waits,    // after the search, in order
  Cancels,  // ends the search instead of running
  Refused,  // dropped: the same command waits already, or kMaxWaiting things do
};

// The rule for `command` while a search runs.
WhileSearching WhileSearchingFor(Command command);

// How many commands and changes may wait for one search.
inline constexpr std::int32_t kMaxWaiting = 16;

class SearchGate {
 public:
  using Action = std::function<void()>;

  // A search has started elsewhere; until End, commands go by their rule.
  void Begin() { searching_ = true; }
  bool searching() const { return searching_; }

  // Routes `command`, which `action` does, and tells what became of it: Runs
  // (`action` ran), Waits (held), Cancels (the waiting were dropped; the caller
  // cancels its scan) or Refused (dropped).
  WhileSearching Route(Command command, Action action);
  // A change of the source or the directory box: runs now, or waits for the search.
  WhileSearching RouteChange(Action change);
  // Drops what waits; the search itself is the caller's to stop.
  void Cancel() { waiting_.clear(); }
  // The search has ended. After a completed one the waiting run in order
  // until one begins another search, which holds the rest; after a cancelled
  // one they were dropped already.
  void End(bool cancelled);
  std::int32_t waitingCount() const { return static_cast<std::int32_t>(waiting_.size()); }

 private:
  struct Held {
    std::optional<Command> command;  // none for a change
    Action action;
  };
  WhileSearching Hold(std::optional<Command> command, Action action);

  std::deque<Held> waiting_;
  bool searching_ = false;
};

// Milliseconds a search runs before its progress is shown.
inline constexpr std::int32_t kSearchProgressDelay = 150;

// How far a running search has come: "searching 46/240 files, 41/315 MB", the
// megabytes with one decimal below 10 MB in all; `waiting` commands held behind
// it are counted when there are any.
std::string SearchProgressText(std::int32_t filesDone, std::int32_t filesListed,
                               std::int64_t bytesDone, std::int64_t bytesTotal,
                               std::int32_t waiting);

// What the status line says once a search was cancelled.
inline constexpr const char* kSearchCancelledText = "search cancelled: nothing changed";

}  // namespace plinvaro
