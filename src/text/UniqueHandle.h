// Sole owner of one operating-system handle (a POSIX file descriptor, a Win32 HANDLE), closed on destruction.
//
// Traits give the handle type and how to tell and close one:
//   using Value = ...;
//   static Value Invalid();           // the "holds nothing" value
//   static bool IsValid(Value);
//   static bool Close(Value);          // true when the system closed it cleanly
// Movable, not copyable. Internal to the platform realisations of src/text.
#pragma once

#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace plinvaro {

template <typename Traits>
class UniqueHandle {
 public:
  using Value = typename Traits::Value;

  UniqueHandle() noexcept : value_(Traits::Invalid()) {}
  explicit UniqueHandle(Value value) noexcept : value_(value) {}
  ~UniqueHandle() { Close(); }
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Close();
      value_ = other.Release();
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Value get() const { return value_; }
  bool valid() const { return Traits::IsValid(value_); }

  // Gives up ownership without closing; the handle then holds nothing.
  Value Release() { return std::exchange(value_, Traits::Invalid()); }

  // Closes what is held; true when nothing was held or the close succeeded
  // (a failed close can mean lost written bytes, so writers check it).
  bool Close() {
    if (!valid()) return true;
    return Traits::Close(std::exchange(value_, Traits::Invalid()));
  }

 private:
  Value value_;
};

#ifdef _WIN32

// Files opened with CreateFileA (INVALID_HANDLE_VALUE on failure); a null
// handle, what other creators give on failure, counts as holding nothing too.
struct Win32HandleTraits {
  using Value = HANDLE;
  static Value Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Value h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static bool Close(Value h) { return ::CloseHandle(h) != 0; }
};
using FileHandle = UniqueHandle<Win32HandleTraits>;

#else

struct FileDescriptorTraits {
  using Value = int;
  static Value Invalid() { return -1; }
  static bool IsValid(Value fd) { return fd >= 0; }
  static bool Close(Value fd) { return ::close(fd) == 0; }
};
using FileDescriptor = UniqueHandle<FileDescriptorTraits>;

#endif

}  // namespace plinvaro
