// Side-by-side rounds of the physical-limit pass and the production search; medians, ratios and peak memory.
#include "SpeedTable.h"

#include <dirent.h>
#include <malloc.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "BenchCorpus.h"
#include "PeakMemory.h"
#include "search/TextSearcher.h"

namespace plinvaro::bench {
namespace {

constexpr std::int64_t kMemoryAllowance = 16 * 1024 * 1024;  // bytes above the largest file
constexpr double kCaseRatioTarget = 1.5;  // a search regardless of case against one in case

// The simplest pass over the same bytes: list the directory, map each *.txt
// file and look for a byte that never occurs with memrchr. Returns the bytes passed.
std::int64_t MappedMemrchrPass(const std::string& dir) {
  std::int64_t total = 0;
  DIR* d = ::opendir(dir.c_str());
  if (d == nullptr) return 0;
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(d)) {
    const std::size_t n = std::strlen(entry->d_name);
    if (n >= 4 && std::strcmp(entry->d_name + n - 4, ".txt") == 0) names.emplace_back(entry->d_name);
  }
  ::closedir(d);
  for (const std::string& name : names) {
    const std::string path = dir + "/" + name;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat info;
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
      const auto size = static_cast<std::size_t>(info.st_size);
      void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
      if (map != MAP_FAILED) {
        if (::memrchr(map, 0x01, size) == nullptr) total += static_cast<std::int64_t>(size);
        ::munmap(map, size);
      }
    }
    ::close(fd);
  }
  return total;
}

