// The Search on the worker thread: the window answers while a slowed scan runs, progress, cancel leaves all as it was, held commands, same results.
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include <Qsci/qsciscintilla.h>

#include "TempDir.h"
#include "window/ControlTable.h"
#include "desktop/SearchGate.h"
#include "qt/MainWindow.h"
#include "text/AnsiConversion.h"

using namespace plinvaro;
using plinvaro::qt::MainWindow;

namespace {

constexpr int kFiles = 12;
constexpr int kDelayPerFileMs = 60;  // the slowed scan takes about 0.7 s

// What a search may change, as the user sees it.
struct Visible {
  std::vector<std::pair<std::int32_t, std::int32_t>> parts;
  std::ptrdiff_t current = -1;
  std::string basePath;
  std::string foundPath;
  std::int32_t foundPosition = 0;
  PlaybackSource playing = PlaybackSource::None;
  QString title;
  bool operator==(const Visible&) const = default;
};

}  // namespace

class SearchWorkerTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::TempDir> dir_;
  std::unique_ptr<MainWindow> window_;

  MainPanel& Panel() { return window_->panel(); }
  QWidget* W(ControlId id) { return window_->controls().widget(id); }
  void Click(ControlId id) { QTest::mouseClick(W(id), Qt::LeftButton); }
  QString Status() { return window_->status().message(); }

  Visible Now() {
    Visible v;
    for (const auto& part : Panel().results().parts()) v.parts.push_back({part->matchLength, part->offset});
    v.current = Panel().CurrentPartIndex();
    v.basePath = Panel().base().path;
    v.foundPath = Panel().found().path;
    v.foundPosition = Panel().found().position;
    v.playing = Panel().playingFrom();
    v.title = window_->windowTitle();
    return v;
  }

  void TypePattern(const std::string& text) {
    auto& box = window_->controls().sourceBox();
    box.SetSelection(box.Length(), box.Length());
    box.ReplaceSelection(AnsiToWide(reinterpret_cast<const unsigned char*>(text.data()),
                                    static_cast<std::int32_t>(text.size())),
                         static_cast<std::int32_t>(text.size()));
  }

  void SlowTheScan() {
    window_->search().SetScanHook([](const ScanProgress&) {
      std::this_thread::sleep_for(std::chrono::milliseconds(kDelayPerFileMs));
    });
  }

 private slots:
  void init() {
    dir_ = std::make_unique<testing::TempDir>();
    const std::string corpus = dir_->MakeSubdir("corpus");
    for (int i = 0; i < kFiles; ++i)
      dir_->Write("corpus/f" + std::to_string(i) + ".txt",
                  "far down the old road " + std::to_string(i) + " and the old road again.\n");
    window_ = std::make_unique<MainWindow>();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    qobject_cast<QLineEdit*>(W(ControlId::DirEdit))->setText(QString::fromStdString(corpus));
    window_->controls().SetOnTheFlyChecked(false);
    TypePattern("along the old road");
  }
  void cleanup() {
    window_.reset();
    dir_.reset();
  }

  void theWindowAnswersWhileASlowSearchRunsAndShowsItsProgress() {
    SlowTheScan();
    int ticks = 0;  // a timer's ticks delivered by the event loop while the search runs
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
      if (window_->search().IsRunning()) ++ticks;
    });
    probe.start(10);
    Click(ControlId::SearchButton);
    QVERIFY(window_->search().IsRunning());
    QVERIFY(window_->controls().sourceBox().widget()->isReadOnly());
    QTRY_VERIFY_WITH_TIMEOUT(Status().startsWith("searching "), 2000);
    QVERIFY(Status().contains(QString("/%1 files").arg(kFiles)));
    QTRY_VERIFY_WITH_TIMEOUT(!window_->search().IsRunning(), 5000);
    probe.stop();
    QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
    QCOMPARE(Status(), QString("%1 parts in %2 files").arg(Panel().results().PartCount()).arg(kFiles));
    QVERIFY(!window_->controls().sourceBox().widget()->isReadOnly());
  }

  void theWorkersResultsAreTheSynchronousOnes() {
    Click(ControlId::SearchButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window_->search().IsRunning(), 5000);
    const std::vector<std::pair<std::int32_t, std::int32_t>> onWorker = Now().parts;
    const std::string pattern = Panel().pattern();
    QVERIFY(!onWorker.empty());
    window_->controls().sourceBox().Clear();
    TypePattern(pattern);  // the same text before the caret again
    Panel().RunSearch();
    QVERIFY(Panel().pattern() == pattern);
    QVERIFY(Now().parts == onWorker);
  }

  void escapeCancelsAndNothingChanges() {
    Panel().RunSearch();  // parts, a current part and a found source to keep
    Panel().ShowPartAt(0);
    Panel().NextPart();
    const Visible before = Now();
    QVERIFY(before.current == 1);
    SlowTheScan();
    Click(ControlId::SearchButton);
    QVERIFY(window_->search().IsRunning());
    QTest::qWait(kDelayPerFileMs * 2);
    QTest::keyClick(window_->windowHandle(), Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!window_->search().IsRunning(), 2000);
    QCOMPARE(Status(), QString(kSearchCancelledText));
    QVERIFY(Now() == before);
    QVERIFY(!window_->controls().sourceBox().widget()->isReadOnly());
    QVERIFY(!qobject_cast<QLineEdit*>(W(ControlId::DirEdit))->isReadOnly());
  }

  // Stop once the scan has ended but before the event loop applies its results.
  void aCancelAfterTheScanEndedStillChangesNothing() {
    const Visible before = Now();
    std::atomic<bool> scanned{false};
    window_->search().SetScanHook([&](const ScanProgress& p) {
      if (p.filesDone == p.filesListed) scanned = true;
    });
    Click(ControlId::SearchButton);
    for (int ms = 0; ms < 5000 && !scanned; ++ms)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    QVERIFY(scanned);
    // No events run here: the worker returns and its results wait in the queue.
    std::this_thread::sleep_for(std::chrono::milliseconds(kDelayPerFileMs * 3));
    QVERIFY(window_->search().IsRunning());
    Click(ControlId::StopButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window_->search().IsRunning(), 2000);
    QCOMPARE(Status(), QString(kSearchCancelledText));
    QVERIFY(Now() == before);
  }

  void startWaitsForTheSearchAndStopCancelsItWithWhatWaited() {
    Panel().OpenBaseFilePath(dir_->Write("base.txt", "a base text to play"));
    SlowTheScan();
    Click(ControlId::SearchButton);
    Click(ControlId::StartButton);
    QCOMPARE(window_->search().WaitingCount(), std::size_t{1});
    QVERIFY(!Panel().playing());
    QTRY_VERIFY_WITH_TIMEOUT(Status().endsWith("; 1 command waits"), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(!window_->search().IsRunning(), 5000);
    QVERIFY(Panel().playing());  // Start ran after the search, on the found part
    QCOMPARE(Panel().playingFrom(), PlaybackSource::Found);

    Click(ControlId::PauseButton);
    const Visible before = Now();
    Click(ControlId::SearchButton);
    Click(ControlId::StartButton);
    Click(ControlId::StopButton);  // cancels the search; the held Start is dropped
    QTRY_VERIFY_WITH_TIMEOUT(!window_->search().IsRunning(), 2000);
    QCOMPARE(window_->search().WaitingCount(), std::size_t{0});
    QVERIFY(!Panel().playing());
    QVERIFY(Now() == before);
  }
};

QTEST_MAIN(SearchWorkerTest)
#include "SearchWorkerTest.moc"
