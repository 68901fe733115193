// A scratch directory for the fuzz targets, kept in memory-backed storage when the system has it.
#pragma once

#include <string>
#include <string_view>

namespace plinvaro::fuzz {

// Creates a fresh directory once per process (under /dev/shm when present, so
// that the many small writes of a run never reach a disk) and removes it at exit.
class FuzzScratch {
 public:
  FuzzScratch();
  ~FuzzScratch();
  FuzzScratch(const FuzzScratch&) = delete;
  FuzzScratch& operator=(const FuzzScratch&) = delete;

  const std::string& path() const { return path_; }
  std::string Join(std::string_view name) const { return path_ + "/" + std::string(name); }
  // Writes `bytes` exactly to `name` (replacing it); returns its full path.
  std::string Write(std::string_view name, std::string_view bytes) const;

 private:
  std::string path_;
};

}  // namespace plinvaro::fuzz
