// DesktopMemory: the start folder of each dialog and the recent-files order.
#include "desktop/DesktopMemory.h"

#include <algorithm>
#include <initializer_list>

namespace plinvaro {
namespace {

std::string FirstOf(std::initializer_list<const std::string*> candidates) {
  for (const std::string* candidate : candidates) {
    if (!candidate->empty()) return *candidate;
  }
  return {};
}

}  // namespace

std::string DialogStartFolder(DialogKind kind, const std::string& lastUsed,
                              const std::string& baseFileFolder, const std::string& baseDirectory) {
  if (kind == DialogKind::Browse) return FirstOf({&baseDirectory, &lastUsed, &baseFileFolder});
  return FirstOf({&lastUsed, &baseFileFolder, &baseDirectory});
}

std::vector<std::string> WithRecentFile(std::vector<std::string> recent, const std::string& path,
                                        int limit) {
  if (path.empty()) return recent;
  recent.erase(std::remove(recent.begin(), recent.end(), path), recent.end());
  recent.insert(recent.begin(), path);
  if (limit >= 0 && recent.size() > static_cast<std::size_t>(limit)) recent.resize(static_cast<std::size_t>(limit));
  return recent;
}

RecentItem RecentMenuItem(int index, std::string_view name) {
  constexpr int kDigits = 10;
  const char digit = static_cast<char>('0' + (index + 1) % kDigits);
  return {digit, std::string(1, digit) + ' ' + std::string(name)};
}

}  // namespace plinvaro
