// RecoveryKeeper: keeps the on-disk copy of the composition in step with the source box, and offers it at start.
//
// Every second it lets the store write the box's bytes when they changed, so a
// change is on disk within 2 s. The keeper refers to the panel and the
// dialog parent, which must outlive it.
#pragma once

#include <QObject>
#include <QTimer>
#include <string>

#include "panel/RecoveryStore.h"

class QWidget;

namespace plinvaro {
class MainPanel;
}

namespace plinvaro::qt {

class RecoveryKeeper : public QObject {
 public:
  // `directory` as RecoveryDirectory gives it; empty keeps no copy.
  RecoveryKeeper(MainPanel& panel, QWidget* dialogParent, std::string directory);

  // When a previous run left a copy, asks whether to restore it: Yes puts its
  // bytes in the source box, No removes it.
  void Offer();
  // Brings the copy up to date now (after a save it is removed).
  void Sync();
  // A clean exit: no copy is left.
  void Discard();
  const RecoveryStore& store() const { return store_; }

 private:
  MainPanel& panel_;
  QWidget* dialogParent_;  // not owned
  RecoveryStore store_;
  QTimer timer_;
};

}  // namespace plinvaro::qt
