// Ordered scan of a file list: a helper thread claims files ahead, the calling thread commits in order.
//
// Files are claimed one at a time from a shared counter by both threads and
// each result waits in its slot until every earlier file is committed. On
// Windows (whose 32-bit MinGW build has no std::thread) everything runs on the
// calling thread and FileView, which maps the file there, supplies the bytes.
#include "search/FileScan.h"

#include <atomic>

#include "text/FileAccess.h"
#include "text/OutOfMemory.h"

#ifndef _WIN32
#include <condition_variable>
#include <mutex>
#include <thread>
#endif

namespace plinvaro {
namespace {

#ifdef _WIN32

void ScanFile(FileView& view, const std::string& path, const ByteScan& scan, std::size_t limit,
              FileScanResult& result) {
  result.openError = view.Open(path);
  if (result.openError != FileOpenError::Ok) return;
  result.fileSize = view.size();
  scan(view.data(), view.size(), limit, result.hits);
  view.Close();
}

#else

// Bytes held by each of the two threads, so that together they never exceed
// the larger one plus kScanMemorySlack.
class MemoryBudget {
 public:
  void Acquire(int slot, std::int64_t bytes, std::mutex& m, std::condition_variable& cv) {
    std::unique_lock<std::mutex> lock(m);
    cv.wait(lock, [&] { return bytes <= kScanMemorySlack || held_[1 - slot] <= kScanMemorySlack; });
    held_[slot] = bytes;
  }
  void Release(int slot, std::mutex& m, std::condition_variable& cv) {
    {
      std::lock_guard<std::mutex> lock(m);
      held_[slot] = 0;
    }
    cv.notify_all();
  }

 private:
  std::int64_t held_[2] = {0, 0};
};

class OrderedScan {
 public:
  OrderedScan(const std::vector<std::string>& paths, std::int32_t mapFromBytes,
              std::size_t wanted, const ByteScan& scan, const CommitFile& commit)
      : paths_(paths), mapFromBytes_(mapFromBytes), scan_(scan), commit_(commit),
        results_(paths.size()),
        done_(paths.size(), 0), wanted_(wanted) {}

  void Run(bool withHelper) {
    std::thread helper;
    if (withHelper) {
      try {
        helper = std::thread([this] { Work(1); });
      } catch (...) {
        // No thread to be had: the calling thread does it all.
      }
    }
    try {
      Work(0);
      CommitRemaining();
    } catch (...) {
      // A commit that throws ends the scan; the helper is joined first.
      stop_ = true;
      if (helper.joinable()) helper.join();
      throw;
    }
    stop_ = true;
    if (helper.joinable()) helper.join();
  }

 private:
  std::int32_t Count() const { return static_cast<std::int32_t>(paths_.size()); }

  // Claims and scans files until none are left; the calling thread (slot 0)
  // also commits whatever is ready after each of its files.
  void Work(int slot) {
    while (!stop_) {
      const std::int32_t f = next_.fetch_add(1);
      if (f >= Count()) return;
      const auto at = static_cast<std::size_t>(f);
      ScanOne(slot, at, results_[at], false);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        done_[at] = 1;
      }
      cv_.notify_all();
      if (slot == 0) CommitReady();
    }
  }

  // Scans file `at` into `result`; false (and nothing done) when `onlySmall`
  // and the file is too large to hold beside the other thread's.
  bool ScanOne(int slot, std::size_t at, FileScanResult& result, bool onlySmall) {
    bool scanned = true;
    if (!TryWithMemory([&] { scanned = LoadAndScan(slot, at, result, onlySmall); })) {
      // No memory for the hits: the file counts as one that could not be had.
      result = FileScanResult{};
      result.openError = FileOpenError::CannotMap;
    }
    if (!scanned) return false;
    views_[slot].Close();
    budget_.Release(slot, mutex_, cv_);
    return true;
  }

