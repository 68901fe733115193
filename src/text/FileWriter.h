// Replacing a file's whole content without ever leaving it half-written.
#pragma once

#include <string>
#include <string_view>

namespace plinvaro {

enum class SaveStatus {
  Ok,
  CannotCreate,  // the target cannot be created or replaced (bad path, directory, not writable)
  CannotWrite,   // writing, flushing or putting the new file in place failed
};

// Writes `bytes` (exactly, no terminator) to a new file beside `path`, flushes it
// to disk and renames it over `path`. On any failure the new file is removed and
// `path` keeps its old content (or stays absent). A symbolic link is kept: the
// file it points to is replaced.
SaveStatus ReplaceFileContent(const std::string& path, std::string_view bytes);

}  // namespace plinvaro
