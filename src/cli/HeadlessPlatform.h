// A face without a screen: in-memory documents and controls, a timer that the caller ticks.
//
// HeadlessPlatform owns every object it hands to MainPanel and must outlive the panel.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "text/MemoryDocument.h"
#include "panel/Platform.h"
#include "panel/SeededRandom.h"

namespace plinvaro::cli {

class HeadlessControls : public PanelControls {
 public:
  void EnablePartButton(PartButton button, bool enabled) override;
  bool IsPartButtonEnabled(PartButton button) const override;
  bool IsOnTheFlyChecked() const override { return onTheFly_; }
  void SetOnTheFlyChecked(bool checked) override { onTheFly_ = checked; }
  std::int32_t TrackbarPosition() const override { return trackbar_; }
  void SetTrackbarPosition(std::int32_t position) override { trackbar_ = position; }
  std::string DirectoryText() const override { return directory_; }
  void SetDirectoryText(const std::string& text) override { directory_ = text; }
  void SetTitle(const std::string& title) override { title_ = title; }
  const std::string& title() const { return title_; }
  void SelectFontSize(int index) override { fontSizeIndex_ = index; }
  std::string SelectedFontSizeText() const override;

 private:
  std::array<bool, 4> enabled_{};
  bool onTheFly_ = true;
  std::int32_t trackbar_ = 0;
  std::string directory_;
  std::string title_;
  int fontSizeIndex_ = -1;
};

// Runs no clock: the caller delivers ticks while running() is true.
class HeadlessTimer : public PlaybackTimer {
 public:
  std::uint32_t Start(std::uint32_t timerId, std::int32_t periodMs) override;
  void Kill(std::uint32_t) override { running_ = false; }
  bool running() const { return running_; }
  std::int32_t period() const { return period_; }

 private:
  bool running_ = false;
  std::int32_t period_ = 0;
  std::uint32_t nextHandle_ = 1;
};

// Answers each dialog once with the path given beforehand; cancels otherwise.
class HeadlessDialogs : public FileDialogs {
 public:
  std::optional<std::string> ChooseFileToOpen(const std::vector<FileFilter>&) override;
  std::optional<std::string> ChooseFileToSave(const std::vector<FileFilter>&) override;
  std::optional<std::string> BrowseForFolder(const std::string&) override;
  std::optional<std::string> openAnswer;
  std::optional<std::string> saveAnswer;
  std::optional<std::string> folderAnswer;
};

// Message boxes become lines on stderr.
class StderrMessages : public MessageBoxes {
 public:
  void ShowError(const std::string& text, const std::string& caption) override;
};

class HeadlessPlatform {
 public:
  explicit HeadlessPlatform(std::uint64_t seed) : random(seed) {}
  HeadlessPlatform(const HeadlessPlatform&) = delete;
  HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

  Platform platform() {
    return Platform{sourceBox, previewBox, controls, timer, dialogs, messages, random};
  }

  MemoryDocument sourceBox;
  MemoryDocument previewBox;
  HeadlessControls controls;
  HeadlessTimer timer;
  HeadlessDialogs dialogs;
  StderrMessages messages;
  PinnedRandom random;
};

}  // namespace plinvaro::cli
