// RecoveryKeeper: keeps the on-disk copy of the composition in step with the source box, and offers it at start.
//
// A second after the panel's first change since the last copy, when the box's
// bytes changed, it copies them and lets a worker thread hash and write them,
// so a change is on disk within about 2 s and the window never waits for the disk. The keeper refers to the panel and the
// dialog parent, which must outlive it; it waits for its worker when destroyed.
#pragma once

#include <QObject>
#include <QTimer>
#include <future>
#include <optional>
#include <string>

#include "desktop/RecoveryStore.h"

class QWidget;

namespace plinvaro {
class MainPanel;
}

namespace plinvaro::qt {

class PanelChanges;

class RecoveryKeeper : public QObject {
 public:
  // `directory` as RecoveryDirectory gives it; empty keeps no copy.
  RecoveryKeeper(MainPanel& panel, QWidget* dialogParent, std::string directory, PanelChanges& changes);
  ~RecoveryKeeper() override;

  // When a previous run left a copy, asks whether to restore it: Yes puts its
  // bytes in the source box, No removes it.
  void Offer();
  // Brings the copy up to date now (after a save it is removed), on this thread.
  void Sync();
  // Starts bringing it up to date on the worker; while the worker is still busy
  // it tries again a second later. Records what the worker's last write came to.
  void SyncInBackground();
  // Waits for the worker and records its outcome.
  void Wait();
  // A clean exit: no copy is left.
  void Discard();
  const RecoveryStore& store() const { return store_; }

 private:
  MainPanel& panel_;
  QWidget* dialogParent_;  // not owned
  RecoveryStore store_;
  QTimer timer_;  // single shot: a second after a change
  bool discarded_ = false;
  std::optional<RecoverySnapshot> snapshot_;  // what the worker writes; read by it until done
  std::future<RecoveryOutcome> writing_;
};

}  // namespace plinvaro::qt
