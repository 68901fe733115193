// Measures the Win32 face in its real window (under Wine, or on Windows): playback ticks against a 10 MB source box, with and without their repaint.
//
// The source box size can be changed with PLINVARO_BENCH_SOURCE_MB, the number
// of ticks with PLINVARO_BENCH_TICKS.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "TempDir.h"
#include "text/AnsiConversion.h"
#include "win32/MainWindow.h"
#include "../TickStats.h"

namespace {

using plinvaro::bench::Clock;
using plinvaro::bench::EnvNumber;
using plinvaro::bench::MsSince;

// English-like lines of about 70 bytes from a fixed word list and seed, with CR LF line ends.
std::string MakeText(std::size_t bytes, std::uint32_t seed) {
  static const char* const kWords[] = {"the",   "harbour", "light", "over",   "water", "and",
                                       "a",     "gull",    "turned", "slowly", "old",  "road",
                                       "where", "she",     "walked", "down",   "in",   "rain"};
  std::string text;
  text.reserve(bytes + 16);
  std::uint32_t state = seed;
  std::size_t lineStart = 0;
  while (text.size() < bytes) {
    state = state * 1664525u + 1013904223u;
    text += kWords[(state >> 16) % (sizeof(kWords) / sizeof(kWords[0]))];
    if (text.size() - lineStart > 70) {
      text += "\r\n";
      lineStart = text.size();
    } else {
      text += ' ';
    }
  }
  text.resize(bytes);
  return text;
}

using plinvaro::bench::Stats;
using plinvaro::bench::Summarise;

void PumpMessages() {
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

}  // namespace

int main() {
  using namespace plinvaro;
  win32::CreateApplication(::GetModuleHandleA(nullptr), true);
  PumpMessages();
  win32::PanelWindow& face = *win32::App().panel;
  MainPanel& panel = face.panel();
  win32::RichEditDocument& box = face.sourceBox();

  const int sourceMb = EnvNumber("PLINVARO_BENCH_SOURCE_MB", 10);
  const int ticks = EnvNumber("PLINVARO_BENCH_TICKS", 300);
  const std::string filler = MakeText(static_cast<std::size_t>(sourceMb) * 1000 * 1000, 1);
  const auto fillStart = Clock::now();
  constexpr std::size_t kChunk = 64 * 1024;
  for (std::size_t at = 0; at < filler.size(); at += kChunk) {
    const std::string chunk = filler.substr(at, kChunk);
    const auto n = static_cast<std::int32_t>(chunk.size());
    box.ReplaceSelection(AnsiToWide(reinterpret_cast<const unsigned char*>(chunk.data()), n), n);
  }
  PumpMessages();
  const double fillMs = MsSince(fillStart);

  testing::TempDir dir;
  panel.OpenBaseFilePath(dir.Write("base.txt", MakeText(2 * 1000 * 1000, 2)));
  panel.StartPlayback();
  ::KillTimer(face.Window(ControlId::Panel), panel.playbackTimerId());  // ticks are delivered here, one by one
  std::vector<double> tickOnly;
  std::vector<double> tickAndPaint;
  for (int i = 0; i < ticks; ++i) {
    const auto start = Clock::now();
    panel.PlaybackTick();
    tickOnly.push_back(MsSince(start));
    ::UpdateWindow(box.control());  // the repaint the tick asked for
    PumpMessages();
    tickAndPaint.push_back(MsSince(start));
  }
  const Stats tick = Summarise(tickOnly);
  const Stats painted = Summarise(tickAndPaint);
  std::printf("source box of %d MB (%d UTF-16 units) filled in %.0f ms (64 KB chunks)\n",
              sourceMb, box.Length(), fillMs);
  std::printf("playback tick, %d ticks:   median %.3f ms, p95 %.3f ms, max %.3f ms\n", ticks,
              tick.median, tick.p95, tick.max);
  std::printf("tick with its repaint:      median %.3f ms, p95 %.3f ms, max %.3f ms\n",
              painted.median, painted.p95, painted.max);
  ::DestroyWindow(win32::App().mainWindow);
  return 0;
}
