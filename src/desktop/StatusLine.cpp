// StatusLine: the playback state, speed, search outcome and preview position as status texts.
#include "desktop/StatusLine.h"

#include <vector>

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
  if (panel.playingFrom() == PlaybackSource::None) return "Stopped";
  return std::string(panel.playing() ? "Playing: " : "Paused: ") + Named(panel.playingFile(), form);
}

std::string PreviewText(const MainPanel& panel, const PanelControls& controls, StatusForm form) {
  const FoundPart* part = panel.currentFoundPart();
  if (!controls.IsPartButtonEnabled(PartButton::Accept) || part == nullptr) return {};
  const TextSearcher& searcher = panel.results();
  return "part " + std::to_string(searcher.CurrentIndex() + 1) + " of " +
         std::to_string(searcher.PartCount()) + ": " + Named(searcher.FilePath(part->fileIndex), form);
}

std::string RunText(std::int32_t words, StatusForm form) {
  if (words <= 0) return {};
  if (form == StatusForm::Whole) return CurrentRunText(words);
  return "Run: " + std::to_string(words) + (words == 1 ? " word" : " words");
}

std::string Counted(std::int32_t count, const char* singular, const char* plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

}  // namespace

std::string SteeringText(const MainPanel& panel, const std::string& directory) {
  std::vector<std::string> parts;
  if (const std::optional<std::int32_t> left = panel.WordsUntilWander())
    parts.push_back("wander in " + Counted(*left, "word", "words"));
  if (!panel.matchCase()) parts.push_back("case ignored");
  std::int32_t leftOut = 0;
  std::int32_t weighted = 0;
  for (const auto& [name, weight] : panel.weights().In(directory)) {
    if (weight == kLeftOutWeight) {
      ++leftOut;
    } else {
      ++weighted;
    }
  }
  if (leftOut > 0) parts.push_back(Counted(leftOut, "file", "files") + " left out");
  if (weighted > 0) parts.push_back(Counted(weighted, "file", "files") + " weighted");
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
  return text;
}

std::string SpeedText(std::int32_t intervalMs) { return std::to_string(intervalMs) + " ms per word"; }

StatusFields ComposeStatus(const MainPanel& panel, const PanelControls& controls, StatusForm form) {
  return {PlaybackText(panel, form), SpeedText(panel.interval()), PreviewText(panel, controls, form),
          RunText(panel.CurrentRunWords(), form), SteeringText(panel, controls.DirectoryText())};
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

}  // namespace plinvaro
