// Scans a list of files in their order, on the calling thread and (where the platform has threads) one helper.
//
// Each file is opened, brought into memory and handed to a byte scan; the
// results come back to the caller on the calling thread strictly in file
// order, so the outcome is that of a plain loop over the files. Sizes and
// offsets are bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "text/FileAccess.h"

namespace plinvaro {

// One accepted candidate of a file.
struct ScanHit {
  std::int32_t matchLength = 0;    // file bytes
  std::int32_t offset = 0;         // first byte after the match
  std::int32_t patternLength = 0;  // pattern bytes matched
};

// What one file gave.
struct FileScanResult {
  FileOpenError openError = FileOpenError::Ok;  // Ok when the file was scanned
  std::int32_t fileSize = 0;  // bytes scanned
  std::vector<ScanHit> hits;  // in scan order
};

// Finds at most `limit` hits in `bytes[0 .. size-1]`, appending them in scan
// order. Called from two threads at once, so it must not change shared state.
using ByteScan =
    std::function<void(const unsigned char* bytes, std::int32_t size, std::size_t limit,
                       std::vector<ScanHit>& hits)>;

// Takes file `index`'s result (the callee may move from it) and returns how
// many more hits are wanted; 0 ends the scan after this file.
using CommitFile = std::function<std::size_t(std::int32_t index, FileScanResult& result)>;

// How files are brought in and on how many threads. The results are the same
// whatever these are.
struct ScanOptions {
  // 0 picks by the number of processors, 1 keeps everything on the calling
  // thread, 2 adds a helper thread (not on Windows).
  int threads = 0;
  // Files of at least this many bytes are mapped rather than copied (not on
  // Windows, where files are always mapped): below it a read costs less than
  // setting up and tearing down a mapping.
  std::int32_t mapFromBytes = 512 * 1024;
};

// Largest bytes the helper may hold in memory beside the file the other
// thread holds, so that the peak is at most the largest file plus this.
inline constexpr std::int64_t kScanMemorySlack = 16 * 1024 * 1024;

// Scans `paths` in order with `scan`, calling `commit` for each file in order
// until it returns 0 or the files run out. `wanted` limits the first file's
// hits.
void ScanFilesInOrder(const std::vector<std::string>& paths, const ScanOptions& options,
                      std::size_t wanted,
                      const ByteScan& scan, const CommitFile& commit);

}  // namespace plinvaro
