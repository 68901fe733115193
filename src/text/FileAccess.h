// Platform file access: stable whole-file views, directory listing and positioned reads.
//
// One header, one realisation per platform (FileAccessPosix.cpp, FileAccessWin32.cpp).
// Sizes and offsets are bytes. Files of 2 GiB or more are refused, since every
// size and offset above this layer is a signed 32-bit value.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plinvaro {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
inline constexpr bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }
#else
inline constexpr char kPathSeparator = '/';
inline constexpr bool IsPathSeparator(char c) { return c == '/'; }
#endif

// Largest accepted file size in bytes.
inline constexpr std::int64_t kMaxFileSize = INT32_MAX;

// Whether a whole-file view could be given, and if not why.
enum class FileOpenError {
  Ok,
  CannotOpen,  // missing, unreadable, not a regular file, empty, or too large
  CannotMap,   // opened, but its bytes could not be brought into memory
};

// A read-only view of one whole file. While open, data()[0 .. size()-1] are the
// file's bytes and stay valid and unchanged even when another program truncates
// or rewrites the file (the bytes are then those of the moment of opening).
// Owns whatever backs the view; movable, not copyable.
class FileView {
 public:
  FileView();
  ~FileView();
  FileView(FileView&& other) noexcept;
  FileView& operator=(FileView&& other) noexcept;
  FileView(const FileView&) = delete;
  FileView& operator=(const FileView&) = delete;

  // Releases what is held, then opens `path`. On failure the view stays closed.
  FileOpenError Open(const std::string& path);
  // Closes the view; storage may be kept for the next Open.
  void Close();
  // Closes the view and frees all storage.
  void Reset();

  bool IsOpen() const { return data_ != nullptr; }
  const unsigned char* data() const { return data_; }  // null when closed
  std::int32_t size() const { return size_; }           // bytes; 0 when closed

 private:
  struct Storage;
  std::unique_ptr<Storage> storage_;
  const unsigned char* data_ = nullptr;
  std::int32_t size_ = 0;
};

#ifndef _WIN32
// The bytes of one whole file for a single reading pass, cheaper than FileView:
// POSIX only (on Windows FileView itself maps the file). Large files are mapped
// rather than copied, so their bytes may change while open if another program
// rewrites the file; if the file shrinks, reads past its new end give zero
// bytes instead of a fault and Shrank() turns true, so that the pass can be
// repeated on a FileView. The guard covers reads made on the thread that
// called Load; each thread may hold one loaded view at a time. Owns the file
// descriptor, the mapping or the copy; not copyable.
class PassView {
 public:
  PassView();
  ~PassView();
  PassView(const PassView&) = delete;
  PassView& operator=(const PassView&) = delete;

  // Closes what is held, then opens `path` and learns its size (bytes not yet
  // available). The outcomes are those of FileView::Open.
  FileOpenError Open(const std::string& path);
  // Brings the opened file's bytes in, mapping them when the file has at
  // least `mapFromBytes` bytes and copying them otherwise; CannotMap when
  // they could not be had.
  FileOpenError Load(std::int32_t mapFromBytes);
  // Releases the bytes and the file.
  void Close();

  const unsigned char* data() const { return data_; }  // null until loaded
  std::int32_t size() const { return size_; }           // bytes; known after Open
  bool Shrank() const;

 private:
  struct Storage;
  std::unique_ptr<Storage> storage_;
  const unsigned char* data_ = nullptr;
  std::int32_t size_ = 0;
};
#endif

enum class ListStatus { Ok, NotFound, NotDirectory, AccessDenied, OtherError };

struct DirectoryListing {
  ListStatus status = ListStatus::Ok;
  std::string errorText;           // the platform's wording when status is not Ok
  std::vector<std::string> names;  // entry names, not paths
};

// Entries directly inside `directory` whose names end in ".txt" in any letter
// case, in the order the platform lists them. Subdirectories with such names are
// listed too; nothing is sorted.
DirectoryListing ListTextFileNames(const std::string& directory);

struct ReadResult {
  enum class Status { Ok, CannotOpen, ReadFailed };
  Status status = Status::Ok;
  std::int32_t bytesRead = 0;  // valid bytes written to the buffer when Ok
};

// Reads up to `count` bytes of `path` starting at byte `offset` into `out`
// (room for `count` bytes). Reaching the end of the file early is success.
ReadResult ReadFileAt(const std::string& path, std::int32_t offset, std::int32_t count,
                      unsigned char* out);

// Whether the two paths name one and the same existing file (links and
// spellings followed); false when either cannot be looked at.
bool IsSameFile(const std::string& a, const std::string& b);

}  // namespace plinvaro
