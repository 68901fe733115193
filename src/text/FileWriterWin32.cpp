// Win32 realisation of ReplaceFileContent: temporary file beside the target, flush, MoveFileExA over it.
//
// When no temporary file can be made beside the target (a folder where only
// the target itself may be written), the target is rewritten in place instead.
// A target locked by another handle is refused, on either path, as one that
// cannot be opened.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "text/FileAccess.h"
#include "text/FileWriter.h"
#include "text/UniqueHandle.h"

namespace plinvaro {
namespace {

// The classic Windows path buffer: 259 bytes and a terminating zero.
constexpr std::size_t kMaxPathBytes = MAX_PATH - 1;
// GetTempFileNameA appends a backslash and a 12-character name to the folder.
constexpr std::size_t kTempNameBytes = 13;

struct Target {
  std::string path;
  std::string directory;  // where the temporary file goes
  bool exists = false;
  DWORD attributes = FILE_ATTRIBUTE_NORMAL;
};

bool DescribeTarget(const std::string& path, Target& target) {
  if (path.empty() || path.size() > kMaxPathBytes || path.find('\0') != std::string::npos)
    return false;
  if (IsPathSeparator(path.back()) || path.back() == ':') return false;
  target.path = path;
  const std::size_t cut = path.find_last_of("\\/:");
  if (cut == std::string::npos) {
    target.directory.assign(1, '.');  // plain assignment trips a false -Wrestrict in GCC 12
  } else {
    target.directory = path.substr(0, cut + 1);
  }
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND;  // a missing folder cannot hold the new file
  }
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
  target.exists = true;
  target.attributes = attributes;
  return true;
}

// Opens `path` for writing by this program alone.
FileHandle OpenForWriting(const std::string& path, DWORD disposition) {
  return FileHandle(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Writes every byte and flushes them to disk.
bool WriteAll(const FileHandle& file, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD wrote = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    if (!::WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0)
      return false;
    done += wrote;
  }
  return ::FlushFileBuffers(file.get()) != 0;
}

// Whether an existing target may be opened for writing now: false when it is
// locked (open elsewhere without write sharing) or write access is denied.
bool CanOpenExisting(const Target& target) {
  FileHandle probe(::CreateFileA(target.path.c_str(), GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return probe.valid();
}

// A failed rename that says the target cannot be replaced, not that writing failed.
bool TargetRefused(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

// Creates an empty, uniquely named file in the target's folder; empty on failure.
std::string CreateTemporary(const Target& target) {
  if (target.directory.size() + kTempNameBytes > kMaxPathBytes) return {};
  char name[MAX_PATH] = {};
  if (::GetTempFileNameA(target.directory.c_str(), "plv", 0, name) == 0) return {};
  return name;
}

SaveStatus WriteInPlace(const Target& target, std::string_view bytes) {
  // Truncating keeps a hidden or system target's attributes; CREATE_ALWAYS would refuse it.
  FileHandle file = OpenForWriting(target.path, target.exists ? TRUNCATE_EXISTING : CREATE_NEW);
  if (!file.valid()) return SaveStatus::CannotCreate;
  const bool written = WriteAll(file, bytes);
  return file.Close() && written ? SaveStatus::Ok : SaveStatus::CannotWrite;
}

}  // namespace

SaveResult ReplaceFileContent(const std::string& path, std::string_view bytes) {
  Target target;
  if (!DescribeTarget(path, target)) return SaveStatus::CannotCreate;
  // A locked target is refused before any temporary file is written.
  if (target.exists && !CanOpenExisting(target)) return SaveStatus::CannotCreate;
  const std::string tempPath = CreateTemporary(target);
  if (tempPath.empty()) return WriteInPlace(target, bytes);
  bool written = false;
  {
    FileHandle file = OpenForWriting(tempPath, TRUNCATE_EXISTING);
    written = file.valid() && WriteAll(file, bytes);
    written = file.Close() && written;
  }
  if (written && target.exists) ::SetFileAttributesA(tempPath.c_str(), target.attributes);
  if (!written) {
    ::DeleteFileA(tempPath.c_str());
    return SaveStatus::CannotWrite;
  }
  if (!::MoveFileExA(tempPath.c_str(), target.path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    // Locked since the probe, or open without delete sharing: the target stays as it was.
    const DWORD error = ::GetLastError();
    ::DeleteFileA(tempPath.c_str());
    return TargetRefused(error) ? SaveStatus::CannotCreate : SaveStatus::CannotWrite;
  }
  return SaveStatus::Ok;
}

bool MakeDirectories(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ignored;
  std::filesystem::create_directories(path, ignored);
  return std::filesystem::is_directory(path, ignored);
}

}  // namespace plinvaro
