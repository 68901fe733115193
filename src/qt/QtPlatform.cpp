// QTimer playback, Qt file and folder dialogs, and icon-less message boxes.
#include "qt/QtPlatform.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

namespace plinvaro::qt {
namespace {

QString FromBytes(const std::string& bytes) {
  return QFile::decodeName(QByteArray::fromStdString(bytes));
}

QStringList NameFilters(const std::vector<FileFilter>& filters) {
  QStringList list;
  for (const FileFilter& filter : filters) list << NameFilter(filter);
  return list;
}


void UseFilters(QFileDialog& dialog, const std::vector<FileFilter>& filters) {
  const QStringList list = NameFilters(filters);
  dialog.setNameFilters(list);
  if (!list.isEmpty()) dialog.selectNameFilter(list.first());
}

}  // namespace

std::uint32_t QtPlaybackTimer::Start(std::uint32_t timerId, std::int32_t periodMs) {
  auto& timer = timers_[timerId];
  if (!timer) {
    timer = std::make_unique<QTimer>();
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer.get(), &QTimer::timeout, [this] { onTick_(); });
  }
  timer->start(std::max(periodMs, 0));
  return timerId + 1;  // never 0
}

void QtPlaybackTimer::Kill(std::uint32_t timerId) {
  const auto found = timers_.find(timerId);
  if (found != timers_.end()) found->second->stop();
}

bool QtPlaybackTimer::IsRunning(std::uint32_t timerId) const {
  const auto found = timers_.find(timerId);
  return found != timers_.end() && found->second->isActive();
}

int QtPlaybackTimer::Interval(std::uint32_t timerId) const {
  const auto found = timers_.find(timerId);
  return found == timers_.end() ? 0 : found->second->interval();
}

// The chosen path, or nothing when the dialog was cancelled or chose nothing.
std::optional<std::string> QtFileDialogs::Run(QFileDialog& dialog, DialogKind kind) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (startFolder) {
    const QString folder = startFolder(kind);
    if (!folder.isEmpty()) dialog.setDirectory(folder);
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
  if (chose) chose(kind, chosen.first());
  return QFile::encodeName(chosen.first()).toStdString();
}

QString NameFilter(const FileFilter& filter) {
  const QString label = FromBytes(filter.label);
  const QString pattern = FromBytes(filter.pattern);
  if (label.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))) return label;
  return label + QLatin1String(" (") + pattern + QLatin1Char(')');
}

std::optional<std::string> QtFileDialogs::ChooseFileToOpen(const std::vector<FileFilter>& filters) {
  QFileDialog dialog(parent_);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  UseFilters(dialog, filters);
  return Run(dialog, DialogKind::Open);
}

std::optional<std::string> QtFileDialogs::ChooseFileToSave(const std::vector<FileFilter>& filters) {
  QFileDialog dialog(parent_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setDefaultSuffix(QString());
  UseFilters(dialog, filters);
  return Run(dialog, DialogKind::Save);
}

std::optional<std::string> QtFileDialogs::BrowseForFolder(const std::string& title) {
  QFileDialog dialog(parent_, FromBytes(title));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  return Run(dialog, DialogKind::Browse);
}

void QtMessageBoxes::ShowMessage(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::NoIcon, FromBytes(caption), FromBytes(text), QMessageBox::Ok,
                  parent_);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace plinvaro::qt
