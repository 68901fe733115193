// Provenance benchmark: the controller's playback tick on the in-memory platform with 10 MB in the source box, with the map following it and without.
//
// Without: the box says it reports no edits, so the map is one unknown span
// reset at each change. With: the map follows every chunk and a join's range
// grows with it. The difference is the core's whole share of a tick.
#include <benchmark/benchmark.h>

#include <string>

#include "TempDir.h"
#include "headless/HeadlessPlatform.h"
#include "panel/MainPanel.h"

namespace {

constexpr std::size_t kSourceBytes = 10 * 1000 * 1000;

std::string Words(std::size_t bytes) {
  std::string text;
  while (text.size() < bytes) text += "the old road went on past the mill ";
  text.resize(bytes);
  return text;
}

void BM_Tick(benchmark::State& state) {
  const bool tracking = state.range(0) != 0;
  plinvaro::testing::TempDir dir;
  const std::string base = dir.Write("base.txt", Words(4 * 1000 * 1000));
  plinvaro::headless::HeadlessPlatform face;
  plinvaro::MainPanel panel(face.platform());
  face.sourceBox.SetReportsUserChanges(tracking);
  const std::string filler = Words(kSourceBytes);
  face.sourceBox.SetText(std::u16string(filler.begin(), filler.end()));
  panel.OpenBaseFilePath(base);
  panel.StartPlayback();
  for (auto _ : state) {
    if (panel.base().IsUsedUp()) {
      state.PauseTiming();
      panel.StopPlayback();
      panel.StartPlayback();
      state.ResumeTiming();
    }
    panel.PlaybackTick();
  }
  state.counters["spans"] = static_cast<double>(panel.provenance().spans().size());
}
BENCHMARK(BM_Tick)->Arg(0)->Arg(1)->ArgNames({"provenance"})->Iterations(200000);

}  // namespace

BENCHMARK_MAIN();
