// Measures giant chunks in the real Qt window: the tick that inserts a 20 MB or 50 MB word, wrapping, idle CPU afterwards, removing it with Select All and Delete, and peak memory of playback and Accept.
//
// Run with QT_QPA_PLATFORM=offscreen where there is no display. Memory is the
// growth of the peak resident set (VmHWM after resetting it) over the resident
// set before the command, as a multiple of the file's size.
#include <Qsci/qsciscintilla.h>
#include <malloc.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <functional>
#include <memory>
#include <string>

#include "../GiantChunk.h"
#include "../PeakMemory.h"
#include "TempDir.h"
#include "UserState.h"
#include "qt/MainWindow.h"
#include "qt/ProvenanceFace.h"

namespace {

using plinvaro::bench::PeakGrowth;
using Clock = std::chrono::steady_clock;
using Sci = QsciScintillaBase;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Processor time this process used so far (user and system), in seconds.
double CpuSeconds() {
  std::ifstream in("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // After the command name's closing parenthesis come the state (field 3) and
  // the numbers; utime and stime are fields 14 and 15.
  const std::size_t at = stat.rfind(')');
  if (at == std::string::npos) return 0;
  std::istringstream fields(stat.substr(at + 2));
  std::string field;
  unsigned long long utime = 0, stime = 0;
  for (int number = 3; number <= 15 && fields >> field; ++number) {
    if (number == 14) utime = std::stoull(field);
    if (number == 15) stime = std::stoull(field);
  }
  return static_cast<double>(utime + stime) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

struct Idle {
  double cpu = 0;        // the share of one processor the program used, worker threads included
  double longestMs = 0;  // the longest turn of the event loop: how long the window kept a key waiting
};

// Runs the event loop for `seconds`.
Idle WhileIdle(double seconds) {
  const double cpuBefore = CpuSeconds();
  QElapsedTimer wall;
  wall.start();
  Idle idle;
  while (wall.elapsed() < seconds * 1000) {
    const auto turn = Clock::now();
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    idle.longestMs = std::max(idle.longestMs, MsSince(turn));
    ::usleep(5000);
  }
  idle.cpu = (CpuSeconds() - cpuBefore) / (static_cast<double>(wall.elapsed()) / 1000.0);
  return idle;
}

void ReportLayout(plinvaro::qt::MainWindow& window) {
  QsciScintilla* box = window.controls().sourceBox().widget();
  const long sublines = box->SendScintilla(Sci::SCI_WRAPCOUNT, 0UL);
  const long length = box->SendScintilla(Sci::SCI_GETLENGTH);
  // The right end of the text near the caret, against the text area's width.
  long widest = 0;
  for (long at = std::max(0L, length - 5000); at <= length; ++at)
    widest = std::max(widest, box->SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, at));
  std::printf("  wrapped into %ld display lines; text area %d px wide, text reaches x = %ld px; "
              "vertical scroll range %d\n",
              sublines, box->viewport()->width(), widest, box->verticalScrollBar()->maximum());
}

void GiantTick(const std::string& what, std::size_t bytes, plinvaro::testing::TempDir& dir) {
  const std::string path = dir.Write("giant.txt", plinvaro::bench::GiantWord(bytes) + " end");
  auto window = std::make_unique<plinvaro::qt::MainWindow>();
  window->show();
  QApplication::processEvents();
  double tickMs = 0;
  const std::int64_t peak = PeakGrowth([&] {
    window->panel().OpenBaseFilePath(path);
    window->panel().StartPlayback();
    window->timer().Kill(window->panel().playbackTimerId());
    const auto start = Clock::now();
    window->panel().PlaybackTick();
    QApplication::processEvents();
    tickMs = MsSince(start);
  });
  std::printf("%s: the tick inserting it, with its repaint: %.0f ms; peak memory %.2fx the file\n",
              what.c_str(), tickMs, static_cast<double>(peak) / static_cast<double>(bytes));
  // The word after it lands on the same line, which the box lays out again.
  const auto next = Clock::now();
  window->panel().PlaybackTick();
  QApplication::processEvents();
  std::printf("  the next word, on the same line, with its repaint: %.0f ms\n", MsSince(next));
  // The recovery copy of the text is written meanwhile, on a worker.
  const Idle first = WhileIdle(1.0);
  const Idle second = WhileIdle(1.0);
  const Idle rest = WhileIdle(2.0);
  std::printf("  idle CPU afterwards: %.0f%% in the 1st second, %.0f%% in the 2nd, %.0f%% in the 3rd and 4th\n",
              first.cpu * 100, second.cpu * 100, rest.cpu * 100);
  std::printf("  the longest wait for the event loop meanwhile: %.0f ms\n",
              std::max({first.longestMs, second.longestMs, rest.longestMs}));
  ReportLayout(*window);
  // The seam marks drawn anew (tint off, then on), each with its repaint.
  QAction* tint = plinvaro::qt::ProvenanceFaceOf(*window)->action(plinvaro::Command::ToggleTint);
  double marksMs = 0;
  for (int i = 0; i < 2; ++i) {
    const auto start = Clock::now();
    tint->trigger();
    window->controls().sourceBox().widget()->viewport()->repaint();
    marksMs = std::max(marksMs, MsSince(start));
  }
  std::printf("  seam marks drawn anew, with the repaint: %.0f ms\n", marksMs);
  // A repaint after scrolling to the end: the layout is cached, not redone.
  const auto start = Clock::now();
  window->controls().sourceBox().ScrollToBottom();
  window->controls().sourceBox().widget()->viewport()->repaint();
  std::printf("  scroll to the end and repaint: %.0f ms\n", MsSince(start));
  // Select All, then Delete, as keys to the box, with the repaint.
  QsciScintilla* box = window->controls().sourceBox().widget();
  const auto removal = Clock::now();
  for (const Qt::Key key : {Qt::Key_A, Qt::Key_Delete}) {
    QKeyEvent press(QEvent::KeyPress, key, key == Qt::Key_A ? Qt::ControlModifier : Qt::NoModifier);
    QApplication::sendEvent(box, &press);
  }
  box->viewport()->repaint();
  std::printf("  Select All and Delete, with the repaint: %.0f ms; %d bytes left\n", MsSince(removal),
              window->controls().sourceBox().Length());
}

void GiantAccept(std::size_t bytes, plinvaro::testing::TempDir& dir) {
  const std::string folder = dir.MakeSubdir("giant-corpus");
  dir.Write("giant-corpus/giant.txt", plinvaro::bench::GiantPartFile(bytes));
  auto window = std::make_unique<plinvaro::qt::MainWindow>();
  window->show();
  QApplication::processEvents();
  plinvaro::MainPanel& panel = window->panel();
  if (!plinvaro::bench::ShowGiantPart(panel, window->controls(), window->controls().sourceBox(), folder))
    return;
  QApplication::processEvents();
  double acceptMs = 0;
  const std::int64_t peak = PeakGrowth([&] {
    const auto start = Clock::now();
    panel.AcceptPart();
    QApplication::processEvents();
    acceptMs = MsSince(start);
  });
  std::printf("Accept of a %zu MB part: %.0f ms with its repaint; peak memory %.2fx the file\n",
              bytes / 1000000, acceptMs, static_cast<double>(peak) / static_cast<double>(bytes));
}

int EnvMb(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  plinvaro::testing::TempDir dir;
  plinvaro::bench::KeepUserStateIn(dir);
  const auto mb = [](int n) { return static_cast<std::size_t>(n) * 1000 * 1000; };
  const int wordMb = EnvMb("PLINVARO_BENCH_WORD_MB", 20);
  const int lineMb = EnvMb("PLINVARO_BENCH_LINE_MB", 50);
  GiantTick("a " + std::to_string(wordMb) + " MB word", mb(wordMb), dir);
  GiantTick("a " + std::to_string(lineMb) + " MB file that is one line", mb(lineMb), dir);
  GiantAccept(mb(lineMb), dir);
  return 0;
}
