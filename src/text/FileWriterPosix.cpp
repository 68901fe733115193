// POSIX realisation of ReplaceFileContent: temporary file beside the target, fsync, rename; in place where that cannot work.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "text/FileWriter.h"
#include "text/UniqueHandle.h"

namespace plinvaro {
namespace {

constexpr int kNameAttempts = 100;

struct Target {
  std::string path;       // the file to replace, symbolic links resolved
  std::string directory;  // where the temporary file goes
  std::string name;       // the last path component
  bool exists = false;
  bool regular = false;
  mode_t mode = 0;
};

std::string ResolveLink(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return path;
  return resolved;
}

bool DescribeTarget(const std::string& path, Target& target) {
  target.path = ResolveLink(path);
  if (target.path.empty() || target.path.back() == '/') return false;
  const std::size_t slash = target.path.rfind('/');
  target.directory = slash == std::string::npos ? "." : target.path.substr(0, slash + 1);
  target.name = slash == std::string::npos ? target.path : target.path.substr(slash + 1);
  struct stat info {};
  if (::stat(target.path.c_str(), &info) != 0) return errno == ENOENT;
  if (S_ISDIR(info.st_mode)) return false;
  if (::access(target.path.c_str(), W_OK) != 0) return false;
  target.exists = true;
  target.regular = S_ISREG(info.st_mode);
  target.mode = info.st_mode & 07777;
  return true;
}

int CreateTemporary(const Target& target, std::string& tempPath) {
  static unsigned counter = 0;
  std::string prefix = target.directory;
  if (prefix.back() != '/') prefix += '/';
  prefix += "." + target.name + ".saving-" + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    tempPath = prefix + std::to_string(counter++);
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The whole content of a readable regular file; false when it cannot be read.
bool ReadAll(int fd, std::string& out) {
  char buffer[65536];
  out.clear();
  for (off_t offset = 0;;) {
    const ssize_t n = ::pread(fd, buffer, sizeof buffer, offset);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    out.append(buffer, static_cast<std::size_t>(n));
    offset += n;
  }
}

void SyncDirectory(const std::string& directory) {
  const FileDescriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) ::fsync(fd.get());
}

// Flushing a pipe or a terminal is not supported there; that is no failure.
bool Flushed(int fd) { return ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS; }

// Writes a regular file from its start and cuts it to `bytes`; false on any failure.
bool Overwrite(int fd, std::string_view bytes) {
  if (::lseek(fd, 0, SEEK_SET) != 0) return false;
  if (!WriteAll(fd, bytes)) return false;
  return ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

SaveStatus WriteRegularInPlace(const Target& target, std::string_view bytes) {
  // Read-write when allowed, so that a failed write can put the old bytes back.
  int raw = ::open(target.path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
  const bool canRestore = raw >= 0;
  if (raw < 0) raw = ::open(target.path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  FileDescriptor fd(raw);
  if (!fd.valid()) return SaveStatus::CannotCreate;
  std::string old;
  const bool haveOld = canRestore && ReadAll(fd.get(), old);
  if (Overwrite(fd.get(), bytes)) return fd.Close() ? SaveStatus::Ok : SaveStatus::CannotWrite;
  if (haveOld) Overwrite(fd.get(), old);
  return SaveStatus::CannotWrite;
}

SaveStatus WriteOtherInPlace(const Target& target, std::string_view bytes) {
  // Non-blocking open, so that a pipe without a reader fails instead of hanging.
  FileDescriptor fd(::open(target.path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!fd.valid()) return SaveStatus::CannotCreate;
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return SaveStatus::CannotWrite;
  const bool written = WriteAll(fd.get(), bytes) && Flushed(fd.get());
  return fd.Close() && written ? SaveStatus::Ok : SaveStatus::CannotWrite;
}

SaveStatus WriteInPlace(const Target& target, std::string_view bytes) {
  return target.regular ? WriteRegularInPlace(target, bytes) : WriteOtherInPlace(target, bytes);
}

}  // namespace

SaveStatus ReplaceFileContent(const std::string& path, std::string_view bytes) {
  Target target;
  if (!DescribeTarget(path, target)) return SaveStatus::CannotCreate;
  if (target.exists && !target.regular) return WriteInPlace(target, bytes);
  std::string tempPath;
  FileDescriptor fd(CreateTemporary(target, tempPath));
  if (!fd.valid()) return target.exists ? WriteInPlace(target, bytes) : SaveStatus::CannotCreate;
  if (target.exists) ::fchmod(fd.get(), target.mode);
  bool written = WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
  written = fd.Close() && written;
  if (!written) {
    ::unlink(tempPath.c_str());
    return SaveStatus::CannotWrite;
  }
  if (::rename(tempPath.c_str(), target.path.c_str()) != 0) {
    // The directory lets no entry be replaced (sticky, or the target is busy):
    // the complete new content is on disk, so only the target is still to write.
    ::unlink(tempPath.c_str());
    return target.exists ? WriteInPlace(target, bytes) : SaveStatus::CannotWrite;
  }
  SyncDirectory(target.directory);
  return SaveStatus::Ok;
}

}  // namespace plinvaro
