// Settings: what the window keeps between runs in QSettings, and File > "Open Recent".
//
// Kept: the base directory, the font size, the speed, On The Fly Mode, the
// window's geometry, the folder each dialog last used, the last ten base
// files, whether the start hint was shown, and the steering options ("Match
// case", "Wander every N words", the files' weights per directory, stored as
// desktop/WeightStore.h writes them). Restore applies them once at
// construction; Save writes them half a second after a change of the panel, the
// directory box or the window's place (so that a killed run keeps them), and on
// a clean close. Refers to the window, panel, controls and dialogs, which must
// outlive it.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <string>
#include <vector>

#include "desktop/DesktopMemory.h"

class QMainWindow;
class QMenu;

namespace plinvaro {
class MainPanel;
}

namespace plinvaro::qt {

class PanelChanges;
class PanelWidgets;
class QtFileDialogs;

class Settings : public QObject {
 public:
  // Adds "Open Recent" to `fileMenu` after its first item, and restores what was kept.
  Settings(QMainWindow& window, MainPanel& panel, PanelWidgets& controls, QtFileDialogs& dialogs,
           QMenu& fileMenu, PanelChanges& changes);

  void Save();
  // Save, half a second from the first call after the last Save.
  void SaveSoon();
  // True at the program's first start only: the start hint is shown once, ever.
  // Records at once that it was shown, so that a crash does not show it again.
  bool TakeStartHint();
  // Puts the panel's base file, when new, first in the recent files.
  void NoteBaseFile();
  const std::vector<std::string>& recentFiles() const { return recent_; }
  QMenu* recentMenu() const { return recentMenu_; }
  // Whether the window got its kept place and size (then the start rectangle does not apply).
  bool restoredGeometry() const { return restoredGeometry_; }

 protected:
  // The window's moves and resizes.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Restore();
  void FillRecentMenu();

  QMainWindow& window_;
  MainPanel& panel_;
  PanelWidgets& controls_;
  QMenu* recentMenu_;  // owned by the File menu
  std::vector<std::string> recent_;
  std::string noted_;  // the base file last put in the recent files
  QString folders_[3];  // the folder each DialogKind last chose
  QTimer timer_;  // single shot: SaveSoon's
  bool restoredGeometry_ = false;
};

}  // namespace plinvaro::qt
