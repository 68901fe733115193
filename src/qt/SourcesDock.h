// SourcesDock: the "Sources" dock: every file the composition uses with its bytes and share, then the base directory's other *.txt files; each file of the directory with a weight box; a click highlights the file's spans.
//
// Hidden until the View menu shows it. Owned by its Qt parent (the main window);
// the panel, the controls and the marks must outlive it.
#pragma once

#include <QDockWidget>
#include <QElapsedTimer>
#include <cstdint>
#include <string>
#include <vector>

#include "desktop/SourceRows.h"
#include "panel/MainPanel.h"
#include "qt/SeamMarks.h"

class QSpinBox;
class QTableWidget;

namespace plinvaro::qt {

class SourcesDock : public QDockWidget {
 public:
  SourcesDock(MainPanel& panel, const PanelControls& controls, SeamMarks& marks, QWidget* parent);
  // Brings the rows up to date when the text, the directory, its files or the
  // weights changed since the last time (or `always`).
  void Refresh(bool always = false);
  QTableWidget* table() const { return table_; }
  // The weight box of row `row`; null for a file outside the directory.
  QSpinBox* weightBox(int row) const;

 private:
  void ShowRow(int row, const SourceRow& source);

  MainPanel& panel_;
  const PanelControls& controls_;
  SeamMarks& marks_;
  QTableWidget* table_;  // owned by this dock
  std::string directory_;             // the directory the rows show
  std::vector<std::string> names_;    // its *.txt entries, as last listed
  QElapsedTimer listed_;              // since the directory was last listed
  std::uint64_t shownRevision_ = 0;
  std::uint64_t shownWeights_ = 0;
  bool shown_ = false;
};

}  // namespace plinvaro::qt
