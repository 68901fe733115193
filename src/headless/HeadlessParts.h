// The panel's interfaces realised in memory: controls, timer, dialogs, message boxes, random numbers, main window.
//
// Each part only keeps state that callers set and read back; none has a screen
// or a clock. Paths and texts are 8-bit strings.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "panel/Platform.h"

namespace plinvaro::headless {

class HeadlessControls : public PanelControls {
 public:
  void EnablePartButton(PartButton button, bool enabled) override;
  bool IsPartButtonEnabled(PartButton button) const override;
  bool IsOnTheFlyChecked() const override { return onTheFly; }
  void SetOnTheFlyChecked(bool checked) override { onTheFly = checked; }
  std::int32_t TrackbarPosition() const override { return trackbar; }
  void SetTrackbarPosition(std::int32_t position) override { trackbar = position; }
  std::string DirectoryText() const override { return directory; }
  void SetDirectoryText(const std::string& text) override { directory = text; }
  bool DirectoryHasFocus() const override { return directoryHasFocus; }
  void SetTitle(const std::string& title) override { title_ = title; }
  void SelectFontSize(int index) override { fontSizeIndex = index; }
  // The text of list item `fontSizeIndex`; empty when no item is selected.
  std::string SelectedFontSizeText() const override;

  // "<<", ">>", "Accept", "\/" as four truth values.
  std::array<bool, 4> Buttons() const { return enabled_; }
  // The title last set; empty before the first.
  const std::string& title() const { return title_; }

  bool onTheFly = false;
  std::int32_t trackbar = 0;
  std::string directory;
  bool directoryHasFocus = false;  // as a face would report it
  int fontSizeIndex = -1;  // 0-based; -1: none selected

 private:
  std::array<bool, 4> enabled_{};
  std::string title_;
};

// Runs no clock: the caller delivers ticks while `running` is true.
class HeadlessTimer : public PlaybackTimer {
 public:
  // Every start succeeds and gets a new non-zero handle.
  std::uint32_t Start(std::uint32_t timerId, std::int32_t periodMs) override;
  void Kill(std::uint32_t timerId) override;

  bool running = false;
  std::int32_t period = 0;  // ms, as last started
  std::uint32_t nextHandle = 1;
};

// Answers each dialog with the next answer queued for its kind (nullopt: the
// user cancels); an empty queue cancels.
class QueuedDialogs : public FileDialogs {
 public:
  std::optional<std::string> ChooseFileToOpen(const std::vector<FileFilter>& filters) override;
  std::optional<std::string> ChooseFileToSave(const std::vector<FileFilter>& filters) override;
  std::optional<std::string> BrowseForFolder(const std::string& title) override;

  std::deque<std::optional<std::string>> openAnswers;
  std::deque<std::optional<std::string>> saveAnswers;
  std::deque<std::optional<std::string>> folderAnswers;
};

// Keeps every box shown, in order, as (text, caption).
class ShownMessages : public MessageBoxes {
 public:
  void ShowMessage(const std::string& text, const std::string& caption) override {
    shown.emplace_back(text, caption);
  }
  std::vector<std::pair<std::string, std::string>> shown;
};

// Hands out queued values, then 0; keeps the seeds it is given.
class QueuedRandom : public RandomSource {
 public:
  void Seed(std::uint32_t seed) override { seeds.push_back(seed); }
  std::int32_t Next() override;

  std::deque<std::int32_t> values;
  std::vector<std::uint32_t> seeds;
};

// A main window that counts the requests to close it and stays open.
class HeadlessWindowHost : public MainWindowHost {
 public:
  void CloseMainWindow() override { ++closeRequests; }
  int closeRequests = 0;
};

}  // namespace plinvaro::headless
