// RecoveryKeeper: the recovery copy's timer, the restore question and the clean-exit removal.
#include "qt/RecoveryKeeper.h"

#include <QMessageBox>
#include <chrono>
#include <optional>

#include "panel/MainPanel.h"
#include "qt/PanelChanges.h"

namespace plinvaro::qt {
namespace {

constexpr int kSyncDelayMs = 1000;  // a change is on disk within 2 s

}  // namespace

RecoveryKeeper::RecoveryKeeper(MainPanel& panel, QWidget* dialogParent, std::string directory,
                               PanelChanges& changes)
    : panel_(panel), dialogParent_(dialogParent), store_(std::move(directory)) {
  timer_.setSingleShot(true);
  timer_.setInterval(kSyncDelayMs);
  connect(&timer_, &QTimer::timeout, this, [this] { SyncInBackground(); });
  changes.Listen([this] {
    if (!discarded_ && !timer_.isActive()) timer_.start();
  });
}

RecoveryKeeper::~RecoveryKeeper() { Wait(); }

void RecoveryKeeper::Offer() {
  const std::optional<std::string> copy = store_.Load();
  if (!copy) return;
  QMessageBox box(QMessageBox::Question, QString::fromLatin1(kAppTitle),
                  QString::fromLatin1(kRecoveryQuestion), QMessageBox::Yes | QMessageBox::No,
                  dialogParent_);
  box.setDefaultButton(QMessageBox::Yes);
  if (box.exec() == QMessageBox::Yes) {
    panel_.RestoreSourceText(*copy, store_.LoadSpans());
    Sync();  // the restored text is this run's copy now
    return;
  }
  Wait();
  store_.Discard();
}

void RecoveryKeeper::Sync() {
  Wait();
  store_.Sync(panel_);
}

void RecoveryKeeper::SyncInBackground() {
  if (writing_.valid()) {
    if (writing_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
      timer_.start();
      return;
    }
    Wait();
  }
  if (!store_.NeedsSync(panel_)) return;
  snapshot_ = store_.TakeSnapshot(panel_);
  writing_ = std::async(std::launch::async, [this] { return store_.WriteSnapshot(*snapshot_); });
}

void RecoveryKeeper::Wait() {
  if (!writing_.valid()) return;
  store_.FinishSync(*snapshot_, writing_.get());
  snapshot_.reset();
}

void RecoveryKeeper::Discard() {
  discarded_ = true;
  timer_.stop();
  Wait();
  store_.Discard();
}

}  // namespace plinvaro::qt
