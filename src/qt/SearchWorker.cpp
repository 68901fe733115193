// SearchWorker: the scan on a std::thread, its result handed back through the event loop, progress, cancel and held commands.
#include "qt/SearchWorker.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>

#include "qt/PanelWidgets.h"

namespace plinvaro::qt {
namespace {

constexpr int kProgressPeriodMs = 100;

std::int64_t TotalBytes(const std::vector<std::string>& paths) {
  std::int64_t total = 0;
  for (const std::string& path : paths) {
    const QFileInfo info(QFile::decodeName(QByteArray::fromStdString(path)));
    if (info.isFile()) total += info.size();
  }
  return total;
}

}  // namespace

SearchWorker::SearchWorker(MainPanel& panel, PanelWidgets& controls,
                           std::function<void(const std::string&)> showStatus)
    : panel_(panel), controls_(controls), showStatus_(std::move(showStatus)) {
  connect(&progressTimer_, &QTimer::timeout, this, [this] {
    progressTimer_.setInterval(kProgressPeriodMs);
    ShowProgress();
  });
  qApp->installEventFilter(this);
}

SearchWorker::~SearchWorker() {
  qApp->removeEventFilter(this);
  cancel_ = true;
  Join();
}

void SearchWorker::Join() {
  if (thread_.joinable()) thread_.join();
}

void SearchWorker::StartSearch() {
  if (running_) return;
  request_ = panel_.PrepareSearch();
  if (!request_) return;
  running_ = true;
  gate_.Begin();
  cancel_ = false;
  filesDone_ = 0;
  filesListed_ = 0;
  bytesDone_ = 0;
  bytesTotal_ = 0;
  SetBoxesReadOnly(true);
  progressTimer_.start(kSearchProgressDelay);
  thread_ = std::thread([this] { Scan(); });
}

void SearchWorker::Scan() {
  scanned_.SetScanWatch({[this](const ScanProgress& progress) {
                           if (progress.filesDone == 0) bytesTotal_ = TotalBytes(scanned_.files());
                           filesListed_ = progress.filesListed;
                           filesDone_ = progress.filesDone;
                           bytesDone_ = progress.bytesDone;
                           if (scanHook_) scanHook_(progress);
                         },
                         &cancel_});
  panel_.ScanRequest(*request_, scanned_);
  QMetaObject::invokeMethod(this, [this] { Done(); }, Qt::QueuedConnection);
}

void SearchWorker::Done() {
  Join();
  running_ = false;
  progressTimer_.stop();
  SetBoxesReadOnly(false);
  if (cancel_ || scanned_.cancelled()) {
    scanned_.ClearResults();
    gate_.End(true);
    showStatus_(kSearchCancelledText);
    return;
  }
  panel_.FinishSearch(*request_, scanned_);
  request_.reset();
  gate_.End(false);
}

void SearchWorker::Cancel() {
  if (!running_) return;
  cancel_ = true;
  gate_.Cancel();
}

WhileSearching SearchWorker::Route(Command command, std::function<void()> action) {
  const WhileSearching fate = gate_.Route(command, std::move(action));
  if (fate == WhileSearching::Cancels) cancel_ = true;
  if (fate == WhileSearching::Waits) ShowProgress();
  return fate;
}

WhileSearching SearchWorker::RouteChange(std::function<void()> change) {
  const WhileSearching fate = gate_.RouteChange(std::move(change));
  if (fate == WhileSearching::Waits) ShowProgress();
  return fate;
}

void SearchWorker::ShowProgress() {
  if (!running_) return;
  showStatus_(SearchProgressText(filesDone_, filesListed_, bytesDone_, bytesTotal_,
                                 gate_.waitingCount()));
}

void SearchWorker::SetBoxesReadOnly(bool readOnly) {
  QsciScintilla* source = controls_.sourceBox().widget();
  auto* directory = static_cast<QLineEdit*>(controls_.widget(ControlId::DirEdit));
  if (readOnly) {
    sourceWasReadOnly_ = source->isReadOnly();
    directoryWasReadOnly_ = directory->isReadOnly();
  }
  source->setReadOnly(readOnly || sourceWasReadOnly_);
  directory->setReadOnly(readOnly || directoryWasReadOnly_);
}

bool SearchWorker::eventFilter(QObject* watched, QEvent* event) {
  if (running_ && event->type() == QEvent::KeyPress && watched->isWindowType() &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    Cancel();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace plinvaro::qt
