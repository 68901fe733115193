// MainWindow: menu bar from the menu table, Edit enabling on opening, outer-size rules that grow with the docks.
#include "qt/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <cstdlib>
#include <functional>

#include "qt/Drops.h"
#include "qt/Keyboard.h"
#include "qt/OptionsMenu.h"
#include "qt/WindowIcon.h"
#include "qt/Settings.h"
#include "desktop/DesktopKeys.h"
#include "window/MainWindowGeometry.h"
#include "window/ScreenFit.h"
#include "panel/MenuBar.h"
#include "qt/ProvenanceFace.h"

namespace plinvaro::qt {
namespace {

QString MenuText(std::string_view text, char mnemonic) {
  return QString::fromLatin1(QByteArray::fromStdString(MnemonicText(text, mnemonic)));
}

// The screen's area that windows may take (panels and docks left out), in logical pixels.
Rect AvailableArea(const QScreen* screen) {
  if (screen == nullptr) return {0, 0, kMainWindowWidth, kMainWindowHeight};
  const QRect area = screen->availableGeometry();
  return {area.x(), area.y(), area.width(), area.height()};
}

QMargins FrameMarginsOf(const QWidget& window) {
  const QRect outer = window.frameGeometry();
  const QRect inner = window.geometry();
  return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
          outer.bottom() - inner.bottom()};
}

QSize InnerSize(int outerWidth, int outerHeight, const QMargins& frame) {
  return {outerWidth - frame.left() - frame.right(), outerHeight - frame.top() - frame.bottom()};
}

}  // namespace

MainWindow::MainWindow(DisplayCodePage codePage)
    : client_(new QWidget(this)),
      timer_([this] {
        if (!search_ || !search_->IsRunning()) panel_->PlaybackTick();
      }),
      dialogs_(this),
      messages_(this) {
  setCentralWidget(client_);
  controls_ = std::make_unique<PanelWidgets>(client_, this, codePage);
  panel_ = std::make_unique<MainPanel>(Platform{controls_->sourceBox(), controls_->previewBox(),
                                                *controls_, timer_, dialogs_, messages_, random_});
  controls_->Connect(*panel_);
  changes_ = std::make_unique<PanelChanges>(*panel_);
  panel_->SetDirectoryFollowsBaseFile(true);
  panel_->SetTitleFollowsPlayback(true);
  panel_->SetPickAvoidsCurrentPlace(true);
  panel_->SetObserver(this);
  panel_->SetWindowHost(this);
  panel_->UpdateSpeed();  // the status bar shows the slider's speed before the first Start
  recovery_ = std::make_unique<RecoveryKeeper>(
      *panel_, this, RecoveryDirectory(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")), *changes_);
  status_ = std::make_unique<StatusBar>(*this, *panel_, *controls_, *changes_);
  BuildMenuBar();
  provenance_ = new ProvenanceFace(*this);
  new OptionsMenu(*this);  // owned by this window
  InstallKeyboard(*controls_);
  InstallMoreTextKey(*this, *panel_);
  hotkeys_ = std::make_unique<HotkeyFilter>(*panel_);
  qApp->installEventFilter(hotkeys_.get());
  RouteThroughSearch();

  const Rect start = FittedStartRect(AvailableArea(QGuiApplication::primaryScreen()));
  UpdateMinimumSize();
  move(start.x, start.y);  // a top-level window's position is its frame's
  resize(InnerSize(start.width, start.height, frame_));
  settings_ = std::make_unique<Settings>(*this, *panel_, *controls_, dialogs_, *menus_.front(), *changes_);
  userSized_ = settings_->restoredGeometry();
  new Drops(*this, *panel_, *controls_);  // owned by this window
  setWindowIcon(WindowIcon());
  panel_->SetDetailedErrors(true);
}

MainWindow::~MainWindow() { qApp->removeEventFilter(hotkeys_.get()); }

void MainWindow::BuildMenuBar() {
  for (const MenuPopup& popup : MenuBarTable()) {
    QMenu* menu = menuBar()->addMenu(MenuText(popup.title, PopupMnemonic(popup.title)));
    menus_.push_back(menu);
    for (const MenuItem& item : popup.items) {
      if (item.IsSeparator()) {
        menu->addSeparator();
        continue;
      }
      const MenuKeys keys = KeysOfMenuItem(item.command);
      QAction* action = menu->addAction(MenuText(item.text, keys.mnemonic));
      action->setShortcut(QKeySequence(QString::fromLatin1(keys.shortcut.data(),
                                                           static_cast<qsizetype>(keys.shortcut.size()))));
      const Command command = item.command;
      connect(action, &QAction::triggered, this, [this, command] { Route(command); });
      actions_[command] = action;
    }
    if (popup.refreshesOnOpen) {
      connect(menu, &QMenu::aboutToShow, this, [this] { UpdateEditMenu(); });
    }
  }
}

void MainWindow::RouteThroughSearch() {
  search_ = std::make_unique<SearchWorker>(*panel_, *controls_,
                                           [this](const std::string& text) { ShowStatus(text); });
  panel_->SetSearchStarter([this] { search_->StartSearch(); });
  controls_->routeCommand = [this](Command command) { Route(command); };
  controls_->routeChange = [this](std::function<void()> change) { search_->RouteChange(std::move(change)); };
  hotkeys_->routeCommand = [this](Command command) { Route(command); };
}

void MainWindow::Route(Command command) {
  if (!search_) {
    panel_->Run(command);
    return;
  }
  search_->Route(command, [this, command] { panel_->Run(command); });
}

bool MainWindow::ShowHotkeysBox() {
  qt::ShowHotkeysBox(this);
  return true;
}

void MainWindow::ToggleView(Command view) { provenance_->Toggle(view); }

void MainWindow::UpdateEditMenu() {
  for (const MenuItemState& state : EditMenuStates(*panel_)) {
    if (const std::optional<Command> command = MenuItemCommand(state.commandId)) {
      actions_.at(*command)->setEnabled(state.enabled);
    }
  }
}

QAction* MainWindow::menuAction(Command command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : found->second;
}

QMenu* MainWindow::menu(int index) const {
  return index >= 0 && index < static_cast<int>(menus_.size()) ? menus_[static_cast<std::size_t>(index)]
                                                               : nullptr;
}

void MainWindow::CloseMainWindow() { close(); }

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!panel_->ConfirmClose([this] { return AskToSave(); })) {
    event->ignore();
    return;
  }
  recovery_->Discard();
  settings_->Save();
  QMainWindow::closeEvent(event);
}

