// PanelChanges: the controller's one change listener, handed on to the window's views from the event loop.
//
// The panel calls its listener at the end of each command, tick or edit, often
// from inside a box's own notification; the views (status bar, seam marks,
// docks, settings, recovery copy) then run once per burst of changes, when the
// event loop is next free. Refers to the panel, which must outlive it.
#pragma once

#include <QObject>
#include <functional>
#include <vector>

namespace plinvaro {
class MainPanel;
}

namespace plinvaro::qt {

class PanelChanges : public QObject {
 public:
  explicit PanelChanges(MainPanel& panel);
  ~PanelChanges() override;
  PanelChanges(const PanelChanges&) = delete;
  PanelChanges& operator=(const PanelChanges&) = delete;

  // `view` runs after each burst of the panel's changes, in the order listened.
  void Listen(std::function<void()> view);
  // Runs the views now when changes are waiting (for a face that must be up to date at once).
  void Deliver();

 private:
  MainPanel& panel_;
  std::vector<std::function<void()>> views_;
  bool pending_ = false;
};

}  // namespace plinvaro::qt
