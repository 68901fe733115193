// FoundPartsDock: the "Found parts" dock: after a search in preview mode, one row per part, longest match first; choosing a row makes it the current part.
//
// Shows itself when a preview-mode search brings a new list; its selection
// follows "<<" and ">>". Owned by its Qt parent (the main window); the panel
// must outlive it.
#pragma once

#include <QDockWidget>
#include <cstdint>

#include "panel/MainPanel.h"

class QTableWidget;

namespace plinvaro::qt {

class FoundPartsDock : public QDockWidget {
 public:
  FoundPartsDock(MainPanel& panel, QWidget* parent);
  // Rebuilds the rows for a new list of parts and selects the current part.
  void Refresh();
  QTableWidget* table() const { return table_; }

 private:
  void SelectCurrent();

  MainPanel& panel_;
  QTableWidget* table_;  // owned by this dock
  std::uint64_t shownRevision_ = 0;  // MainPanel::partsRevision of the rows shown
  std::uint64_t shownWeights_ = 0;   // the weights' revision the rows were made with
  bool shownOnce_ = false;
};

}  // namespace plinvaro::qt
