// RecoveryKeeper: the recovery copy's timer, the restore question and the clean-exit removal.
#include "qt/RecoveryKeeper.h"

#include <QMessageBox>
#include <optional>

#include "panel/MainPanel.h"

namespace plinvaro::qt {
namespace {

constexpr int kSyncIntervalMs = 1000;  // a change is on disk within 2 s

}  // namespace

RecoveryKeeper::RecoveryKeeper(MainPanel& panel, QWidget* dialogParent, std::string directory)
    : panel_(panel), dialogParent_(dialogParent), store_(std::move(directory)) {
  timer_.setInterval(kSyncIntervalMs);
  connect(&timer_, &QTimer::timeout, this, [this] { Sync(); });
  timer_.start();
}

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
  store_.Discard();
}

void RecoveryKeeper::Sync() { store_.Sync(panel_); }

void RecoveryKeeper::Discard() {
  timer_.stop();
  store_.Discard();
}

}  // namespace plinvaro::qt
