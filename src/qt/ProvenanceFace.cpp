// ProvenanceFace: building the seam views, their menu items from SeamMenuTable, and the refresh timer.
#include "qt/ProvenanceFace.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "desktop/DesktopKeys.h"
#include "panel/MenuBar.h"
#include "qt/MainWindow.h"

namespace plinvaro::qt {
namespace {

constexpr std::string_view kViewMenu = "View";

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

ProvenanceFace::ProvenanceFace(MainWindow& window)
    : QObject(&window),
      window_(window),
      reporter_(new EditReporter(window.controls().sourceBox())),
      marks_(new SeamMarks(window.controls().sourceBox(), window.panel())),
      sources_(new SourcesDock(window.panel(), window.controls(), *marks_, &window)),
      foundParts_(new FoundPartsDock(window.panel(), &window)) {
  setObjectName(QStringLiteral("ProvenanceFace"));
  window.addDockWidget(Qt::RightDockWidgetArea, sources_);
  window.addDockWidget(Qt::BottomDockWidgetArea, foundParts_);
  sources_->hide();
  foundParts_->hide();
  AddMenuItems();
  connect(sources_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (QAction* item = action(Command::ToggleSources)) item->setChecked(visible);
    if (visible) sources_->Refresh(true);
  });
  connect(foundParts_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (QAction* item = action(Command::ToggleFoundParts)) item->setChecked(visible);
  });
  refresh_.setSingleShot(true);
  refresh_.setInterval(kSeamRefreshMs);
  connect(&refresh_, &QTimer::timeout, this, [this] { Refresh(); });
  window.changes().Listen([this] {
    if (tracking_ && !refresh_.isActive()) refresh_.start();
  });
}

ProvenanceFace* ProvenanceFaceOf(const QObject& window) {
  for (QObject* child : window.children())
    if (auto* face = dynamic_cast<ProvenanceFace*>(child)) return face;
  return nullptr;
}

void ProvenanceFace::AddMenuItems() {
  std::map<std::string_view, QMenu*> menus;
  QMenu* help = nullptr;
  int index = 0;
  for (const MenuPopup& popup : MenuBarTable()) {
    QMenu* menu = window_.menu(index++);
    menus[popup.title] = menu;
    help = menu;  // the last pop-up
  }
  auto* view = new QMenu(Latin1(MnemonicText(kViewMenu, PopupMnemonic(kViewMenu))), window_.menuBar());  // owned by the menu bar
  window_.menuBar()->insertMenu(help != nullptr ? help->menuAction() : nullptr, view);
  menus[kViewMenu] = view;
  std::map<QMenu*, bool> separated;
  for (const SeamMenuItem& item : SeamMenuTable()) {
    QMenu* menu = menus[item.menu];
    if (menu == nullptr) continue;
    auto* action = new QAction(Latin1(MnemonicText(item.text, KeysOfMenuItem(item.command).mnemonic)), menu);  // owned by the menu
    if (!item.key.empty()) action->setShortcut(QKeySequence(Latin1(item.key)));
    action->setCheckable(item.checkable);
    action->setChecked(item.checked);
    if (item.menu == "File") {
      QAction* before = nullptr;
      for (QAction* existing : menu->actions())
        if (existing->isSeparator()) {
          before = existing;
          break;
        }
      menu->insertAction(before, action);
    } else {
      if (item.menu == "Edit" && !separated[menu]) menu->addSeparator();
      separated[menu] = true;
      menu->addAction(action);
    }
    const Command command = item.command;
    connect(action, &QAction::triggered, this, [this, command] {
      window_.Route(command);
      Refresh();
    });
    actions_[command] = action;
  }
}

QAction* ProvenanceFace::action(Command command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : found->second;
}

void ProvenanceFace::Toggle(Command view) {
  const QAction* item = action(view);
  const bool on = item != nullptr && item->isChecked();
  switch (view) {
    case Command::ToggleTint: marks_->SetTint(on); return;
    case Command::ToggleSources: sources_->setVisible(on); return;
    case Command::ToggleFoundParts: foundParts_->setVisible(on); return;
    default: return;
  }
}

void ProvenanceFace::Refresh() {
  if (!tracking_) return;
  marks_->Redraw();
  if (sources_->isVisible()) sources_->Refresh();
  foundParts_->Refresh();
}

void ProvenanceFace::SetTracking(bool on) {
  tracking_ = on;
  reporter_->SetReporting(on);
  marks_->SetTint(on && action(Command::ToggleTint)->isChecked());
  if (on) {
    refresh_.start();
  } else {
    refresh_.stop();
  }
}

}  // namespace plinvaro::qt
