// StatusBar: the main window's status bar: a message, the playback state, the preview's part, the steering options and the speed.
//
// The texts come from panel/StatusLine; this class only shows them, refreshing
// a few times a second and whenever asked, and keeps the window title on the
// file actually playing. It refers to the panel, the controls and the window,
// which must outlive it; its labels belong to the window's status bar.
#pragma once

#include <QObject>
#include <QTimer>
#include <string>

#include "desktop/StatusLine.h"

class QLabel;
class QMainWindow;

namespace plinvaro {
class MainPanel;
class PanelControls;
}  // namespace plinvaro

namespace plinvaro::qt {

class StatusBar : public QObject {
 public:
  StatusBar(QMainWindow& window, MainPanel& panel, const PanelControls& controls);

  // Shows `text` (8-bit, as paths are) in the message field until the next message.
  void ShowMessage(const std::string& text);
  // Shows the last Search's outcome in the message field.
  void ShowSearchOutcome();
  // Brings the fields and the title up to the panel's state now.
  void Refresh();

  QString message() const;
  QString playback() const;
  QString preview() const;
  QString run() const;
  QString steering() const;
  QString speed() const;

 private:
  QMainWindow& window_;
  MainPanel& panel_;
  const PanelControls& controls_;
  QLabel* message_;   // owned by the status bar
  QLabel* playback_;  // owned by the status bar
  QLabel* preview_;   // owned by the status bar
  QLabel* run_;       // owned by the status bar
  QLabel* steering_;  // owned by the status bar
  QLabel* speed_;     // owned by the status bar
  QTimer timer_;
  StatusFields shown_;
  bool shownOnce_ = false;
};

}  // namespace plinvaro::qt
