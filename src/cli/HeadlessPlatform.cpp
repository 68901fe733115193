// HeadlessPlatform: the state-only realisations of the panel's interfaces.
#include "cli/HeadlessPlatform.h"

#include "panel/FontSizes.h"

#include <cstdio>
#include <utility>

namespace plinvaro::cli {
namespace {

std::optional<std::string> TakeAnswer(std::optional<std::string>& answer) {
  return std::exchange(answer, std::nullopt);
}

}  // namespace

void HeadlessControls::EnablePartButton(PartButton button, bool enabled) {
  enabled_[static_cast<std::size_t>(button)] = enabled;
}

std::string HeadlessControls::SelectedFontSizeText() const {
  return std::string(FontSizeItem(fontSizeIndex_));
}

bool HeadlessControls::IsPartButtonEnabled(PartButton button) const {
  return enabled_[static_cast<std::size_t>(button)];
}

std::uint32_t HeadlessTimer::Start(std::uint32_t, std::int32_t periodMs) {
  running_ = true;
  period_ = periodMs;
  return nextHandle_++;
}

std::optional<std::string> HeadlessDialogs::ChooseFileToOpen(const std::vector<FileFilter>&) {
  return TakeAnswer(openAnswer);
}

std::optional<std::string> HeadlessDialogs::ChooseFileToSave(const std::vector<FileFilter>&) {
  return TakeAnswer(saveAnswer);
}

std::optional<std::string> HeadlessDialogs::BrowseForFolder(const std::string&) {
  return TakeAnswer(folderAnswer);
}

void StderrMessages::ShowError(const std::string& text, const std::string& caption) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

}  // namespace plinvaro::cli
