// SourcesDock: the "Sources" dock: every file the composition uses with its bytes and share; a click highlights the file's spans.
//
// Hidden until the View menu shows it. Owned by its Qt parent (the main window);
// the panel and the marks must outlive it.
#pragma once

#include <QDockWidget>
#include <cstdint>

#include "panel/MainPanel.h"
#include "qt/SeamMarks.h"

class QTableWidget;

namespace plinvaro::qt {

class SourcesDock : public QDockWidget {
 public:
  SourcesDock(MainPanel& panel, SeamMarks& marks, QWidget* parent);
  // Rebuilds the rows when the map changed since the last time (or `always`).
  void Refresh(bool always = false);
  QTableWidget* table() const { return table_; }

 private:
  MainPanel& panel_;
  SeamMarks& marks_;
  QTableWidget* table_;  // owned by this dock
  std::uint64_t shownRevision_ = 0;
  bool shown_ = false;
};

}  // namespace plinvaro::qt
