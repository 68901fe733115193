// SearchWorker: runs a Search's scan on a worker thread while the window keeps answering, and routes commands around it.
//
// The controller prepares the search and applies it on the GUI thread; only
// MainPanel::ScanRequest runs on the worker, into a searcher this object
// owns. While it runs, the source box and the directory box are read-only,
// playback ticks are skipped, the progress shows in the status line after
// kSearchProgressDelay ms, Esc or Stop cancels, and commands are run, held,
// refused or turned into a cancel by the gate (desktop/SearchGate.h). Refers to the panel and
// the controls, which must outlive it; the destructor cancels and joins.
#pragma once

#include <QObject>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "panel/MainPanel.h"
#include "desktop/SearchGate.h"
#include "search/TextSearcher.h"

namespace plinvaro::qt {

class PanelWidgets;

class SearchWorker : public QObject {
 public:
  // `showStatus` puts a text (8-bit) into the status line.
  SearchWorker(MainPanel& panel, PanelWidgets& controls,
               std::function<void(const std::string&)> showStatus);
  ~SearchWorker() override;
  SearchWorker(const SearchWorker&) = delete;
  SearchWorker& operator=(const SearchWorker&) = delete;

  // The Search command: prepares it on this thread and starts the scan; a
  // Search with nothing to scan is finished at once.
  void StartSearch();
  // Ends a running search without changing anything; drops the held commands.
  void Cancel();
  bool IsRunning() const { return running_; }
  // Runs `action`, which does `command`, now or after the search, or cancels, as the gate rules.
  WhileSearching Route(Command command, std::function<void()> action);
  // A change of the source or the directory box: now, or after the search.
  WhileSearching RouteChange(std::function<void()> change);
  std::size_t WaitingCount() const { return static_cast<std::size_t>(gate_.waitingCount()); }

  // Test seam: runs on the worker after each progress report of the scan.
  void SetScanHook(std::function<void(const ScanProgress&)> hook) { scanHook_ = std::move(hook); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Scan();             // the worker thread's body
  void Done();             // back on the GUI thread
  void SetBoxesReadOnly(bool readOnly);
  void ShowProgress();
  void Join();

  MainPanel& panel_;
  PanelWidgets& controls_;
  std::function<void(const std::string&)> showStatus_;
  std::function<void(const ScanProgress&)> scanHook_;
  std::optional<SearchRequest> request_;
  TextSearcher scanned_;  // the worker's while it runs
  std::thread thread_;
  std::atomic<bool> cancel_{false};
  bool running_ = false;
  SearchGate gate_;
  QTimer progressTimer_;
  std::atomic<std::int32_t> filesDone_{0};
  std::atomic<std::int32_t> filesListed_{0};
  std::atomic<std::int64_t> bytesDone_{0};
  std::atomic<std::int64_t> bytesTotal_{0};
  bool sourceWasReadOnly_ = false;
  bool directoryWasReadOnly_ = false;
};

}  // namespace plinvaro::qt
