// SourceWeights: the weight of each file, held by directory key and name.
#include "panel/SourceWeights.h"

#include <charconv>

#include "text/FileAccess.h"

namespace plinvaro {
namespace {

// Where the name of `path` begins: just after its last separator.
std::size_t NameStart(const std::string& path) {
  std::size_t start = path.size();
  while (start > 0 && !IsPathSeparator(path[start - 1])) --start;
  return start;
}

}  // namespace

std::string DirectoryKey(const std::string& directory) {
  std::string key = directory;
  while (key.size() > 1 && IsPathSeparator(key.back())) key.pop_back();
  return key;
}

bool LiesIn(const std::string& path, const std::string& directory) {
  const std::size_t start = NameStart(path);
  return start > 0 && start < path.size() && DirectoryKey(path.substr(0, start)) == DirectoryKey(directory);
}

std::optional<std::int32_t> ParseWeight(std::string_view text) {
  std::int32_t weight = -1;
  const char* end = text.data() + text.size();
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  const auto result = std::from_chars(text.data(), end, weight);
  if (result.ec != std::errc() || result.ptr != end) return std::nullopt;
  if (weight < kLeftOutWeight || weight > kMaxWeight) return std::nullopt;
  return weight;
}

std::int32_t SourceWeights::Of(const std::string& directory, const std::string& name) const {
  const Names& names = In(directory);
  const auto found = names.find(name);
  return found == names.end() ? kDefaultWeight : found->second;
}

std::int32_t SourceWeights::OfPath(const std::string& path) const {
  const std::size_t start = NameStart(path);
  if (start == 0) return kDefaultWeight;  // a bare name has no directory to weigh it in
  return Of(path.substr(0, start), path.substr(start));
}

bool SourceWeights::Set(const std::string& directory, const std::string& name, std::int32_t weight) {
  if (name.empty() || weight < kLeftOutWeight || weight > kMaxWeight) return false;
  const std::string key = DirectoryKey(directory);
  if (Of(key, name) == weight) return true;
  ++revision_;
  if (weight != kDefaultWeight) {
    byDirectory_[key][name] = weight;
    return true;
  }
  Names& names = byDirectory_[key];
  names.erase(name);
  if (names.empty()) byDirectory_.erase(key);
  return true;
}

const SourceWeights::Names& SourceWeights::In(const std::string& directory) const {
  static const Names kNone;
  const auto found = byDirectory_.find(DirectoryKey(directory));
  return found == byDirectory_.end() ? kNone : found->second;
}

}  // namespace plinvaro
