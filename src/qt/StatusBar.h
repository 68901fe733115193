// StatusBar: the main window's status bar: a message, the playback state, the preview's part, the steering options and the speed.
//
// The texts come from desktop/StatusLine; this class only shows them, after each
// of the panel's changes and whenever asked. Each field shows the text's short
// form, cut at its end where the field is narrower, with the whole form in its
// tooltip. The message takes the room the other fields leave. It refers to the
// panel and the controls, which must outlive it; its labels belong to the
// window's status bar.
#pragma once

#include <QObject>
#include <string>

#include "desktop/StatusLine.h"

class QLabel;
class QMainWindow;

namespace plinvaro {
class MainPanel;
class PanelControls;
}  // namespace plinvaro

namespace plinvaro::qt {

class PanelChanges;

class StatusBar : public QObject {
 public:
  StatusBar(QMainWindow& window, MainPanel& panel, const PanelControls& controls, PanelChanges& changes);

  // Shows `text` (8-bit, as paths are) in the message field until the next
  // message, with `whole` in its tooltip (`text` when empty).
  void ShowMessage(const std::string& text, const std::string& whole = {});
  // Shows the last Search's outcome in the message field.
  void ShowSearchOutcome();
  // Brings the fields up to the panel's state now.
  void Refresh();

  QString message() const;
  QString playback() const;
  QString preview() const;
  QString run() const;
  QString steering() const;
  QString speed() const;

 private:
  MainPanel& panel_;
  const PanelControls& controls_;
  QLabel* message_;   // owned by the status bar
  QLabel* playback_;  // owned by the status bar
  QLabel* preview_;   // owned by the status bar
  QLabel* run_;       // owned by the status bar
  QLabel* steering_;  // owned by the status bar
  QLabel* speed_;     // owned by the status bar
  StatusFields shown_;
  StatusFields shownWhole_;
  bool shownOnce_ = false;
};

// What a status field draws now: its text, cut at the end with an ellipsis where the field is narrower.
QString ShownText(const QLabel& field);

}  // namespace plinvaro::qt
