// Measures what provenance costs a playback tick in the real window: a 10 MB source box, tracking off and on in alternating rounds.
//
// "On" is the whole of it: the box's change notifications, the map, and the
// seam marks redrawn after every tick (the window itself redraws them at most
// four times a second). Run with QT_QPA_PLATFORM=offscreen where there is no
// display; PLINVARO_BENCH_SOURCE_MB changes the box's size.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "TempDir.h"
#include "UserState.h"
#include "qt/MainWindow.h"
#include "qt/ProvenanceFace.h"
#include "text/AnsiConversion.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRounds = 4;
constexpr int kTicksPerRound = 250;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Words with spaces and line ends, the same every run.
std::string MakeText(std::size_t bytes, std::uint32_t seed) {
  static const char* const kWords[] = {"the", "harbour", "light", "over", "water", "and", "a",
                                       "gull", "turned", "slowly", "towards", "old", "road"};
  std::string text;
  std::uint32_t state = seed;
  while (text.size() < bytes) {
    state = state * 1664525u + 1013904223u;
    text += kWords[(state >> 16) % (sizeof(kWords) / sizeof(kWords[0]))];
    text += (state & 0xF) == 0 ? "\r\n" : " ";
  }
  text.resize(bytes);
  return text;
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

// One round of ticks, each with the repaint it asks for; the tick times in ms.
std::vector<double> Round(plinvaro::qt::MainWindow& window, plinvaro::qt::ProvenanceFace& face,
                          bool tracking) {
  face.SetTracking(tracking);
  std::vector<double> samples;
  for (int i = 0; i < kTicksPerRound; ++i) {
    const auto start = Clock::now();
    window.panel().PlaybackTick();
    if (tracking) face.Refresh();
    QApplication::processEvents();
    samples.push_back(MsSince(start));
  }
  return samples;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  plinvaro::testing::TempDir dir;
  plinvaro::bench::KeepUserStateIn(dir);
  plinvaro::qt::MainWindow window;
  window.show();
  QApplication::processEvents();
  plinvaro::qt::ProvenanceFace* face = plinvaro::qt::ProvenanceFaceOf(window);
  if (face == nullptr) return 1;

  const char* mbText = std::getenv("PLINVARO_BENCH_SOURCE_MB");
  const int sourceMb = mbText != nullptr && std::atoi(mbText) > 0 ? std::atoi(mbText) : 10;
  const std::string filler = MakeText(static_cast<std::size_t>(sourceMb) * 1000 * 1000, 1);
  auto& box = window.controls().sourceBox();
  constexpr std::size_t kChunk = 64 * 1024;
  for (std::size_t at = 0; at < filler.size(); at += kChunk) {
    const std::string chunk = filler.substr(at, kChunk);
    box.ReplaceSelection(plinvaro::AnsiToWide(reinterpret_cast<const unsigned char*>(chunk.data()),
                                              static_cast<std::int32_t>(chunk.size())),
                         static_cast<std::int32_t>(chunk.size()));
  }
  QApplication::processEvents();
  window.panel().OpenBaseFilePath(dir.Write("base.txt", MakeText(2 * 1000 * 1000, 2)));
  window.panel().StartPlayback();
  window.timer().Kill(window.panel().playbackTimerId());  // ticks are delivered here, one by one

  std::vector<double> off, on;
  for (int round = 0; round < kRounds; ++round) {
    for (const bool tracking : {false, true}) {
      const std::vector<double> samples = Round(window, *face, tracking);
      (tracking ? on : off).insert((tracking ? on : off).end(), samples.begin(), samples.end());
    }
  }
  const double offMs = Median(off);
  const double onMs = Median(on);
  std::printf("source box of %d MB, %d ticks each way, with repaint\n", sourceMb,
              kRounds * kTicksPerRound);
  std::printf("provenance off: median %.3f ms per tick\n", offMs);
  std::printf("provenance on:  median %.3f ms per tick (%+.1f %%)\n", onMs,
              (onMs - offMs) / offMs * 100);
  std::printf("spans in the map: %zu\n", window.panel().provenance().spans().size());
  return 0;
}
