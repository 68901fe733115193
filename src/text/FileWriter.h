// Replacing a file's whole content without ever leaving it half-written where the system allows it.
#pragma once

#include <string>
#include <string_view>

namespace plinvaro {

enum class SaveStatus {
  Ok,
  CannotCreate,  // the target cannot be created or replaced (bad path, directory, not writable)
  CannotWrite,   // writing, flushing or putting the new file in place failed
};

// What a replace came to, with the system's reason for a failure: a POSIX
// error number taken where the failing call returned, or 0 when the system
// gave none (always 0 on Windows, where the status is the whole answer).
struct SaveResult {
  SaveResult(SaveStatus outcome = SaveStatus::Ok, int reason = 0) : status(outcome), error(reason) {}
  bool operator==(SaveStatus other) const { return status == other; }

  SaveStatus status;
  int error;
};

// Writes `bytes` (exactly, no terminator) to `path`; one byte per byte, so the
// sizes are bytes.
//
// Atomic path, used wherever it works: the bytes go to a new file beside
// `path`, are flushed to disk, and the new file is renamed over `path`. On any
// failure of writing or flushing the new file, it is removed and `path` keeps
// its old content (or stays absent). A symbolic link is kept: the file it
// points to is replaced.
//
// In-place fallback: when the atomic replace cannot work although writing the
// target itself would (an existing, writable target in a directory where no
// new file can be created or renamed, or a target that is not a regular file,
// such as a device or a pipe with a reader), the target is opened for writing,
// written from its start, cut to the new length and flushed. A failure then
// restores the old bytes as far as it can, and reports CannotWrite. Both
// paths return Ok on success, and nothing tells them apart to the caller.
// A directory, a missing parent directory, a target that may not be written
// or one that is locked (open elsewhere without write or delete sharing) gives
// CannotCreate, leaves the target as it was and leaves no new file behind.
SaveResult ReplaceFileContent(const std::string& path, std::string_view bytes);

// Creates the directory `path` and any missing parents, private to the user
// where the system has owners; true when `path` is a directory afterwards.
bool MakeDirectories(const std::string& path);

}  // namespace plinvaro
