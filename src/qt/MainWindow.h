// MainWindow: the top-level window with its menu bar, the panel, and the controller they drive.
//
// Owns the panel's widgets, the platform objects and the one MainPanel, and
// installs the hotkey filter on the application for as long as it lives. The
// outer (frame) size starts at 700 x 500 centred on the screen and is held at
// that minimum as far as the window manager tells the frame's size, or at what
// the panel and the docks shown need where that is more. The status
// bar (qt/StatusBar) shows the start hint, what each Search came to, a running
// search's progress, the playback state, the preview's part and the speed.
#pragma once

#include <QMainWindow>
#include <map>
#include <memory>
#include <string>

#include "panel/MainPanel.h"
#include "panel/Platform.h"
#include "panel/SeededRandom.h"
#include "qt/HotkeyFilter.h"
#include "qt/PanelChanges.h"
#include "qt/PanelWidgets.h"
#include "qt/QtPlatform.h"
#include "qt/RecoveryKeeper.h"
#include "qt/StatusBar.h"
#include "qt/SearchWorker.h"

class QAction;
class QMenu;

namespace plinvaro::qt {

class ProvenanceFace;
class Settings;

class MainWindow : public QMainWindow, public MainWindowHost, private PanelObserver {
 public:
  explicit MainWindow(DisplayCodePage codePage = DisplayCodePageFromLocale());
  ~MainWindow() override;

  void CloseMainWindow() override;
  bool ShowHotkeysBox() override;
  void ToggleView(Command view) override;
  // Runs `command` through the search gate: at once, after a running search, or not.
  void Route(Command command);
  // Shows `text` (8-bit, as paths are) in the status bar until the next status
  // text, with `whole` in its tooltip (`text` when empty).
  void ShowStatus(const std::string& text, const std::string& whole = {});
  // Offers the copy of a composition that a previous run left unsaved; called at start.
  void OfferRecovery();
  const RecoveryStore& recovery() const { return recovery_->store(); }

  StatusBar& status() { return *status_; }
  // The panel's changes, handed on to the views after each burst.
  PanelChanges& changes() { return *changes_; }
  Settings& settings() { return *settings_; }
  MainPanel& panel() { return *panel_; }
  PanelWidgets& controls() { return *controls_; }
  QtPlaybackTimer& timer() { return timer_; }
  SearchWorker& search() { return *search_; }
  QWidget* clientArea() const { return client_; }
  // The menu item that runs `command`, and the pop-up at bar position `index`.
  QAction* menuAction(Command command) const;
  QMenu* menu(int index) const;

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  // Over unsaved text, asks Save / Discard / Cancel first (close box, Exit).
  void closeEvent(QCloseEvent* event) override;

 private:
  void SearchReported(const SearchOutcome& outcome) override;
  CloseAnswer AskToSave();
  void BuildMenuBar();
  void UpdateEditMenu();
  // 700 x 500 outer (fitted to the screen), or what the layout needs where that is more.
  void UpdateMinimumSize();
  // Searches go to the worker; commands pass its gate (desktop/SearchGate.h).
  void RouteThroughSearch();
  // Places the outer rectangle at the start rectangle once the frame's size is known.
  void FollowFrame();

  QWidget* client_;  // owned by this window
  std::unique_ptr<PanelWidgets> controls_;
  QtPlaybackTimer timer_;
  QtFileDialogs dialogs_;
  QtMessageBoxes messages_;
  SeededRandom random_;
  std::unique_ptr<MainPanel> panel_;
  std::unique_ptr<PanelChanges> changes_;  // before the views that listen, in destruction after them
  std::unique_ptr<HotkeyFilter> hotkeys_;
  std::unique_ptr<SearchWorker> search_;  // before panel_ in destruction: it joins its scan
  ProvenanceFace* provenance_ = nullptr;  // the seam views; owned by this window
  std::map<Command, QAction*> actions_;  // owned by their menus
  std::vector<QMenu*> menus_;        // owned by the menu bar
  QMargins frame_;                   // the frame's size as last applied
  bool userSized_ = false;
  std::unique_ptr<StatusBar> status_;
  std::unique_ptr<Settings> settings_;
  std::unique_ptr<RecoveryKeeper> recovery_;  // the composition's copy for after a crash
};

}  // namespace plinvaro::qt
