// A scratch directory that removes itself, with helpers to fill it.
#pragma once

#include <string>
#include <string_view>

namespace plinvaro::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // Full path of `name` inside the directory.
  std::string Join(std::string_view name) const;
  // Writes `bytes` exactly to `name`; returns its full path.
  std::string Write(std::string_view name, std::string_view bytes) const;
  std::string MakeSubdir(std::string_view name) const;

 private:
  std::string path_;
};

// Whole contents of a file, or an empty string when it cannot be read.
std::string ReadAll(const std::string& path);

}  // namespace plinvaro::testing
