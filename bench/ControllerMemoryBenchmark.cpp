// Peak memory of the controller on the in-memory platform: the tick that plays a 50 MB word, and Accept of a 50 MB part.
//
// Each figure is the growth of the peak resident set, file pages included,
// over the resident set before the command, as a multiple of the file's size.
// "Open..." and Start are measured on their own: the source keeps its own copy of the file.
// Sizes: PLINVARO_BENCH_LINE_MB (default 50).
#include <cstdint>
#include <cstdio>
#include <string>

#include "GiantChunk.h"
#include "PeakMemory.h"
#include "TempDir.h"
#include "TickStats.h"
#include "headless/HeadlessPlatform.h"
#include "panel/MainPanel.h"

namespace {

using plinvaro::bench::PeakGrowth;

double Times(std::int64_t growth, std::size_t bytes) {
  return static_cast<double>(growth) / static_cast<double>(bytes);
}

void GiantTick(std::size_t bytes, plinvaro::testing::TempDir& dir) {
  const std::string path = dir.Write("giant.txt", plinvaro::bench::GiantWord(bytes) + " end");
  plinvaro::headless::HeadlessPlatform face;
  plinvaro::MainPanel panel(face.platform());
  face.sourceBox.SetReportsUserChanges(true);
  // Start opens the base file: the source keeps its own copy of it.
  const std::int64_t opened = PeakGrowth([&] {
    panel.OpenBaseFilePath(path);
    panel.StartPlayback();
  });
  const std::int64_t ticked = PeakGrowth([&] { panel.PlaybackTick(); });
  std::printf("the tick playing a %zu MB word: peak %.2fx the file; \"Open...\" and Start before it "
              "%.2fx (the source's copy of the file)\n",
              bytes / 1000000, Times(ticked, bytes), Times(opened, bytes));
}

void GiantAccept(std::size_t bytes, plinvaro::testing::TempDir& dir) {
  const std::string folder = dir.MakeSubdir("giant-corpus");
  dir.Write("giant-corpus/giant.txt", plinvaro::bench::GiantPartFile(bytes));
  plinvaro::headless::HeadlessPlatform face;
  plinvaro::MainPanel panel(face.platform());
  face.sourceBox.SetReportsUserChanges(true);
  if (!plinvaro::bench::ShowGiantPart(panel, face.controls, face.sourceBox, folder)) return;
  const std::int64_t peak = PeakGrowth([&] { panel.AcceptPart(); });
  std::printf("Accept of a %zu MB part shown whole: peak %.2fx the file\n", bytes / 1000000,
              Times(peak, bytes));
}

}  // namespace

int main() {
  plinvaro::testing::TempDir dir;
  const auto bytes = static_cast<std::size_t>(plinvaro::bench::EnvNumber("PLINVARO_BENCH_LINE_MB", 50)) * 1000 * 1000;
  GiantTick(bytes, dir);
  GiantAccept(bytes, dir);
  return 0;
}