// Processor seconds (user and system, all threads) used by this process so far.
double ProcessorSeconds() {
  struct rusage usage;
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Timing {
  double wall;       // seconds
  double processor;  // seconds on all threads
};

Timing Time(const std::function<void()>& run) {
  const double processorStart = ProcessorSeconds();
  const auto start = std::chrono::steady_clock::now();
  run();
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return {wall, ProcessorSeconds() - processorStart};
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int EnvInt(const char* name, int fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : fallback;
}

void RunSearch(TextSearcher& searcher, const std::string& dir, const std::string& pattern) {
  searcher.ClearResults();
  searcher.EnumerateFiles(dir, pattern);
  if (searcher.PartCount() != 0) std::fprintf(stderr, "warning: '%s' was found\n", pattern.c_str());
}

struct Row {
  Row(std::string whatRun, std::int64_t bytesRun) : what(std::move(whatRun)), bytes(bytesRun) {}
  std::string what;
  std::int64_t bytes = 0;
  std::vector<double> seconds;    // wall-clock time of each round
  std::vector<double> processor;  // processor time of each round
  void Add(const Timing& t) {
    seconds.push_back(t.wall);
    processor.push_back(t.processor);
  }
};

void PrintRows(const std::vector<Row>& rows, const char* unit) {
  const double base = Median(rows.front().seconds);
  std::printf("  %-46s %9s %8s %9s %10s\n", "", unit, "GB/s", "ratio", "cpu ms");
  for (const Row& row : rows) {
    const double m = Median(row.seconds);
    std::printf("  %-46s %9.1f %8.2f %9.2f %10.1f\n", row.what.c_str(), m * 1000,
                static_cast<double>(row.bytes) / m / 1e9, m / base, Median(row.processor) * 1000);
  }
}

struct Search {
  std::string pattern;
  int threads;             // 0: as the product runs
  bool matchCase = true;   // false: regardless of case
};

// Rounds of the memrchr pass and each search, interleaved so that load from
// elsewhere on the machine hits all of them alike.
std::vector<Row> SideBySide(const Corpus& corpus, const std::vector<Search>& searches, int rounds) {
  std::vector<Row> rows;
  rows.emplace_back("memrchr over mapped files (baseline)", corpus.bytes);
  for (const Search& s : searches)
    rows.emplace_back("search \"" + s.pattern + "\"" + (s.matchCase ? "" : " any case") +
                          (s.threads == 1 ? ", one thread" : ""),
                      corpus.bytes);
  TextSearcher searcher;
  for (int r = 0; r < rounds; ++r) {
    std::int64_t passed = 0;
    rows[0].Add(Time([&] { passed = MappedMemrchrPass(corpus.dir); }));
    if (passed != corpus.bytes)
      std::fprintf(stderr, "warning: the memrchr pass saw %lld bytes\n", static_cast<long long>(passed));
    for (std::size_t i = 0; i < searches.size(); ++i) {
      plinvaro::ScanOptions options;
      options.threads = searches[i].threads;
      searcher.SetScanOptions(options);
      searcher.SetMatchCase(searches[i].matchCase);
      rows[i + 1].Add(Time([&] { RunSearch(searcher, corpus.dir, searches[i].pattern); }));
    }
  }
  return rows;
}

// The searches regardless of case against the same searches in case: rows
// 1 .. count, then count more in the same order.
void PrintCaseRatios(const std::vector<Row>& rows, std::size_t count) {
  std::printf("  regardless of case / in case:");
  for (std::size_t i = 1; i <= count; ++i)
    std::printf(" %.2f", Median(rows[i + count].seconds) / Median(rows[i].seconds));
  std::printf(" (target at most %.1f)\n", kCaseRatioTarget);
}

bool ReportPeak(const Corpus& corpus, const std::string& pattern) {
  TextSearcher searcher;
  const std::int64_t growth = PeakGrowth([&] { RunSearch(searcher, corpus.dir, pattern); });
  const std::int64_t allowed = corpus.largestFile + kMemoryAllowance;
  if (growth < 0) {
    std::printf("  peak memory during a search: not measurable here\n");
    return true;
  }
  std::printf("  peak memory growth during a search: %.1f MB (largest file %.1f MB + 16 MB = %.1f MB allowed): %s\n",
              growth / 1048576.0, corpus.largestFile / 1048576.0, allowed / 1048576.0,
              growth <= allowed ? "ok" : "TOO MUCH");
  return growth <= allowed;
}

}  // namespace

bool PrintSpeedTable() {
  const int rounds = EnvInt("PLINVARO_BENCH_ROUNDS", 11);
  const std::vector<std::string> patterns = {"zebra quagga", "no teatest"};
  bool ok = true;

  const Corpus& main = MainCorpus();
  WarmUp(main);
  std::printf("Search speed, warm page cache, median of %d side-by-side rounds\n", rounds);
  std::printf("%lld bytes in %zu files:\n", static_cast<long long>(main.bytes), main.paths.size());
  const std::vector<Row> mainRows =
      SideBySide(main,
                 {{patterns[0], 0}, {patterns[1], 0}, {patterns[0], 1}, {patterns[1], 1},
                  {patterns[0], 0, false}, {patterns[1], 0, false}, {patterns[0], 1, false},
                  {patterns[1], 1, false}},
                 rounds);
  PrintRows(mainRows, "ms");
  PrintCaseRatios(mainRows, 4);
  ok = ReportPeak(main, patterns[1]) && ok;

  const Corpus& many = ManySmallFiles();
  WarmUp(many);
  std::printf("%zu small files, %lld bytes:\n", many.paths.size(), static_cast<long long>(many.bytes));
  const std::vector<Row> manyRows = SideBySide(many, {{patterns[0], 0}}, std::max(3, rounds / 2));
  PrintRows(manyRows, "ms");
  const double manySeconds = Median(manyRows[1].seconds);
  std::printf("  whole search: %.0f ms, %.0f files/s\n", manySeconds * 1000,
              static_cast<double>(many.paths.size()) / manySeconds);
  ok = ReportPeak(many, patterns[0]) && ok;

  if (EnvInt("PLINVARO_BENCH_2GB", 0) != 0) {
    const Corpus& large = LargeFolder();
    WarmUp(large);
    std::printf("%lld bytes in %zu files:\n", static_cast<long long>(large.bytes), large.paths.size());
    PrintRows(SideBySide(large, {{patterns[0], 0}, {patterns[1], 0}}, std::max(3, rounds / 3)), "ms");
    ok = ReportPeak(large, patterns[1]) && ok;
  } else {
    std::printf("(the 2 GB folder: run with PLINVARO_BENCH_2GB=1)\n");
  }
  std::fflush(stdout);
  return ok;
}

}  // namespace plinvaro::bench
