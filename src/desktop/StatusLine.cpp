// StatusLine: the playback state, speed, search outcome and preview position as status texts.
#include "desktop/StatusLine.h"

#include <iterator>

#include "panel/MainPanel.h"
#include "panel/SearchOutcome.h"
#include "provenance/SeamTexts.h"
#include "text/FileAccess.h"
#include "window/ControlTable.h"

namespace plinvaro {
namespace {

std::string Named(const std::string& path, StatusForm form) {
  return form == StatusForm::Whole ? path : LastName(path);
}

std::string PlaybackText(const MainPanel& panel, StatusForm form) {
  if (panel.playbackSource == PlaybackSource::None) return "Stopped";
  return std::string(panel.isPlaying ? "Playing: " : "Paused: ") + Named(PlayingFile(panel), form);
}

std::string PreviewText(MainPanel& panel, const PanelControls& controls, StatusForm form) {
  TextSearcher& searcher = panel.searcher;
  if (!controls.IsPartButtonEnabled(PartButton::Accept)) return {};
  if (searcher.currentPart == searcher.EndPart()) return {};
  const auto k = std::distance(searcher.FirstPart(), searcher.currentPart) + 1;
  return "part " + std::to_string(k) + " of " + std::to_string(searcher.PartCount()) + ": " +
         Named(searcher.FilePath((*searcher.currentPart)->fileIndex), form);
}

std::string RunText(std::int32_t words, StatusForm form) {
  if (words <= 0) return {};
  if (form == StatusForm::Whole) return CurrentRunText(words);
  return "Run: " + std::to_string(words) + (words == 1 ? " word" : " words");
}

}  // namespace

std::string SpeedText(std::int32_t intervalMs) { return std::to_string(intervalMs) + " ms per word"; }

StatusFields ComposeStatus(MainPanel& panel, const PanelControls& controls, StatusForm form) {
  return {PlaybackText(panel, form), SpeedText(panel.timerInterval), PreviewText(panel, controls, form),
          RunText(panel.CurrentRunWords(), form)};
}

std::string SearchOutcomeStatus(const SearchOutcome& outcome, StatusForm form) {
  if (form == StatusForm::Whole) return SearchOutcomeText(outcome);
  switch (outcome.kind) {
    case SearchOutcomeKind::NoDirectory:
      return "no directory chosen: pick one with \"" + std::string(Control(ControlId::BrowseButton).text) + '"';
    case SearchOutcomeKind::CannotRead:
      return LastName(outcome.directory) + ": " + outcome.reason;
    case SearchOutcomeKind::NoTextFiles:
      return "no .txt files in " + LastName(outcome.directory);
    default:
      return SearchOutcomeText(outcome);
  }
}

std::string LastName(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && IsPathSeparator(trimmed.back())) trimmed.pop_back();
  const std::string name = BaseNameOf(trimmed);
  return name.empty() ? trimmed : name;
}

const std::string& PlayingFile(const MainPanel& panel) {
  if (panel.playbackSource == PlaybackSource::Found && !panel.foundFilePath.empty())
    return panel.foundFilePath;
  return panel.baseFilePath;
}

std::string PlayingTitle(const MainPanel& panel) {
  const std::string& file = PlayingFile(panel);
  return file.empty() ? std::string(kAppTitle) : kTitlePrefix + file;
}

}  // namespace plinvaro
