// What the desktop face remembers between runs: where each dialog opens, and the recent base files.
//
// Paths are 8-bit as the panel holds them; empty means none.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plinvaro {

enum class DialogKind { Open, Save, Browse };

// Where a dialog of `kind` opens. The folder browser starts at the base
// directory, then the folder it last chose; the file dialogs at the folder they
// last used, then the base file's folder, then the base directory.
std::string DialogStartFolder(DialogKind kind, const std::string& lastUsed,
                              const std::string& baseFileFolder, const std::string& baseDirectory);

// `recent` with `path` first, no path twice, at most `limit` paths.
std::vector<std::string> WithRecentFile(std::vector<std::string> recent, const std::string& path,
                                        int limit);

// The "Open Recent" item of the recent file at `index` (0 the newest): the
// digit that numbers it ('1' to '9', then '0') and its text, "1 name".
struct RecentItem {
  char digit;
  std::string text;
};
RecentItem RecentMenuItem(int index, std::string_view name);

}  // namespace plinvaro
