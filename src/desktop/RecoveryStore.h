// Keeps a copy of unsaved composition text on disk so that a crash loses nothing.
//
// The copy is one file holding the source box's bytes (one byte per UTF-16
// unit, as "Save as..." writes them), replaced atomically whenever they differ
// from what was last written, and beside it the text's file spans
// (panel/RecoveredSpans.h). A copy this store wrote is removed once the box
// holds no unsaved text; a copy a previous run left stays until it is
// overwritten, declined or discarded at a clean exit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "provenance/RecoveredSpans.h"

namespace plinvaro {

class MainPanel;

// `$XDG_STATE_HOME/plinvaro` when that is an absolute path, else
// `$HOME/.local/state/plinvaro`; empty when neither can be formed. Arguments
// are the variables' values, null when unset.
std::string RecoveryDirectory(const char* xdgStateHome, const char* home);

// The panel's state one sync needs, read on the panel's thread.
struct RecoverySnapshot {
  std::optional<std::uint64_t> revision;  // the panel's TextRevision
  std::string bytes;                      // the source box's bytes
  std::size_t savedHash = 0;              // MainPanel::savedTextHash
  std::string spans;                      // FormatSpans of the provenance map
  bool written = false;                   // the copy on disk as the store knew it
  std::size_t writtenHash = 0;
};

// What writing a snapshot came to.
struct RecoveryOutcome {
  bool ok = false;  // false: the copy could not be written
  bool written = false;
  std::size_t writtenHash = 0;
};

class RecoveryStore {
 public:
  // `directory` (with its parents) is created on the first write when missing.
  explicit RecoveryStore(std::string directory);

  const std::string& path() const { return path_; }
  // Writes the box's text when it is unsaved and not yet written as it is;
  // removes this store's copy when nothing is unsaved. False when the copy
  // could not be written. Cheap to call often: nothing is read or tried again
  // while the panel's text revision stays as it was, else one pass over the text.
  bool Sync(MainPanel& panel);

  // Sync in three steps, for a caller that writes on another thread. NeedsSync,
  // TakeSnapshot and FinishSync run on the panel's thread; WriteSnapshot touches
  // only the files and may run on any thread, while no other call but NeedsSync
  // is made on this store.
  bool NeedsSync(const MainPanel& panel) const;
  RecoverySnapshot TakeSnapshot(MainPanel& panel) const;
  RecoveryOutcome WriteSnapshot(const RecoverySnapshot& snapshot) const;
  // Records the outcome; what Sync would have returned.
  bool FinishSync(const RecoverySnapshot& snapshot, const RecoveryOutcome& outcome);
  // The copy a previous run left, when there is one with at least one byte.
  std::optional<std::string> Load() const;
  // The file spans written with that copy; none when they are missing or unreadable.
  std::vector<RecoveredSpan> LoadSpans() const;
  // Removes the copy (a clean exit, or the user declined to restore it).
  void Discard();

 private:
  bool Write(const std::string& bytes) const;
  void RemoveFiles() const;

  std::string directory_;
  std::string path_;
  bool written_ = false;          // this store wrote the copy on disk
  std::size_t writtenHash_ = 0;   // hash of the bytes it wrote
  bool synced_ = false;            // syncedRevision_ holds the panel's revision at the last Sync
  bool syncOk_ = false;            // what the last Sync that did the work came to
  std::uint64_t syncedRevision_ = 0;
};

}  // namespace plinvaro
