// RecoveryStore: where the copy lives, and when it is written or removed.
#include "panel/RecoveryStore.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>

#include "panel/MainPanel.h"
#include "panel/RecoveredSpans.h"
#include "text/FileWriter.h"

namespace plinvaro {
namespace {

constexpr const char* kRecoveryName = "composition.txt";
constexpr const char* kSpansSuffix = ".spans";  // beside the text: its file spans

// Creates `path` and any missing parents, private to the user; failures show on the next write.
void MakeDirectories(const std::string& path) {
#ifdef _WIN32
  std::error_code ignored;
  std::filesystem::create_directories(path, ignored);
#else
  for (std::size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
    ::mkdir(path.substr(0, slash).c_str(), 0700);
    if (slash == std::string::npos) return;
  }
#endif
}

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
  if (path_.empty()) return false;
  // Nothing changed since the last Sync: an idle window reads nothing. A copy
  // that could not be written is tried again at the next change.
  const std::optional<std::uint64_t> revision = panel.TextRevision();
  if (revision && synced_ && *revision == syncedRevision_) return syncOk_;
  syncOk_ = SyncText(panel);
  synced_ = revision.has_value();
  syncedRevision_ = revision.value_or(0);
  return syncOk_;
}

bool RecoveryStore::SyncText(MainPanel& panel) {
  if (!panel.HasUnsavedText()) {
    if (written_) Discard();
    return true;
  }
  const std::string bytes = panel.SourceBytes();
  const std::size_t hash = std::hash<std::string>{}(bytes);
  if (written_ && hash == writtenHash_) return true;
  if (!Write(bytes)) return false;
  // The text is safe first; its spans only add where it came from.
  ReplaceFileContent(path_ + kSpansSuffix, FormatSpans(panel.provenance()));
  written_ = true;
  writtenHash_ = hash;
  return true;
}

bool RecoveryStore::Write(const std::string& bytes) const {
  if (ReplaceFileContent(path_, bytes) == SaveStatus::Ok) return true;
  MakeDirectories(directory_);  // the state directory may not exist yet
  return ReplaceFileContent(path_, bytes) == SaveStatus::Ok;
}

std::optional<std::string> RecoveryStore::Load() const {
  if (path_.empty()) return std::nullopt;
  std::ifstream in(path_, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.empty()) return std::nullopt;
  return bytes;
}

std::vector<RecoveredSpan> RecoveryStore::LoadSpans() const {
  if (path_.empty()) return {};
  std::ifstream in(path_ + kSpansSuffix, std::ios::binary);
  if (!in) return {};
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ParseSpans(text);
}

void RecoveryStore::Discard() {
  written_ = false;
  synced_ = false;
  if (path_.empty()) return;
  std::remove(path_.c_str());
  std::remove((path_ + kSpansSuffix).c_str());
}

}  // namespace plinvaro
