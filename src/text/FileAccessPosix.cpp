// POSIX realisation of the file access interface.
//
// A whole-file view is the file read into memory owned by the view, so that a
// file truncated or rewritten underneath can never fault the process (a plain
// shared mapping would raise SIGBUS on truncation). A pass view maps large
// files instead and catches that SIGBUS: the handler puts zero pages over the
// vanished part of the mapping and notes that the file shrank.
#include "text/FileAccess.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include "text/OutOfMemory.h"
#include "text/UniqueHandle.h"

namespace plinvaro {

struct FileView::Storage {
  std::unique_ptr<unsigned char[]> bytes;
  std::size_t capacity = 0;

  bool Reserve(std::size_t n) {
    if (n <= capacity) return true;
    bytes.reset();
    capacity = 0;
    bytes = TryAllocateBytes(n);
    if (!bytes) return false;
    capacity = n;
    return true;
  }
};

namespace {

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
  return FileOpenError::Ok;
}

namespace {

// The mapping a thread's loaded pass view guards; empty when end is 0.
struct BusGuard {
  std::uintptr_t begin;
  std::uintptr_t end;
  volatile std::sig_atomic_t shrank;
};
thread_local BusGuard tBusGuard __attribute__((tls_model("initial-exec"))) = {0, 0, 0};

struct sigaction gPreviousBusAction;
std::uintptr_t gPageSize = 4096;

void OnBusError(int number, siginfo_t* info, void* context) {
  const int savedErrno = errno;
  const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
  BusGuard& guard = tBusGuard;
  if (guard.end != 0 && address >= guard.begin && address < guard.end) {
    const std::uintptr_t page = address & ~(gPageSize - 1);
    void* zeros = ::mmap(reinterpret_cast<void*>(page), guard.end - page, PROT_READ,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
    if (zeros != MAP_FAILED) {
      guard.shrank = 1;
      errno = savedErrno;
      return;  // the read is repeated and now sees zeros
    }
  }
  errno = savedErrno;
  // Not ours: behave as whatever was there before.
  if ((gPreviousBusAction.sa_flags & SA_SIGINFO) != 0 && gPreviousBusAction.sa_sigaction != nullptr) {
    gPreviousBusAction.sa_sigaction(number, info, context);
    return;
  }
  if (gPreviousBusAction.sa_handler == SIG_DFL || gPreviousBusAction.sa_handler == SIG_IGN) {
    ::signal(number, SIG_DFL);  // the faulting read repeats and ends the process as usual
    return;
  }
  gPreviousBusAction.sa_handler(number);
}

// Installs the handler once; true while it is still the one in place.
bool BusGuardInstalled() {
  static const bool installed = [] {
    const long page = ::sysconf(_SC_PAGESIZE);
    if (page > 0) gPageSize = static_cast<std::uintptr_t>(page);
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_sigaction = OnBusError;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO;
    return ::sigaction(SIGBUS, &action, &gPreviousBusAction) == 0;
  }();
  if (!installed) return false;
  struct sigaction current;
  if (::sigaction(SIGBUS, nullptr, &current) != 0) return false;
  return (current.sa_flags & SA_SIGINFO) != 0 && current.sa_sigaction == OnBusError;
}

}  // namespace

struct PassView::Storage {
  FileDescriptor fd;
  void* map = nullptr;
  std::size_t mapLength = 0;
  std::unique_ptr<unsigned char[]> copy;
  std::size_t copyCapacity = 0;

  void CloseFile() { fd.Close(); }
  void Unmap() {
    if (map == nullptr) return;
    if (tBusGuard.begin == reinterpret_cast<std::uintptr_t>(map)) {
      tBusGuard.end = 0;
      tBusGuard.begin = 0;
      std::atomic_signal_fence(std::memory_order_seq_cst);
    }
    ::munmap(map, mapLength);
    map = nullptr;
    mapLength = 0;
  }
  // Copies the file as far as it goes; the number of bytes, or -1.
  ssize_t Copy(std::size_t wanted) {
    if (wanted > copyCapacity) {
      copy.reset();
      copyCapacity = 0;
      copy = TryAllocateBytes(wanted);
      if (!copy) return -1;
      copyCapacity = wanted;
    }
    return ReadFully(fd.get(), copy.get(), wanted, 0);
  }
  // Maps the file under this thread's guard; false when that cannot be done.
  bool Map(std::size_t wanted) {
    if (tBusGuard.end != 0 || !BusGuardInstalled()) return false;
    void* at = ::mmap(nullptr, wanted, PROT_READ, MAP_PRIVATE, fd.get(), 0);
    if (at == MAP_FAILED) return false;
    map = at;
    mapLength = wanted;
    const auto begin = reinterpret_cast<std::uintptr_t>(at);
    tBusGuard.shrank = 0;
    tBusGuard.begin = begin;
    tBusGuard.end = begin + ((wanted + gPageSize - 1) & ~(gPageSize - 1));
    std::atomic_signal_fence(std::memory_order_seq_cst);
    return true;
  }
};

PassView::PassView() = default;

PassView::~PassView() {
  Close();
}

void PassView::Close() {
  data_ = nullptr;
  size_ = 0;
  if (!storage_) return;
  storage_->Unmap();
  storage_->CloseFile();
}

FileOpenError PassView::Open(const std::string& path) {
  Close();
  if (!storage_) storage_ = std::make_unique<Storage>();
  FileDescriptor fd = OpenForReading(path);
  if (!fd.valid()) return FileOpenError::CannotOpen;
  struct stat info;
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return FileOpenError::CannotOpen;
  if (info.st_size <= 0 || info.st_size > kMaxFileSize) return FileOpenError::CannotOpen;
  storage_->fd = std::move(fd);
  size_ = static_cast<std::int32_t>(info.st_size);
  return FileOpenError::Ok;
}

FileOpenError PassView::Load(std::int32_t mapFromBytes) {
  if (!storage_ || !storage_->fd.valid()) return FileOpenError::CannotOpen;
  const auto wanted = static_cast<std::size_t>(size_);
  if (size_ >= mapFromBytes && storage_->Map(wanted)) {
    storage_->CloseFile();
    data_ = static_cast<const unsigned char*>(storage_->map);
    return FileOpenError::Ok;
  }
  const ssize_t got = storage_->Copy(wanted);
  storage_->CloseFile();
  if (got < 0) {
    Close();
    return FileOpenError::CannotMap;
  }
  // A file that shrank since it was opened is taken as far as it still goes.
  if (got == 0) {
    Close();
    return FileOpenError::CannotOpen;
  }
  data_ = storage_->copy.get();
  size_ = static_cast<std::int32_t>(got);
  return FileOpenError::Ok;
}

bool PassView::Shrank() const {
  return storage_ && storage_->map != nullptr &&
         tBusGuard.begin == reinterpret_cast<std::uintptr_t>(storage_->map) && tBusGuard.shrank != 0;
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

bool IsSameFile(const std::string& a, const std::string& b) {
  struct stat first;
  struct stat second;
  if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace plinvaro
