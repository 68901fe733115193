// Generated benchmark corpora: English-like files made from the words of samples/, kept in the temporary directory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plinvaro::bench {

struct Corpus {
  std::string dir;
  std::vector<std::string> paths;
  std::int64_t bytes = 0;         // total size of all files
  std::int64_t largestFile = 0;   // bytes
};

// The main corpus: `totalMb` million bytes in 100 files (PLINVARO_BENCH_MB, default 250).
const Corpus& MainCorpus();
// 20,000 small files of 1 to 6 KB.
const Corpus& ManySmallFiles();
// About 2 GB in 256 files of 8 MB; made on first use only.
const Corpus& LargeFolder();

// Reads every file once so that the timings are taken with a warm page cache.
void WarmUp(const Corpus& corpus);

}  // namespace plinvaro::bench
