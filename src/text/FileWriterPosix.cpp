// POSIX realisation of ReplaceFileContent: temporary file beside the target, fsync, rename.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "text/FileWriter.h"

namespace plinvaro {
namespace {

constexpr int kNameAttempts = 100;

struct Target {
  std::string path;       // the file to replace, symbolic links resolved
  std::string directory;  // where the temporary file goes
  std::string name;       // the last path component
  bool exists = false;
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
  if (!S_ISREG(info.st_mode)) return false;
  if (::access(target.path.c_str(), W_OK) != 0) return false;
  target.exists = true;
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

void SyncDirectory(const std::string& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

SaveStatus ReplaceFileContent(const std::string& path, std::string_view bytes) {
  Target target;
  if (!DescribeTarget(path, target)) return SaveStatus::CannotCreate;
  std::string tempPath;
  const int fd = CreateTemporary(target, tempPath);
  if (fd < 0) return SaveStatus::CannotCreate;
  if (target.exists) ::fchmod(fd, target.mode);
  bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  written = (::close(fd) == 0) && written;
  if (!written || ::rename(tempPath.c_str(), target.path.c_str()) != 0) {
    ::unlink(tempPath.c_str());
    return SaveStatus::CannotWrite;
  }
  SyncDirectory(target.directory);
  return SaveStatus::Ok;
}

}  // namespace plinvaro
