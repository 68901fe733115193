// OptionsMenu: the "Options" menu of the main window: "Match case", "Wander every N words" and its N.
//
// Each item sets the controller's option at once (a running scan keeps the
// options it started with); the checks follow the controller each time the
// menu opens. A QObject child of the window, whose menu bar owns the menu.
#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace plinvaro::qt {

class MainWindow;

class OptionsMenu : public QObject {
 public:
  // Puts the menu on `window`'s bar before its last pop-up (Help).
  explicit OptionsMenu(MainWindow& window);

  QMenu* menu() const { return menu_; }
  QAction* matchCase() const { return matchCase_; }
  QAction* wander() const { return wander_; }
  QAction* wanderWords() const { return wanderWords_; }

 private:
  // The checks and the wander item's N as the controller holds them.
  void Update();
  void AskWanderWords();

  MainWindow& window_;
  QMenu* menu_;          // owned by the menu bar
  QAction* matchCase_;   // owned by menu_
  QAction* wander_;      // owned by menu_
  QAction* wanderWords_; // owned by menu_
};

// The menu installed in `window`; nullptr when there is none.
OptionsMenu* OptionsMenuOf(const QObject& window);

}  // namespace plinvaro::qt
