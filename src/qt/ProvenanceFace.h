// ProvenanceFace: the desktop face's seam views put together: edit reports, seam marks, the Sources and Found parts docks, and their menu items.
//
// Installed by the main window once its menu bar exists; a QObject child of
// the window, which owns the docks too. Redraws at most a few times a second,
// after the panel's changes (qt/PanelChanges), never inside a tick.
#pragma once

#include <QObject>
#include <QTimer>
#include <map>

#include "panel/SeamMenu.h"
#include "qt/EditReporter.h"
#include "qt/FoundPartsDock.h"
#include "qt/SeamMarks.h"
#include "qt/SourcesDock.h"

class QAction;

namespace plinvaro::qt {

class MainWindow;

inline constexpr int kSeamRefreshMs = 250;

class ProvenanceFace : public QObject {
 public:
  explicit ProvenanceFace(MainWindow& window);

  // Brings marks and docks up to date now.
  void Refresh();
  // Provenance tracking in the face on or off: edit reports, marks and docks.
  void SetTracking(bool on);

  SeamMarks& marks() { return *marks_; }
  SourcesDock& sources() { return *sources_; }
  FoundPartsDock& foundParts() { return *foundParts_; }
  QAction* action(Command command) const;
  // Shows or hides the view `view` stands for, as its checked menu item says.
  void Toggle(Command view);

 private:
  void AddMenuItems();

  MainWindow& window_;
  EditReporter* reporter_;     // owned by the source box's widget
  SeamMarks* marks_;           // owned by the source box's widget
  SourcesDock* sources_;       // owned by the window
  FoundPartsDock* foundParts_; // owned by the window
  QTimer refresh_;  // single shot, started by a change
  std::map<Command, QAction*> actions_;  // owned by their menus
  bool tracking_ = true;
};

// The face installed in `window`; nullptr when there is none.
ProvenanceFace* ProvenanceFaceOf(const QObject& window);

}  // namespace plinvaro::qt
