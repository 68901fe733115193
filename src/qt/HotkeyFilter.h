// HotkeyFilter: the application-wide watcher that hands every key event to the hotkeys once.
//
// Qt delivers one key event first to the window that received it and then to
// the focus widget and its parents; the filter acts at the window, so each
// press, auto-repeat and release reaches HandleKey exactly once, whichever
// window (main window, message box, file dialog) has the keyboard. It never
// consumes a key. The panel must outlive the filter.
#pragma once

#include <QObject>
#include <functional>
#include <set>

#include "panel/Hotkeys.h"

class QKeyEvent;

namespace plinvaro {
class MainPanel;
}

namespace plinvaro::qt {

// The portable key code of a Qt key event, from the model's key runs; 0 for a key
// with none.
int KeyCodeOf(const QKeyEvent& event);

class HotkeyFilter : public QObject, public KeyState {
 public:
  explicit HotkeyFilter(MainPanel& panel);
  // Answers from the event being handled: Ctrl from its modifiers, other keys
  // from the keys pressed and not yet released.
  bool IsKeyDown(int keyCode) const override;
  // When set, a matched hotkey's command goes here instead of to the panel.
  std::function<void(Command)> routeCommand;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Handle(const QKeyEvent& event);

  MainPanel& panel_;
  std::set<int> down_;
  bool controlDown_ = false;
};

}  // namespace plinvaro::qt
