// Measures the Qt face in its real window: playback ticks against a 10 MB source box, and one search plus jump over a 250 MB folder.
//
// Run with QT_QPA_PLATFORM=offscreen where there is no display. Sizes can be
// changed with PLINVARO_BENCH_SOURCE_MB and PLINVARO_BENCH_FOLDER_MB.
#include <QApplication>
#include <Qsci/qsciscintilla.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "TempDir.h"
#include "UserState.h"
#include "window/ControlTable.h"
#include "qt/MainWindow.h"
#include "text/AnsiConversion.h"
#include "../TickStats.h"

namespace {

using plinvaro::ControlId;
using plinvaro::bench::Clock;
using plinvaro::bench::MsSince;
// Megabytes from the environment.
const auto EnvMb = plinvaro::bench::EnvNumber;

// English-like text from a fixed word list and a fixed seed, with CR LF line ends.
std::string MakeText(std::size_t bytes, std::uint32_t seed) {
  static const char* const kWords[] = {
      "the", "harbour", "light", "over", "water", "and", "a", "gull", "turned", "slowly",
      "towards", "old", "road", "where", "she", "walked", "down", "in", "winter", "rain",
      "lamps", "of", "town", "went", "out", "one", "by", "market", "orchard", "letters"};
  std::string text;
  text.reserve(bytes + 16);
  std::uint32_t state = seed;
  int column = 0;
  while (text.size() < bytes) {
    state = state * 1664525u + 1013904223u;
    const char* word = kWords[(state >> 16) % (sizeof(kWords) / sizeof(kWords[0]))];
    text += word;
    column += static_cast<int>(std::char_traits<char>::length(word)) + 1;
    if (column > 70) {
      text += "\r\n";
      column = 0;
    } else {
      text += ' ';
    }
  }
  text.resize(bytes);
  return text;
}

using plinvaro::bench::Stats;
using plinvaro::bench::Summarise;

// 2000 ticks delivered one by one, each followed by the event-loop pass that repaints.
void TickRound(plinvaro::qt::MainWindow& window, const char* when) {
  constexpr int kTicks = 2000;
  std::vector<double> tickOnly;
  std::vector<double> tickAndPaint;
  for (int i = 0; i < kTicks; ++i) {
    const auto start = Clock::now();
    window.panel().PlaybackTick();
    tickOnly.push_back(MsSince(start));
    QApplication::processEvents();  // the repaint the tick asked for
    tickAndPaint.push_back(MsSince(start));
  }
  const Stats tick = Summarise(tickOnly);
  const Stats painted = Summarise(tickAndPaint);
  std::printf("%d ticks %s:\n", kTicks, when);
  std::printf("  playback tick:             median %.3f ms, p95 %.3f ms, max %.3f ms\n",
              tick.median, tick.p95, tick.max);
  std::printf("  playback tick with repaint: median %.3f ms, p95 %.3f ms, max %.3f ms\n",
              painted.median, painted.p95, painted.max);
}

// Keys typed at the end of the source box, each followed by the event-loop pass and a repaint.
void KeyRound(plinvaro::qt::MainWindow& window) {
  constexpr int kKeys = 50;
  QsciScintilla* box = window.controls().sourceBox().widget();
  box->setFocus();
  std::vector<double> keys;
  for (int i = 0; i < kKeys; ++i) {
    const auto start = Clock::now();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(box, &press);
    QApplication::sendEvent(box, &release);
    QApplication::processEvents();
    box->viewport()->repaint();
    keys.push_back(MsSince(start));
  }
  const Stats typed = Summarise(keys);
  std::printf("%d keys typed at the end, each with its repaint: median %.2f ms, p95 %.2f ms, max %.2f ms\n",
              kKeys, typed.median, typed.p95, typed.max);
}

void PlaybackBenchmark(plinvaro::qt::MainWindow& window, plinvaro::testing::TempDir& dir) {
  const int sourceMb = EnvMb("PLINVARO_BENCH_SOURCE_MB", 10);
  const std::string filler = MakeText(static_cast<std::size_t>(sourceMb) * 1000 * 1000, 1);
  auto& box = window.controls().sourceBox();
  const auto fillStart = Clock::now();
  constexpr std::size_t kChunk = 64 * 1024;
  for (std::size_t at = 0; at < filler.size(); at += kChunk) {
    const std::string chunk = filler.substr(at, kChunk);
    box.ReplaceSelection(plinvaro::AnsiToWide(reinterpret_cast<const unsigned char*>(chunk.data()),
                                              static_cast<std::int32_t>(chunk.size())),
                         static_cast<std::int32_t>(chunk.size()));
  }
  const double fillMs = MsSince(fillStart);
  QApplication::processEvents();

  window.panel().OpenBaseFilePath(dir.Write("base.txt", MakeText(2 * 1000 * 1000, 2)));
  window.panel().StartPlayback();
  window.timer().Kill(window.panel().playbackTimerId());  // ticks are delivered here, one by one
  std::printf("source box of %d MB filled in %.0f ms (64 KB chunks)\n", sourceMb, fillMs);
  TickRound(window, "right after the fill");
  TickRound(window, "after those");
  KeyRound(window);
}

void SearchBenchmark(plinvaro::qt::MainWindow& window, plinvaro::testing::TempDir& dir) {
  const int folderMb = EnvMb("PLINVARO_BENCH_FOLDER_MB", 250);
  constexpr int kFiles = 50;
  const std::string folder = dir.MakeSubdir("corpus");
  const std::size_t fileBytes = static_cast<std::size_t>(folderMb) * 1000 * 1000 / kFiles;
  // The pattern's last word occurs once, in the middle file: every byte is scanned.
  constexpr const char* kRareWord = " windquill ";
  for (int i = 0; i < kFiles; ++i) {
    std::string text = MakeText(fileBytes, 100 + static_cast<std::uint32_t>(i));
    if (i == kFiles / 2) text.replace(text.size() / 2, 11, kRareWord);
    dir.Write("corpus/part" + std::to_string(i) + ".txt", text);
  }
  auto* edit = static_cast<QLineEdit*>(window.controls().widget(ControlId::DirEdit));
  edit->setText(QString::fromStdString(folder));
  window.panel().StopPlayback();
  auto& box = window.controls().sourceBox();
  const std::string tail = " she walked down the old road towards the harbour windquill ";
  box.SetSelection(box.Length(), box.Length());
  box.ReplaceSelection(plinvaro::AnsiToWide(reinterpret_cast<const unsigned char*>(tail.data()),
                                            static_cast<std::int32_t>(tail.size())),
                       static_cast<std::int32_t>(tail.size()));
  // A first pass brings the folder into the page cache, as a second search by the user would find it.
  window.panel().RunSearch();
  window.panel().PausePlayback();
  std::vector<double> runs;
  for (int i = 0; i < 5; ++i) {
    window.panel().BackToBase();
    window.panel().PausePlayback();
    const auto start = Clock::now();
    window.panel().RunSearch();  // search, pick, jump, title
    QApplication::processEvents();
    runs.push_back(MsSince(start));
    window.panel().PausePlayback();
  }
  const Stats search = Summarise(runs);
  std::printf("search and jump over %d MB in %d files: median %.0f ms, max %.0f ms (warm cache)\n",
              folderMb, kFiles, search.median, search.max);
  std::printf("found parts: %zu, title now: %s\n", static_cast<std::size_t>(window.panel().results().PartCount()),
              window.windowTitle().toStdString().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  plinvaro::testing::TempDir dir;
  plinvaro::bench::KeepUserStateIn(dir);
  plinvaro::qt::MainWindow window;
  window.show();
  QApplication::processEvents();
  PlaybackBenchmark(window, dir);
  SearchBenchmark(window, dir);
  return 0;
}
