// A face for tests: in-memory documents and controls that record every call the panel makes.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "text/MemoryDocument.h"
#include "panel/FontSizes.h"
#include "panel/Platform.h"

namespace plinvaro::testing {

class RecordingControls : public PanelControls {
 public:
  void EnablePartButton(PartButton button, bool enabled) override {
    enabled_[static_cast<std::size_t>(button)] = enabled;
  }
  bool IsPartButtonEnabled(PartButton button) const override {
    return enabled_[static_cast<std::size_t>(button)];
  }
  bool IsOnTheFlyChecked() const override { return onTheFly; }
  void SetOnTheFlyChecked(bool checked) override { onTheFly = checked; }
  std::int32_t TrackbarPosition() const override { return trackbar; }
  void SetTrackbarPosition(std::int32_t position) override { trackbar = position; }
  std::string DirectoryText() const override { return directory; }
  void SetDirectoryText(const std::string& text) override { directory = text; }
  void SetTitle(const std::string& title) override { titles.push_back(title); }
  void SelectFontSize(int index) override { fontSizeIndex = index; }
  std::string SelectedFontSizeText() const override {
    return std::string(FontSizeItem(fontSizeIndex));
  }

  // "<<", ">>", "Accept", "\/" as four truth values.
  std::array<bool, 4> Buttons() const { return enabled_; }
  std::string title() const { return titles.empty() ? std::string() : titles.back(); }

  bool onTheFly = false;
  std::int32_t trackbar = 0;
  std::string directory;
  std::vector<std::string> titles;
  int fontSizeIndex = -1;

 private:
  std::array<bool, 4> enabled_{true, true, true, true};
};

struct TimerCall {
  bool start = false;  // false: Kill
  std::uint32_t id = 0;
  std::int32_t periodMs = 0;
  bool operator==(const TimerCall&) const = default;
};

class RecordingTimer : public PlaybackTimer {
 public:
  std::uint32_t Start(std::uint32_t timerId, std::int32_t periodMs) override {
    calls.push_back({true, timerId, periodMs});
    running = true;
    period = periodMs;
    return nextHandle++;
  }
  void Kill(std::uint32_t timerId) override {
    calls.push_back({false, timerId, 0});
    running = false;
  }
  std::vector<TimerCall> calls;
  bool running = false;
  std::int32_t period = 0;
  std::uint32_t nextHandle = 41;
};

// Answers each dialog from a queue (nullopt: the user cancels) and notes
// whether the timer ran when the dialog opened.
class ScriptedDialogs : public FileDialogs {
 public:
  explicit ScriptedDialogs(const RecordingTimer& timer) : timer_(timer) {}
  std::optional<std::string> ChooseFileToOpen(const std::vector<FileFilter>& filters) override {
    lastFilters = filters;
    return Answer(openAnswers, "open");
  }
  std::optional<std::string> ChooseFileToSave(const std::vector<FileFilter>& filters) override {
    lastFilters = filters;
    return Answer(saveAnswers, "save");
  }
  std::optional<std::string> BrowseForFolder(const std::string& title) override {
    lastBrowseTitle = title;
    return Answer(folderAnswers, "browse");
  }

  std::deque<std::optional<std::string>> openAnswers;
  std::deque<std::optional<std::string>> saveAnswers;
  std::deque<std::optional<std::string>> folderAnswers;
  std::vector<std::pair<std::string, bool>> opened;  // dialog kind, timer running then
  std::vector<FileFilter> lastFilters;
  std::string lastBrowseTitle;

 private:
  std::optional<std::string> Answer(std::deque<std::optional<std::string>>& queue,
                                    const char* kind) {
    opened.emplace_back(kind, timer_.running);
    if (queue.empty()) return std::nullopt;
    std::optional<std::string> answer = queue.front();
    queue.pop_front();
    return answer;
  }
  const RecordingTimer& timer_;
};

class RecordingMessages : public MessageBoxes {
 public:
  void ShowError(const std::string& text, const std::string& caption) override {
    shown.emplace_back(text, caption);
  }
  std::vector<std::pair<std::string, std::string>> shown;
};

// Hands out queued values, then 0.
class ScriptedRandom : public RandomSource {
 public:
  void Seed(std::uint32_t seed) override { seeds.push_back(seed); }
  std::int32_t Next() override {
    if (values.empty()) return 0;
    const std::int32_t value = values.front();
    values.pop_front();
    return value;
  }
  std::deque<std::int32_t> values;
  std::vector<std::uint32_t> seeds;
};

// The main window as the menu commands see it.
class RecordingWindowHost : public MainWindowHost {
 public:
  void CloseMainWindow() override { ++closeRequests; }
  void ShowMessage(const std::string& text, const std::string& caption) override {
    shown.emplace_back(text, caption);
  }
  int closeRequests = 0;
  std::vector<std::pair<std::string, std::string>> shown;
};

class RecordingPlatform {
 public:
  RecordingPlatform() = default;
  RecordingPlatform(const RecordingPlatform&) = delete;
  RecordingPlatform& operator=(const RecordingPlatform&) = delete;

  Platform platform() {
    return Platform{sourceBox, previewBox, controls, timer, dialogs, messages, random};
  }

  MemoryDocument sourceBox;
  MemoryDocument previewBox;
  RecordingControls controls;
  RecordingTimer timer;
  ScriptedDialogs dialogs{timer};
  RecordingMessages messages;
  ScriptedRandom random;
};

}  // namespace plinvaro::testing
