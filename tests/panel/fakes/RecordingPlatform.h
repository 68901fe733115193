// The headless platform for tests: documents, timer and dialogs that also record the calls the panel makes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "text/MemoryDocument.h"
#include "headless/HeadlessPlatform.h"

namespace plinvaro::testing {

enum class ScrollRequest { None, Caret, Top, Bottom };

// Notes the last scroll request and counts focus requests.
class RecordingDocument : public MemoryDocument {
 public:
  void ScrollCaret() override { lastScroll_ = ScrollRequest::Caret; }
  void ScrollToTop() override { lastScroll_ = ScrollRequest::Top; }
  void ScrollToBottom() override { lastScroll_ = ScrollRequest::Bottom; }
  void Focus() override { ++focusCount_; }
  int focusCount() const { return focusCount_; }
  ScrollRequest lastScroll() const { return lastScroll_; }
  void ResetScroll() { lastScroll_ = ScrollRequest::None; }
  int rangeReads() const { return rangeReads_; }

 protected:
  std::u16string DoGetRangeText(std::int32_t start, std::int32_t end) const override {
    ++rangeReads_;
    return MemoryDocument::DoGetRangeText(start, end);
  }

 private:
  mutable int rangeReads_ = 0;
  int focusCount_ = 0;
  ScrollRequest lastScroll_ = ScrollRequest::None;
};

struct TimerCall {
  bool start = false;  // false: Kill
  std::uint32_t id = 0;
  std::int32_t periodMs = 0;
  bool operator==(const TimerCall&) const = default;
};

class RecordingTimer : public headless::HeadlessTimer {
 public:
  std::uint32_t Start(std::uint32_t timerId, std::int32_t periodMs) override {
    calls.push_back({true, timerId, periodMs});
    return HeadlessTimer::Start(timerId, periodMs);
  }
  void Kill(std::uint32_t timerId) override {
    calls.push_back({false, timerId, 0});
    HeadlessTimer::Kill(timerId);
  }
  std::vector<TimerCall> calls;
};

// Notes each dialog's kind and arguments, and whether the timer ran when it opened.
class ScriptedDialogs : public headless::QueuedDialogs {
 public:
  std::optional<std::string> ChooseFileToOpen(const std::vector<FileFilter>& filters) override {
    Opened("open", filters);
    return QueuedDialogs::ChooseFileToOpen(filters);
  }
  std::optional<std::string> ChooseFileToSave(const std::vector<FileFilter>& filters) override {
    Opened("save", filters);
    return QueuedDialogs::ChooseFileToSave(filters);
  }
  std::optional<std::string> BrowseForFolder(const std::string& title) override {
    lastBrowseTitle = title;
    opened.emplace_back("browse", TimerRunning());
    return QueuedDialogs::BrowseForFolder(title);
  }

  const headless::HeadlessTimer* timer = nullptr;  // not owned
  std::vector<std::pair<std::string, bool>> opened;  // dialog kind, timer running then
  std::vector<FileFilter> lastFilters;
  std::string lastBrowseTitle;

 private:
  bool TimerRunning() const { return timer != nullptr && timer->running; }
  void Opened(const char* kind, const std::vector<FileFilter>& filters) {
    lastFilters = filters;
    opened.emplace_back(kind, TimerRunning());
  }
};

using RecordingWindowHost = headless::HeadlessWindowHost;

class RecordingPlatform
    : public headless::BasicHeadlessPlatform<RecordingDocument, RecordingTimer, ScriptedDialogs> {
 public:
  RecordingPlatform() { dialogs.timer = &timer; }
};

}  // namespace plinvaro::testing
