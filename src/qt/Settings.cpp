// Settings: QSettings keys, restoring them into the panel's controls, and the "Open Recent" menu.
#include "qt/Settings.h"

#include <QAction>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>

#include "desktop/DesktopKeys.h"
#include "desktop/DesktopMemory.h"
#include "desktop/WeightStore.h"
#include "window/FontSizes.h"
#include "panel/MainPanel.h"
#include "qt/PanelChanges.h"
#include "qt/PanelWidgets.h"
#include "qt/QtPlatform.h"

namespace plinvaro::qt {
namespace {

constexpr int kSaveDelayMs = 500;
const char* const kFolderKeys[] = {"dialogs/open", "dialogs/save", "dialogs/browse"};
const char* const kStartHintKey = "startHintShown";
const char* const kMatchCaseKey = "matchCase";
const char* const kWandersKey = "wanders";
const char* const kWanderWordsKey = "wanderWords";
const char* const kWeightsKey = "sourceWeights";

QSettings Store() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("plinvaro"),
                   QStringLiteral("plinvaro"));
}

// Paths are kept as their bytes, so that any name comes back as it was.
QByteArray PathValue(const std::string& path) { return QByteArray::fromStdString(path); }
std::string PathOf(const QVariant& value) { return value.toByteArray().toStdString(); }

QString FromBytes(const std::string& bytes) {
  return QFile::decodeName(QByteArray::fromStdString(bytes));
}

std::size_t Index(DialogKind kind) { return static_cast<std::size_t>(kind); }

}  // namespace

Settings::Settings(QMainWindow& window, MainPanel& panel, PanelWidgets& controls,
                   QtFileDialogs& dialogs, QMenu& fileMenu, PanelChanges& changes)
    : window_(window), panel_(panel), controls_(controls) {
  recentMenu_ = new QMenu(QString::fromLatin1(
                              MnemonicText(kOpenRecentText, kOpenRecentMnemonic).c_str()),
                          &fileMenu);
  const QList<QAction*> items = fileMenu.actions();
  fileMenu.insertMenu(items.size() > 1 ? items[1] : nullptr, recentMenu_);
  connect(recentMenu_, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
  dialogs.startFolder = [this](DialogKind kind) {
    const std::string& base = panel_.baseFile();
    const std::string baseFolder = base.empty() ? std::string()
                                   : QFile::encodeName(QFileInfo(FromBytes(base)).path()).toStdString();
    return FromBytes(DialogStartFolder(kind, QFile::encodeName(folders_[Index(kind)]).toStdString(),
                                       baseFolder, controls_.DirectoryText()));
  };
  dialogs.chose = [this](DialogKind kind, const QString& chosen) {
    folders_[Index(kind)] = kind == DialogKind::Browse ? chosen : QFileInfo(chosen).path();
  };
  Restore();
  FillRecentMenu();
  timer_.setSingleShot(true);
  timer_.setInterval(kSaveDelayMs);
  connect(&timer_, &QTimer::timeout, this, [this] { Save(); });
  changes.Listen([this] {
    NoteBaseFile();
    SaveSoon();
  });
  if (auto* edit = qobject_cast<QLineEdit*>(controls_.widget(ControlId::DirEdit)))
    connect(edit, &QLineEdit::textChanged, this, [this] { SaveSoon(); });
  window_.installEventFilter(this);
}

void Settings::SaveSoon() {
  if (!timer_.isActive()) timer_.start();
}

bool Settings::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
    SaveSoon();
  return QObject::eventFilter(watched, event);
}

