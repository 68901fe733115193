// Scan benchmark: the side-by-side speed table, then per-kernel throughput (in case and regardless of it) against the plain oracle and grep -F.
//
// The corpora (BenchCorpus.h) are made once from the words of samples/ and
// kept in the temporary directory. The patterns' last words never occur in
// them, so every scan runs to the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchCorpus.h"
#include "ReferenceScan.h"
#include "SpeedTable.h"
#include "TempDir.h"
#include "search/TextSearcher.h"

namespace {

using plinvaro::ScanKernel;
using plinvaro::TextSearcher;
using plinvaro::bench::Corpus;

const Corpus& GetCorpus() {
  static const Corpus& corpus = [] () -> const Corpus& {
    plinvaro::bench::WarmUp(plinvaro::bench::MainCorpus());
    return plinvaro::bench::MainCorpus();
  }();
  return corpus;
}

// Patterns whose last word never occurs: a rare-letter word and a common-letter one.
const char* PatternFor(int which) { return which == 0 ? "zebra quagga" : "no teatest"; }

// range(0): the pattern; range(1): 1 for the search regardless of case.
void BM_Scan(benchmark::State& state, ScanKernel kernel) {
  const Corpus& corpus = GetCorpus();
  const std::string pattern = PatternFor(static_cast<int>(state.range(0)));
  const bool anyCase = state.range(1) != 0;
  TextSearcher searcher;
  searcher.SetScanKernel(kernel);
  searcher.SetMatchCase(!anyCase);
  for (auto _ : state) {
    searcher.ClearResults();
    searcher.EnumerateFiles(corpus.dir, pattern);
    if (searcher.PartCount() != 0) state.SkipWithError("pattern was found");
  }
  state.SetBytesProcessed(state.iterations() * corpus.bytes);
  state.SetLabel(pattern + (anyCase ? " (any case)" : ""));
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
        ->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
  }
  benchmark::RegisterBenchmark("ReferenceScan", BM_ReferenceScan)
      ->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
  benchmark::RegisterBenchmark("GrepFixed", BM_GrepFixed)
      ->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
}

}  // namespace

int main(int argc, char** argv) {
  // --table-only prints the speed table and skips the per-kernel runs.
  bool tableOnly = false;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) != "--table-only") continue;
    tableOnly = true;
    for (int j = i; j + 1 < argc; ++j) argv[j] = argv[j + 1];
    --argc;
    break;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const bool withinMemory = plinvaro::bench::PrintSpeedTable();
  if (!tableOnly) {
    RegisterAll();
    std::fprintf(stderr, "corpus: %s, %lld bytes in %zu files\n", GetCorpus().dir.c_str(),
                 static_cast<long long>(GetCorpus().bytes), GetCorpus().paths.size());
    benchmark::RunSpecifiedBenchmarks();
  }
  benchmark::Shutdown();
  return withinMemory ? 0 : 1;
}