void MainWindow::OfferRecovery() { recovery_->Offer(); }

CloseAnswer MainWindow::AskToSave() {
  QMessageBox box(QMessageBox::Question, QString::fromLatin1(kAppTitle),
                  QString::fromLatin1(kUnsavedQuestion),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setDefaultButton(QMessageBox::Save);
  for (const auto& [answer, keys] : {std::pair{QMessageBox::Save, kGuardSave},
                                     std::pair{QMessageBox::Discard, kGuardDiscard},
                                     std::pair{QMessageBox::Cancel, kGuardCancel}})
    box.button(answer)->setText(MenuText(keys.text, keys.mnemonic));
  switch (box.exec()) {
    case QMessageBox::Save: return CloseAnswer::Save;
    case QMessageBox::Discard: return CloseAnswer::Discard;
    default: return CloseAnswer::Cancel;
  }
}

void MainWindow::ShowStatus(const std::string& text, const std::string& whole) {
  status_->ShowMessage(text, whole);
}

void MainWindow::SearchReported(const SearchOutcome&) { status_->ShowSearchOutcome(); }

bool MainWindow::event(QEvent* event) {
  const bool handled = QMainWindow::event(event);
  // A dock shown, hidden or moved asks for a new layout: the least size follows.
  if (event->type() == QEvent::LayoutRequest) UpdateMinimumSize();
  return handled;
}

void MainWindow::UpdateMinimumSize() {
  const Size floor = FittedMinimumSize(AvailableArea(screen()));
  const QSize least = InnerSize(floor.width, floor.height, frame_).expandedTo(minimumSizeHint());
  if (least != minimumSize()) setMinimumSize(least);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // A size other than the one asked for comes from the user or the window manager.
  const Rect start = FittedStartRect(AvailableArea(screen()));
  if (event->size() != InnerSize(start.width, start.height, frame_)) userSized_ = true;
  FollowFrame();
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  FollowFrame();
}

void MainWindow::FollowFrame() {
  const QMargins frame = FrameMarginsOf(*this);
  if (frame == frame_) return;
  frame_ = frame;
  UpdateMinimumSize();
  if (userSized_) return;
  const Rect start = FittedStartRect(AvailableArea(screen()));
  move(start.x, start.y);
  resize(InnerSize(start.width, start.height, frame_));
}

}  // namespace plinvaro::qt
