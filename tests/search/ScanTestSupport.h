// Shared helpers of the scan tests: parts named by file, and the oracle run over the same listing.
#pragma once

#include <sys/stat.h>

#include <climits>
#include <ostream>
#include <string>
#include <vector>

#include "ReferenceScan.h"
#include "TempDir.h"
#include "search/TextSearcher.h"

namespace plinvaro {
// Kernels print by name in test output.
inline void PrintTo(ScanKernel kernel, std::ostream* os) { *os << KernelName(kernel); }
}  // namespace plinvaro

namespace plinvaro::testing {

struct NamedPart {
  std::int32_t matchLength;
  std::int32_t offset;
  std::string file;  // name inside the searched directory
  bool operator==(const NamedPart&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const NamedPart& p) {
  return os << "(" << p.matchLength << ", " << p.offset << ", " << p.file << ")";
}

inline std::string BaseName(const std::string& path) {
#ifdef _WIN32
  const auto slash = path.find_last_of("\\/");
#else
  const auto slash = path.find_last_of('/');
#endif
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

inline std::vector<NamedPart> NamedParts(const TextSearcher& searcher) {
  std::vector<NamedPart> out;
  for (const auto& part : searcher.parts())
    out.push_back({part->matchLength, part->offset, BaseName(searcher.FilePath(part->fileIndex))});
  return out;
}

// Clears, lists and scans `dir` for `pattern`; returns the parts in their final order.
inline std::vector<NamedPart> Search(TextSearcher& searcher, const std::string& dir,
                                     const std::string& pattern,
                                     ScanKernel kernel = ScanKernel::Auto) {
  searcher.SetScanKernel(kernel);
  searcher.ClearResults();
  searcher.EnumerateFiles(dir, pattern);
  return NamedParts(searcher);
}

// The entries the searcher listed, read back for the oracle in the same order.
inline std::vector<ReferenceFile> FilesAsListed(const TextSearcher& searcher) {
  std::vector<ReferenceFile> files;
  for (const std::string& path : searcher.files()) {
    struct stat info;
    const bool regular = ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    files.push_back({regular ? ReadAll(path) : std::string(), regular});
  }
  return files;
}

inline std::vector<NamedPart> OracleParts(const TextSearcher& searcher, const std::string& pattern) {
  std::vector<NamedPart> out;
  for (const ReferencePart& p : ReferenceScan(FilesAsListed(searcher), pattern))
    out.push_back({p.matchLength, p.offset, BaseName(searcher.FilePath(p.fileIndex))});
  return out;
}

// Kernels this machine can run, for tests that go through every code path.
inline std::vector<ScanKernel> AvailableKernels() {
  std::vector<ScanKernel> kernels;
  for (ScanKernel k : {ScanKernel::Scalar, ScanKernel::Sse2, ScanKernel::Avx2, ScanKernel::Simd128})
    if (KernelAvailable(k)) kernels.push_back(k);
  return kernels;
}

// Test-name suffix for suites parameterised by kernel.
struct KernelParamName {
  template <class ParamInfo>
  std::string operator()(const ParamInfo& param) const {
    return KernelName(param.param);
  }
};

// A kernel together with a way of reading the files, for suites that go
// through every code path: copied on the calling thread, or mapped (every
// file, however small) with the helper thread, or as the product runs.
struct ScanSetup {
  ScanKernel kernel;
  ScanOptions options;
  const char* reading;  // names the reading mode in test names
};

inline void PrintTo(const ScanSetup& setup, std::ostream* os) {
  *os << KernelName(setup.kernel) << "_" << setup.reading;
}

inline std::vector<NamedPart> Search(TextSearcher& searcher, const std::string& dir,
                                     const std::string& pattern, const ScanSetup& setup) {
  searcher.SetScanOptions(setup.options);
  return Search(searcher, dir, pattern, setup.kernel);
}

inline std::vector<ScanSetup> AvailableSetups() {
  std::vector<ScanSetup> setups;
  for (ScanKernel k : AvailableKernels()) {
    setups.push_back({k, ScanOptions{1, INT32_MAX}, "copied"});
    setups.push_back({k, ScanOptions{2, 1}, "mapped"});
  }
  setups.push_back({ScanKernel::Auto, ScanOptions{}, "default"});
  return setups;
}

struct SetupParamName {
  template <class ParamInfo>
  std::string operator()(const ParamInfo& param) const {
    return std::string(KernelName(param.param.kernel)) + "_" + param.param.reading;
  }
};

}  // namespace plinvaro::testing
