// The state-only realisations of the panel's interfaces.
#include "headless/HeadlessParts.h"

#include "window/FontSizes.h"

namespace plinvaro::headless {
namespace {

std::optional<std::string> NextAnswer(std::deque<std::optional<std::string>>& queue) {
  if (queue.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(queue.front());
  queue.pop_front();
  return answer;
}

}  // namespace

void HeadlessControls::EnablePartButton(PartButton button, bool enabled) {
  enabled_[static_cast<std::size_t>(button)] = enabled;
}

bool HeadlessControls::IsPartButtonEnabled(PartButton button) const {
  return enabled_[static_cast<std::size_t>(button)];
}

std::string HeadlessControls::SelectedFontSizeText() const {
  return std::string(FontSizeItem(fontSizeIndex));
}

std::uint32_t HeadlessTimer::Start(std::uint32_t, std::int32_t periodMs) {
  running = true;
  period = periodMs;
  return nextHandle++;
}

void HeadlessTimer::Kill(std::uint32_t) { running = false; }

std::optional<std::string> QueuedDialogs::ChooseFileToOpen(const std::vector<FileFilter>&) {
  return NextAnswer(openAnswers);
}

std::optional<std::string> QueuedDialogs::ChooseFileToSave(const std::vector<FileFilter>&) {
  return NextAnswer(saveAnswers);
}

std::optional<std::string> QueuedDialogs::BrowseForFolder(const std::string&) {
  return NextAnswer(folderAnswers);
}

std::int32_t QueuedRandom::Next() {
  if (values.empty()) return 0;
  const std::int32_t value = values.front();
  values.pop_front();
  return value;
}

}  // namespace plinvaro::headless
