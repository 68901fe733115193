// OptionsMenu: building the menu from the option texts and setting the controller's options.
#include "qt/OptionsMenu.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>

#include "desktop/DesktopKeys.h"
#include "desktop/OptionTexts.h"
#include "qt/MainWindow.h"

namespace plinvaro::qt {
namespace {

QString MenuText(std::string_view text, char mnemonic) {
  return QString::fromLatin1(QByteArray::fromStdString(MnemonicText(text, mnemonic)));
}

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

OptionsMenu::OptionsMenu(MainWindow& window)
    : QObject(&window),
      window_(window),
      menu_(new QMenu(MenuText(kOptionsMenuTitle, PopupMnemonic(kOptionsMenuTitle)), window.menuBar())) {
  setObjectName(QStringLiteral("OptionsMenu"));
  menu_->setObjectName(QStringLiteral("optionsMenu"));
  const QList<QAction*> bar = window.menuBar()->actions();
  window.menuBar()->insertMenu(bar.isEmpty() ? nullptr : bar.back(), menu_);
  matchCase_ = menu_->addAction(MenuText(kMatchCaseText, kMatchCaseMnemonic));
  matchCase_->setCheckable(true);
  wander_ = menu_->addAction(QString());
  wander_->setCheckable(true);
  wanderWords_ = menu_->addAction(MenuText(kWanderWordsText, kWanderWordsMnemonic));
  connect(matchCase_, &QAction::toggled, this, [this](bool on) { window_.panel().SetMatchCase(on); });
  connect(wander_, &QAction::toggled, this, [this](bool on) {
    if (on != window_.panel().wanders()) window_.panel().SetWanders(on);
  });
  connect(wanderWords_, &QAction::triggered, this, [this] { AskWanderWords(); });
  connect(menu_, &QMenu::aboutToShow, this, [this] { Update(); });
  Update();
}

void OptionsMenu::Update() {
  const MainPanel& panel = window_.panel();
  const QSignalBlocker quietCase(matchCase_);
  const QSignalBlocker quietWander(wander_);
  matchCase_->setChecked(panel.matchCase());
  wander_->setChecked(panel.wanders());
  wander_->setText(MenuText(WanderItemText(panel.wanderWords()), kWanderMnemonic));
}

void OptionsMenu::AskWanderWords() {
  bool ok = false;
  const int words = QInputDialog::getInt(&window_, Latin1(kWanderWordsCaption), Latin1(kWanderWordsPrompt),
                                         window_.panel().wanderWords(), kMinWanderWords, kMaxWanderWords,
                                         1, &ok);
  if (!ok || !window_.panel().SetWanderWords(words)) return;
  window_.panel().SetWanders(true);
  Update();
}

OptionsMenu* OptionsMenuOf(const QObject& window) {
  for (QObject* child : window.children())
    if (auto* menu = dynamic_cast<OptionsMenu*>(child)) return menu;
  return nullptr;
}

}  // namespace plinvaro::qt
