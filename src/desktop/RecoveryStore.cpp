// RecoveryStore: where the copy lives, and when it is written or removed.
#include "desktop/RecoveryStore.h"

#include <cstdio>

#include "panel/MainPanel.h"
#include "provenance/RecoveredSpans.h"
#include "text/FileAccess.h"
#include "text/FileWriter.h"

namespace plinvaro {
namespace {

// The bytes of the file at `path`; none when it is missing, unreadable or empty.
std::optional<std::string> ReadWhole(const std::string& path) {
  FileView view;
  if (view.Open(path) != FileOpenError::Ok) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(view.data()), static_cast<std::size_t>(view.size()));
}

constexpr const char* kRecoveryName = "composition.txt";
constexpr const char* kSpansSuffix = ".spans";  // beside the text: its file spans

}  // namespace

std::string RecoveryDirectory(const char* xdgStateHome, const char* home) {
  if (xdgStateHome != nullptr && xdgStateHome[0] == '/') return std::string(xdgStateHome) + "/plinvaro";
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.local/state/plinvaro";
  return {};
}

RecoveryStore::RecoveryStore(std::string directory)
    : directory_(std::move(directory)),
      path_(directory_.empty() ? std::string() : directory_ + "/" + kRecoveryName) {}

bool RecoveryStore::Sync(MainPanel& panel) {
  if (!NeedsSync(panel)) return syncOk_;  // false when there is no path
  const RecoverySnapshot snapshot = TakeSnapshot(panel);
  return FinishSync(snapshot, WriteSnapshot(snapshot));
}

bool RecoveryStore::NeedsSync(const MainPanel& panel) const {
  if (path_.empty()) return false;
  // Nothing changed since the last Sync: an idle window reads nothing. A copy
  // that could not be written is tried again at the next change.
  const std::optional<std::uint64_t> revision = panel.TextRevision();
  return !revision || !synced_ || *revision != syncedRevision_;
}

RecoverySnapshot RecoveryStore::TakeSnapshot(MainPanel& panel) const {
  RecoverySnapshot snapshot;
  snapshot.revision = panel.TextRevision();
  snapshot.bytes = panel.SourceBytes();
  snapshot.savedHash = panel.savedTextHash();
  snapshot.spans = FormatSpans(panel.provenance());
  snapshot.written = written_;
  snapshot.writtenHash = writtenHash_;
  return snapshot;
}

RecoveryOutcome RecoveryStore::WriteSnapshot(const RecoverySnapshot& snapshot) const {
  const std::size_t hash = MainPanel::TextHash(snapshot.bytes);
  if (hash == snapshot.savedHash) {  // nothing unsaved
    if (snapshot.written) RemoveFiles();
    return {true, false, 0};
  }
  if (snapshot.written && hash == snapshot.writtenHash) return {true, true, hash};
  if (!Write(snapshot.bytes)) return {false, snapshot.written, snapshot.writtenHash};
  // The text is safe first; its spans only add where it came from.
  ReplaceFileContent(path_ + kSpansSuffix, snapshot.spans);
  return {true, true, hash};
}

bool RecoveryStore::FinishSync(const RecoverySnapshot& snapshot, const RecoveryOutcome& outcome) {
  written_ = outcome.written;
  writtenHash_ = outcome.writtenHash;
  syncOk_ = outcome.ok;
  synced_ = snapshot.revision.has_value();
  syncedRevision_ = snapshot.revision.value_or(0);
  return syncOk_;
}

bool RecoveryStore::Write(const std::string& bytes) const {
  if (ReplaceFileContent(path_, bytes) == SaveStatus::Ok) return true;
  MakeDirectories(directory_);  // the state directory may not exist yet
  return ReplaceFileContent(path_, bytes) == SaveStatus::Ok;
}

std::optional<std::string> RecoveryStore::Load() const {
  if (path_.empty()) return std::nullopt;
  return ReadWhole(path_);
}

std::vector<RecoveredSpan> RecoveryStore::LoadSpans() const {
  if (path_.empty()) return {};
  const std::optional<std::string> text = ReadWhole(path_ + kSpansSuffix);
  return text ? ParseSpans(*text) : std::vector<RecoveredSpan>();
}

void RecoveryStore::Discard() {
  written_ = false;
  synced_ = false;
  RemoveFiles();
}

void RecoveryStore::RemoveFiles() const {
  if (path_.empty()) return;
  std::remove(path_.c_str());
  std::remove((path_ + kSpansSuffix).c_str());
}

}  // namespace plinvaro