void Settings::Restore() {
  QSettings store = Store();
  const std::string directory = PathOf(store.value("baseDirectory"));
  if (!directory.empty()) controls_.SetDirectoryText(directory);
  const QString size = store.value("fontSize").toString();
  const auto items = FontSizeItems();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (size.toStdString() != items[i]) continue;
    controls_.SelectFontSize(static_cast<int>(i));
    panel_.ApplyFontSize();
  }
  bool ok = false;
  const int speed = store.value("speed").toInt(&ok);
  if (ok) {
    controls_.SetTrackbarPosition(speed);
    panel_.UpdateSpeed();
  }
  if (store.contains("onTheFly")) controls_.SetOnTheFlyChecked(store.value("onTheFly").toBool());
  if (store.contains(kMatchCaseKey)) panel_.SetMatchCase(store.value(kMatchCaseKey).toBool());
  const int wanderWords = store.value(kWanderWordsKey).toInt(&ok);
  if (ok) panel_.SetWanderWords(wanderWords);
  panel_.SetWanders(store.value(kWandersKey).toBool());
  for (const QVariant& entry : store.value(kWeightsKey).toList()) {
    if (const auto weight = ParseWeightEntry(entry.toByteArray().toStdString()))
      panel_.SetSourceWeight(weight->directory, weight->name, weight->weight);
  }
  const QByteArray geometry = store.value("geometry").toByteArray();
  restoredGeometry_ = !geometry.isEmpty() && window_.restoreGeometry(geometry);
  for (const DialogKind kind : {DialogKind::Open, DialogKind::Save, DialogKind::Browse}) {
    folders_[Index(kind)] = store.value(kFolderKeys[Index(kind)]).toString();
  }
  const QVariantList recent = store.value("recentFiles").toList();
  for (auto it = recent.rbegin(); it != recent.rend(); ++it)  // oldest first, so the newest ends first
    recent_ = WithRecentFile(recent_, PathOf(*it), kRecentFileCount);
}

void Settings::Save() {
  timer_.stop();
  NoteBaseFile();
  QSettings store = Store();
  store.setValue("baseDirectory", PathValue(controls_.DirectoryText()));
  store.setValue("fontSize", QString::fromStdString(controls_.SelectedFontSizeText()));
  store.setValue("speed", controls_.TrackbarPosition());
  store.setValue("onTheFly", controls_.IsOnTheFlyChecked());
  store.setValue(kMatchCaseKey, panel_.matchCase());
  store.setValue(kWandersKey, panel_.wanders());
  store.setValue(kWanderWordsKey, panel_.wanderWords());
  QVariantList weights;
  for (const std::string& entry : WeightEntries(panel_.weights())) weights << QByteArray::fromStdString(entry);
  store.setValue(kWeightsKey, weights);
  store.setValue("geometry", window_.saveGeometry());
  for (const DialogKind kind : {DialogKind::Open, DialogKind::Save, DialogKind::Browse}) {
    store.setValue(kFolderKeys[Index(kind)], folders_[Index(kind)]);
  }
  QVariantList recent;
  for (const std::string& path : recent_) recent << PathValue(path);
  store.setValue("recentFiles", recent);
}

bool Settings::TakeStartHint() {
  QSettings store = Store();
  if (store.value(kStartHintKey).toBool()) return false;
  store.setValue(kStartHintKey, true);
  store.sync();
  return true;
}

void Settings::NoteBaseFile() {
  if (panel_.baseFile().empty() || panel_.baseFile() == noted_) return;
  noted_ = panel_.baseFile();
  recent_ = WithRecentFile(recent_, noted_, kRecentFileCount);
}

void Settings::FillRecentMenu() {
  NoteBaseFile();
  recentMenu_->clear();
  int index = 0;
  for (const std::string& path : recent_) {
    const RecentItem item = RecentMenuItem(index++, path);
    connect(recentMenu_->addAction(FromBytes(MnemonicText(item.text, item.digit))), &QAction::triggered, this,
            [this, path] { controls_.RunChange([this, path] { panel_.OpenBaseFilePath(path); }); });
  }
  recentMenu_->setEnabled(true);
  if (!recent_.empty()) return;
  const QString none = QString::fromLatin1(kNoRecentFilesText.data(), static_cast<qsizetype>(kNoRecentFilesText.size()));
  recentMenu_->addAction(none)->setEnabled(false);
}

}  // namespace plinvaro::qt
