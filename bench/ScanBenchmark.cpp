// Scan throughput on a generated English corpus: production kernels, the plain oracle, grep -F.
//
// The corpus (default 250 MB in 100 files, PLINVARO_BENCH_MB to change) is
// made once from the words of samples/ and kept in the temporary directory.
// The patterns' last words never occur in it, so every scan runs to the end.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ReferenceScan.h"
#include "TempDir.h"
#include "search/TextSearcher.h"

namespace {

namespace fs = std::filesystem;
using plinvaro::ScanKernel;
using plinvaro::TextSearcher;

constexpr int kFiles = 100;

struct Corpus {
  std::string dir;
  std::vector<std::string> paths;
  std::int64_t bytes = 0;
};

std::vector<std::string> SampleWords() {
  std::vector<std::string> words;
  for (const auto& entry : fs::directory_iterator(PLINVARO_SAMPLES_DIR)) {
    if (entry.path().extension() != ".txt") continue;
    std::istringstream in(plinvaro::testing::ReadAll(entry.path().string()));
    for (std::string w; in >> w;) words.push_back(w);
  }
  if (words.empty()) words = {"the", "old", "road", "ran", "by", "the", "river."};
  return words;
}

void WriteCorpusFile(const std::string& path, std::size_t size, std::mt19937& rng,
                     const std::vector<std::string>& words) {
  std::string text;
  text.reserve(size + 64);
  std::uniform_int_distribution<std::size_t> pick(0, words.size() - 1);
  int onLine = 0;
  while (text.size() < size) {
    text += words[pick(rng)];
    if (++onLine == 12) {
      text += (rng() % 8 == 0) ? "\n\n" : "\n";
      onLine = 0;
    } else {
      text += ' ';
    }
  }
  std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
}

const Corpus& GetCorpus() {
  static const Corpus corpus = [] {
    const char* mbText = std::getenv("PLINVARO_BENCH_MB");
    const std::int64_t totalMb = mbText != nullptr ? std::atoll(mbText) : 250;
    Corpus c;
    c.dir = (fs::temp_directory_path() / ("plinvaro-bench-corpus-" + std::to_string(totalMb))).string();
    const auto perFile = static_cast<std::size_t>(totalMb * 1000 * 1000 / kFiles);
    fs::create_directories(c.dir);
    std::mt19937 rng(2026);
    std::vector<std::string> words;
    for (int i = 0; i < kFiles; ++i) {
      const std::string path = c.dir + "/part" + std::to_string(i) + ".txt";
      std::error_code ec;
      if (fs::file_size(path, ec) < perFile || ec) {
        if (words.empty()) words = SampleWords();
        WriteCorpusFile(path, perFile, rng, words);
      }
      c.paths.push_back(path);
      c.bytes += static_cast<std::int64_t>(fs::file_size(path));
    }
    // Warm the page cache.
    for (const auto& p : c.paths) benchmark::DoNotOptimize(plinvaro::testing::ReadAll(p).size());
    return c;
  }();
  return corpus;
}

// Patterns whose last word never occurs: a rare-letter word and a common-letter one.
const char* PatternFor(int which) { return which == 0 ? "she saw a quagga" : "over the teatest"; }

void BM_Scan(benchmark::State& state, ScanKernel kernel) {
  const Corpus& corpus = GetCorpus();
  const std::string pattern = PatternFor(static_cast<int>(state.range(0)));
  TextSearcher searcher;
  searcher.SetScanKernel(kernel);
  for (auto _ : state) {
    searcher.ClearResults();
    searcher.EnumerateFiles(corpus.dir, pattern);
    if (searcher.PartCount() != 0) state.SkipWithError("pattern was found");
  }
  state.SetBytesProcessed(state.iterations() * corpus.bytes);
  state.SetLabel(pattern);
}

void BM_ReferenceScan(benchmark::State& state) {
  const Corpus& corpus = GetCorpus();
  const std::string pattern = PatternFor(static_cast<int>(state.range(0)));
  std::vector<plinvaro::testing::ReferenceFile> files;
  for (const auto& p : corpus.paths) files.push_back({plinvaro::testing::ReadAll(p), true});
  for (auto _ : state) benchmark::DoNotOptimize(plinvaro::testing::ReferenceScan(files, pattern));
  state.SetBytesProcessed(state.iterations() * corpus.bytes);
  state.SetLabel(std::string(pattern) + " (in memory)");
}

void BM_GrepFixed(benchmark::State& state) {
  const Corpus& corpus = GetCorpus();
  const std::string word = static_cast<int>(state.range(0)) == 0 ? "quagga" : "teatest";
  const std::string command = "grep -F -c " + word + " '" + corpus.dir + "'/*.txt > /dev/null";
  if (std::system("command -v grep > /dev/null") != 0) {
    state.SkipWithError("grep not found");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(std::system(command.c_str()));
  state.SetBytesProcessed(state.iterations() * corpus.bytes);
  state.SetLabel("grep -F -c " + word);
}

void RegisterAll() {
  for (ScanKernel kernel : {ScanKernel::Auto, ScanKernel::Avx2, ScanKernel::Sse2, ScanKernel::Scalar}) {
    if (!plinvaro::KernelAvailable(kernel)) continue;
    benchmark::RegisterBenchmark((std::string("Scan/") + plinvaro::KernelName(kernel)).c_str(),
                                 BM_Scan, kernel)
        ->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
  }
  benchmark::RegisterBenchmark("ReferenceScan", BM_ReferenceScan)
      ->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
  benchmark::RegisterBenchmark("GrepFixed", BM_GrepFixed)
      ->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RegisterAll();
  std::fprintf(stderr, "corpus: %s, %lld bytes in %d files\n", GetCorpus().dir.c_str(),
               static_cast<long long>(GetCorpus().bytes), kFiles);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