  // ScanOne's work; false (view closed, no memory budget taken) when it may not be done.
  bool LoadAndScan(int slot, std::size_t at, FileScanResult& result, bool onlySmall) {
    PassView& view = views_[slot];
    const std::string& path = paths_[at];
    const std::size_t limit = wanted_.load();
    result.openError = view.Open(path);
    if (result.openError != FileOpenError::Ok) return true;
    if (onlySmall && view.size() > kScanMemorySlack) {
      view.Close();
      return false;
    }
    budget_.Acquire(slot, view.size(), mutex_, cv_);
    result.openError = view.Load(mapFromBytes_);
    if (result.openError != FileOpenError::Ok) return true;
    result.fileSize = view.size();
    scan_(view.data(), view.size(), limit, result.hits);
    const bool shrank = view.Shrank();
    view.Close();
    // The file shrank under the mapping: scan a stable copy of what is left.
    if (shrank) Rescan(path, limit, result);
    return true;
  }

  void Rescan(const std::string& path, std::size_t limit, FileScanResult& result) {
    result.hits.clear();
    result.fileSize = 0;
    FileView copy;
    result.openError = copy.Open(path);
    if (result.openError != FileOpenError::Ok) return;
    result.fileSize = copy.size();
    scan_(copy.data(), copy.size(), limit, result.hits);
  }

  // Hands file `at`'s result to the caller; the calling thread only.
  void CommitOne(std::size_t at, FileScanResult& result) {
    const std::size_t more = commit_(static_cast<std::int32_t>(at), result);
    std::lock_guard<std::mutex> lock(mutex_);
    ++committed_;
    wanted_ = more;
    if (more == 0) stop_ = true;
  }

  // Commits files in order while their results are there.
  void CommitReady() {
    for (;;) {
      std::size_t at;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (stop_ || committed_ >= Count()) return;
        at = static_cast<std::size_t>(committed_);
        if (done_[at] == 0) return;
      }
      CommitOne(at, results_[at]);
      results_[at] = FileScanResult{};
    }
  }

  // After the last claim: commits the rest in order. A file the helper is
  // still on is scanned here too, so that a helper the system has put aside
  // cannot hold the search up; either result is the file's.
  void CommitRemaining() {
    for (;;) {
      CommitReady();
      std::unique_lock<std::mutex> lock(mutex_);
      if (stop_ || committed_ >= Count()) return;
      const auto at = static_cast<std::size_t>(committed_);
      if (done_[at] != 0) continue;
      lock.unlock();
      FileScanResult own;
      if (ScanOne(0, at, own, true)) {
        CommitOne(at, own);
        continue;
      }
      lock.lock();
      cv_.wait(lock, [&] { return done_[at] != 0; });
    }
  }

  const std::vector<std::string>& paths_;
  const std::int32_t mapFromBytes_;
  const ByteScan& scan_;
  const CommitFile& commit_;
  std::vector<FileScanResult> results_;
  std::vector<char> done_;  // guarded by mutex_
  std::int32_t committed_ = 0;  // files committed; guarded by mutex_, written by the calling thread
  std::atomic<std::int32_t> next_{0};
  std::atomic<std::size_t> wanted_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable cv_;
  MemoryBudget budget_;
  PassView views_[2];  // one per thread, since each guards its own mapping
};

#endif

}  // namespace

void ScanFilesInOrder(const std::vector<std::string>& paths, const ScanOptions& options,
                      std::size_t wanted,
                      const ByteScan& scan, const CommitFile& commit) {
  if (paths.empty() || wanted == 0) return;
#ifdef _WIN32
  (void)options;
  FileView view;
  const auto count = static_cast<std::int32_t>(paths.size());
  for (std::int32_t f = 0; f < count && wanted > 0; ++f) {
    FileScanResult result;
    ScanFile(view, paths[static_cast<std::size_t>(f)], scan, wanted, result);
    wanted = commit(f, result);
  }
#else
  int threads = options.threads;
  if (threads <= 0) threads = std::thread::hardware_concurrency() >= 2 ? 2 : 1;
  OrderedScan(paths, options.mapFromBytes, wanted, scan, commit)
      .Run(threads >= 2 && paths.size() >= 2);
#endif
}

}  // namespace plinvaro
