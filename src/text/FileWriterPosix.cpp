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

SaveResult Failed(SaveStatus status, int error) { return {status, error}; }

// 0 when `path` may be replaced, else why not.
int DescribeTarget(const std::string& path, Target& target) {
  target.path = ResolveLink(path);
  if (target.path.empty()) return ENOENT;
  if (target.path.back() == '/') return EISDIR;
  const std::size_t slash = target.path.rfind('/');
  target.directory = slash == std::string::npos ? "." : target.path.substr(0, slash + 1);
  target.name = slash == std::string::npos ? target.path : target.path.substr(slash + 1);
  struct stat info {};
  if (::stat(target.path.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (::access(target.path.c_str(), W_OK) != 0) return errno;
  target.exists = true;
  target.regular = S_ISREG(info.st_mode);
  target.mode = info.st_mode & 07777;
  return 0;
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
    if (n == 0) errno = EIO;
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

SaveResult WriteRegularInPlace(const Target& target, std::string_view bytes) {
  // Read-write when allowed, so that a failed write can put the old bytes back.
  int raw = ::open(target.path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
  const bool canRestore = raw >= 0;
  if (raw < 0) raw = ::open(target.path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  FileDescriptor fd(raw);
  if (!fd.valid()) return Failed(SaveStatus::CannotCreate, errno);
  std::string old;
  const bool haveOld = canRestore && ReadAll(fd.get(), old);
  if (Overwrite(fd.get(), bytes)) return fd.Close() ? SaveResult{} : Failed(SaveStatus::CannotWrite, errno);
  const int error = errno;
  if (haveOld) Overwrite(fd.get(), old);
  return Failed(SaveStatus::CannotWrite, error);
}

SaveResult WriteOtherInPlace(const Target& target, std::string_view bytes) {
  // Non-blocking open, so that a pipe without a reader fails instead of hanging.
  FileDescriptor fd(::open(target.path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!fd.valid()) return Failed(SaveStatus::CannotCreate, errno);
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
    return Failed(SaveStatus::CannotWrite, errno);
  if (!WriteAll(fd.get(), bytes) || !Flushed(fd.get())) return Failed(SaveStatus::CannotWrite, errno);
  return fd.Close() ? SaveResult{} : Failed(SaveStatus::CannotWrite, errno);
}

SaveResult WriteInPlace(const Target& target, std::string_view bytes) {
  return target.regular ? WriteRegularInPlace(target, bytes) : WriteOtherInPlace(target, bytes);
}

}  // namespace

SaveResult ReplaceFileContent(const std::string& path, std::string_view bytes) {
  Target target;
  if (const int refused = DescribeTarget(path, target); refused != 0)
    return Failed(SaveStatus::CannotCreate, refused);
  if (target.exists && !target.regular) return WriteInPlace(target, bytes);
  std::string tempPath;
  FileDescriptor fd(CreateTemporary(target, tempPath));
  if (!fd.valid()) return target.exists ? WriteInPlace(target, bytes) : Failed(SaveStatus::CannotCreate, errno);
  if (target.exists) ::fchmod(fd.get(), target.mode);
  int error = 0;
  if (!WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0) error = errno;
  if (!fd.Close() && error == 0) error = errno;
  if (error != 0) {
    ::unlink(tempPath.c_str());
    return Failed(SaveStatus::CannotWrite, error);
  }
  if (::rename(tempPath.c_str(), target.path.c_str()) != 0) {
    // The directory lets no entry be replaced (sticky, or the target is busy):
    // the complete new content is on disk, so only the target is still to write.
    error = errno;
    ::unlink(tempPath.c_str());
    return target.exists ? WriteInPlace(target, bytes) : Failed(SaveStatus::CannotWrite, error);
  }
  SyncDirectory(target.directory);
  return {};
}

bool MakeDirectories(const std::string& path) {
  if (path.empty()) return false;
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    ::mkdir(path.substr(0, slash).c_str(), 0700);  // an existing one is fine; the check below tells
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace plinvaro
