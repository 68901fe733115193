// POSIX realisation of the file access interface.
//
// A whole-file view is the file read into memory owned by the view, so that a
// file truncated or rewritten underneath can never fault the process (a plain
// shared mapping would raise SIGBUS on truncation).
#include "text/FileAccess.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

namespace plinvaro {

struct FileView::Storage {
  std::unique_ptr<unsigned char[]> bytes;
  std::size_t capacity = 0;

  bool Reserve(std::size_t n) {
    if (n <= capacity) return true;
    bytes.reset();
    capacity = 0;
    bytes.reset(new (std::nothrow) unsigned char[n]);
    if (!bytes) return false;
    capacity = n;
    return true;
  }
};

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

 private:
  int fd_;
};

FileDescriptor OpenForReading(const std::string& path) {
  int fd;
  do {
    // Non-blocking, so that a FIFO listed as *.txt cannot hang the caller.
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  return FileDescriptor(fd);
}

// Reads until `count` bytes are in or the file ends; -1 on a read error.
ssize_t ReadFully(int fd, unsigned char* out, std::size_t count, off_t offset) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t got = ::pread(fd, out + done, count - done, offset + static_cast<off_t>(done));
    if (got < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<ssize_t>(done);
}

bool EndsWithTxt(const char* name) {
  const std::size_t n = std::strlen(name);
  if (n < 4) return false;
  const char* tail = name + n - 4;
  return tail[0] == '.' && (tail[1] | 0x20) == 't' && (tail[2] | 0x20) == 'x' &&
         (tail[3] | 0x20) == 't';
}

ListStatus StatusOfErrno(int error) {
  switch (error) {
    case ENOENT: return ListStatus::NotFound;
    case ENOTDIR: return ListStatus::NotDirectory;
    case EACCES:
    case EPERM: return ListStatus::AccessDenied;
    default: return ListStatus::OtherError;
  }
}

}  // namespace

FileView::FileView() = default;
FileView::~FileView() = default;
FileView::FileView(FileView&& other) noexcept = default;
FileView& FileView::operator=(FileView&& other) noexcept = default;

void FileView::Close() {
  data_ = nullptr;
  size_ = 0;
}

void FileView::Reset() {
  Close();
  storage_.reset();
}

FileOpenError FileView::Open(const std::string& path) {
  Close();
  FileDescriptor fd = OpenForReading(path);
  if (!fd.valid()) return FileOpenError::CannotOpen;
  struct stat info;
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return FileOpenError::CannotOpen;
  if (info.st_size <= 0 || info.st_size > kMaxFileSize) return FileOpenError::CannotOpen;
  const auto wanted = static_cast<std::size_t>(info.st_size);
  if (!storage_) storage_ = std::make_unique<Storage>();
  if (!storage_->Reserve(wanted)) return FileOpenError::CannotMap;
  const ssize_t got = ReadFully(fd.get(), storage_->bytes.get(), wanted, 0);
  if (got < 0) return FileOpenError::CannotMap;
  // A file that shrank since fstat is taken as far as it still goes.
  if (got == 0) return FileOpenError::CannotOpen;
  data_ = storage_->bytes.get();
  size_ = static_cast<std::int32_t>(got);
  return FileOpenError::None;
}

DirectoryListing ListTextFileNames(const std::string& directory) {
  DirectoryListing listing;
  DIR* dir = ::opendir(directory.c_str());
  if (dir == nullptr) {
    listing.status = StatusOfErrno(errno);
    listing.errorText = std::strerror(errno);
    return listing;
  }
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) {
      if (errno != 0) {
        listing.status = StatusOfErrno(errno);
        listing.errorText = std::strerror(errno);
      }
      break;
    }
    if (EndsWithTxt(entry->d_name)) listing.names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  return listing;
}

ReadResult ReadFileAt(const std::string& path, std::int32_t offset, std::int32_t count,
                      unsigned char* out) {
  ReadResult result;
  FileDescriptor fd = OpenForReading(path);
  if (!fd.valid()) {
    result.status = ReadResult::Status::CannotOpen;
    return result;
  }
  if (offset < 0 || count < 0) {
    result.status = ReadResult::Status::ReadFailed;
    return result;
  }
  const ssize_t got = ReadFully(fd.get(), out, static_cast<std::size_t>(count), offset);
  if (got < 0) {
    result.status = ReadResult::Status::ReadFailed;
    return result;
  }
  result.bytesRead = static_cast<std::int32_t>(got);
  return result;
}

}  // namespace plinvaro
