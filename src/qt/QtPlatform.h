// The Qt realisations of the controller's timer, file dialogs and message boxes.
//
// Each object refers to a parent widget owned elsewhere, which must outlive it.
// Paths cross as 8-bit strings in the file system's encoding.
#pragma once

#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "desktop/DesktopMemory.h"
#include "panel/Platform.h"

class QFileDialog;
class QWidget;

namespace plinvaro::qt {

// One QTimer per timer id; it keeps ticking inside modal dialogs and message boxes.
class QtPlaybackTimer : public PlaybackTimer {
 public:
  // `onTick` runs from the event loop once per period of a running timer.
  explicit QtPlaybackTimer(std::function<void()> onTick) : onTick_(std::move(onTick)) {}
  std::uint32_t Start(std::uint32_t timerId, std::int32_t periodMs) override;
  void Kill(std::uint32_t timerId) override;
  bool IsRunning(std::uint32_t timerId) const;
  int Interval(std::uint32_t timerId) const;  // ms; 0 for no such timer

 private:
  std::function<void()> onTick_;
  std::map<std::uint32_t, std::unique_ptr<QTimer>> timers_;
};

// The filter string a Qt file dialog shows for one filter: its label, with the
// pattern added in parentheses unless the label already ends with it.
QString NameFilter(const FileFilter& filter);

// Qt's own (non-native) dialogs, so that every option holds on every desktop.
class QtFileDialogs : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent) : parent_(parent) {}
  std::optional<std::string> ChooseFileToOpen(const std::vector<FileFilter>& filters) override;
  std::optional<std::string> ChooseFileToSave(const std::vector<FileFilter>& filters) override;
  std::optional<std::string> BrowseForFolder(const std::string& title) override;

  // Where a dialog of each kind opens, and what it chose (unset: the toolkit's choice).
  std::function<QString(DialogKind)> startFolder;
  std::function<void(DialogKind, const QString& chosen)> chose;

 private:
  std::optional<std::string> Run(QFileDialog& dialog, DialogKind kind);

  QWidget* parent_;  // not owned
};

// A QMessageBox with an OK button and no icon over `parent`; the text is plain.
class QtMessageBoxes : public MessageBoxes {
 public:
  explicit QtMessageBoxes(QWidget* parent) : parent_(parent) {}
  void ShowMessage(const std::string& text, const std::string& caption) override;

 private:
  QWidget* parent_;  // not owned
};

}  // namespace plinvaro::qt
