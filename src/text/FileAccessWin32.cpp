// Win32 realisation of the file access interface: mapped whole-file views, FindFirstFileA listing, positioned reads.
//
// A view keeps the file open with shared reading only, so no other program can
// change the bytes while they are in use. Paths are ANSI strings of at most
// kMaxPathBytes bytes; a longer path is refused as not openable, never cut.
#include "text/FileAccess.h"

#include <windows.h>

#include <cstring>

#include "text/UniqueHandle.h"

namespace plinvaro {
namespace {

// The classic Windows path buffer: 259 bytes and a terminating zero.
constexpr std::size_t kMaxPathBytes = MAX_PATH - 1;
constexpr char kTextPattern[] = "\\*.txt";

bool FitsPathBuffer(const std::string& path) {
  return !path.empty() && path.size() <= kMaxPathBytes && path.find('\0') == std::string::npos;
}

// Opens an existing disk file for reading; others may read it, nobody may write it.
FileHandle OpenForReading(const std::string& path) {
  if (!FitsPathBuffer(path)) return FileHandle();
  FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  // Devices (CON, NUL, COM1, pipes) answer to file names too; only disk files count.
  if (file.valid() && ::GetFileType(file.get()) != FILE_TYPE_DISK) file.Close();
  return file;
}

bool EndsWithTxt(const char* name) {
  const std::size_t n = std::strlen(name);
  if (n < 4) return false;
  const char* tail = name + n - 4;
  return tail[0] == '.' && (tail[1] | 0x20) == 't' && (tail[2] | 0x20) == 'x' &&
         (tail[3] | 0x20) == 't';
}

std::string SystemMessage(DWORD error) {
  char buffer[512] = {};
  const DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, buffer, sizeof buffer, nullptr);
  std::string text(buffer, n);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  if (text.empty()) text = "Windows error " + std::to_string(error);
  return text;
}

ListStatus StatusOfError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_DRIVE: return ListStatus::NotFound;
    case ERROR_DIRECTORY: return ListStatus::NotDirectory;
    case ERROR_ACCESS_DENIED: return ListStatus::AccessDenied;
    default: return ListStatus::OtherError;
  }
}

DirectoryListing Failed(ListStatus status, std::string text) {
  DirectoryListing listing;
  listing.status = status;
  listing.errorText = std::move(text);
  return listing;
}

}  // namespace

struct FileView::Storage {
  FileHandle file;
  FileHandle mapping;
  const void* view = nullptr;

  void Release() {
    if (view != nullptr) ::UnmapViewOfFile(view);
    view = nullptr;
    mapping.Close();
    file.Close();
  }
  ~Storage() { Release(); }
};

FileView::FileView() = default;
FileView::~FileView() = default;
FileView::FileView(FileView&& other) noexcept = default;
FileView& FileView::operator=(FileView&& other) noexcept = default;

void FileView::Close() {
  // The file is let go at once, so that other programs may write it again.
  if (storage_) storage_->Release();
  data_ = nullptr;
  size_ = 0;
}

void FileView::Reset() {
  Close();
  storage_.reset();
}

FileOpenError FileView::Open(const std::string& path) {
  Close();
  if (!storage_) storage_ = std::make_unique<Storage>();
  Storage& s = *storage_;
  s.file = OpenForReading(path);
  if (!s.file.valid()) return FileOpenError::CannotOpen;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(s.file.get(), &size) || size.QuadPart <= 0 ||
      size.QuadPart > kMaxFileSize) {
    s.Release();
    return FileOpenError::CannotOpen;
  }
  // A zero-byte file cannot be mapped (error 1006); it was refused above.
  s.mapping = FileHandle(::CreateFileMappingA(s.file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!s.mapping.valid()) {
    s.Release();
    return FileOpenError::CannotOpen;
  }
  s.view = ::MapViewOfFile(s.mapping.get(), FILE_MAP_READ, 0, 0, 0);
  if (s.view == nullptr) {
    s.Release();
    return FileOpenError::CannotMap;
  }
  data_ = static_cast<const unsigned char*>(s.view);
  size_ = static_cast<std::int32_t>(size.QuadPart);
  return FileOpenError::Ok;
}

DirectoryListing ListTextFileNames(const std::string& directory) {
  std::string search = directory;
  if (!search.empty() && IsPathSeparator(search.back())) search.pop_back();
  if (search.size() + std::strlen(kTextPattern) > kMaxPathBytes ||
      directory.find('\0') != std::string::npos)
    return Failed(ListStatus::OtherError, SystemMessage(ERROR_FILENAME_EXCED_RANGE));
  if (directory.empty()) return Failed(ListStatus::NotFound, SystemMessage(ERROR_PATH_NOT_FOUND));
  const DWORD attributes = ::GetFileAttributesA(directory.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    return Failed(StatusOfError(error), SystemMessage(error));
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
    return Failed(ListStatus::NotDirectory, SystemMessage(ERROR_DIRECTORY));

  search += kTextPattern;
  DirectoryListing listing;
  WIN32_FIND_DATAA entry{};
  HANDLE find = ::FindFirstFileA(search.c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return listing;
    return Failed(StatusOfError(error), SystemMessage(error));
  }
  do {
    // "*.txt" also matches through short names (a.txtx as A~1.TXT): keep the real ".txt" names.
    if (EndsWithTxt(entry.cFileName)) listing.names.emplace_back(entry.cFileName);
  } while (::FindNextFileA(find, &entry));
  const DWORD error = ::GetLastError();
  ::FindClose(find);
  if (error != ERROR_NO_MORE_FILES) {
    listing.status = StatusOfError(error);
    listing.errorText = SystemMessage(error);
  }
  return listing;
}

ReadResult ReadFileAt(const std::string& path, std::int32_t offset, std::int32_t count,
                      unsigned char* out) {
  ReadResult result;
  FileHandle file = OpenForReading(path);
  if (!file.valid()) {
    result.status = ReadResult::Status::CannotOpen;
    return result;
  }
  if (offset < 0 || count < 0) {
    result.status = ReadResult::Status::ReadFailed;
    return result;
  }
  if (::SetFilePointer(file.get(), offset, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
      ::GetLastError() != NO_ERROR) {
    result.status = ReadResult::Status::ReadFailed;
    return result;
  }
  std::int32_t done = 0;
  while (done < count) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), out + done, static_cast<DWORD>(count - done), &got, nullptr)) {
      result.status = ReadResult::Status::ReadFailed;
      return result;
    }
    if (got == 0) break;  // the end of the file
    done += static_cast<std::int32_t>(got);
  }
  result.bytesRead = done;
  return result;
}

bool IsSameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION info[2];
  const std::string* paths[2] = {&a, &b};
  for (int i = 0; i < 2; ++i) {
    if (!FitsPathBuffer(*paths[i])) return false;
    // Asks for no access, so that a file others hold open can still be looked at.
    FileHandle file(::CreateFileA(paths[i]->c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid() || !::GetFileInformationByHandle(file.get(), &info[i])) return false;
  }
  return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
         info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
         info[0].nFileIndexLow == info[1].nFileIndexLow;
}

}  // namespace plinvaro
