// FoundPartsDock: the "Found parts" dock: after a search in preview mode, one row per part, longest match first; choosing a row makes it the current part.
//
// Shows itself when a preview-mode search brings a new list; its selection
// follows "<<" and ">>". Owned by its Qt parent (the main window); the panel
// must outlive it.
#pragma once

#include <QDockWidget>
#include <string>

#include "panel/MainPanel.h"

class QTableWidget;

namespace plinvaro::qt {

class FoundPartsDock : public QDockWidget {
 public:
  FoundPartsDock(MainPanel& panel, const PanelControls& controls, QWidget* parent);
  // Rebuilds the rows for a new list of parts and selects the current part.
  void Refresh();
  QTableWidget* table() const { return table_; }

 private:
  // What tells one list of parts from another.
  std::string ListKey() const;
  void SelectCurrent();

  MainPanel& panel_;
  const PanelControls& controls_;
  QTableWidget* table_;  // owned by this dock
  std::string shownKey_;
};

}  // namespace plinvaro::qt
