// StatusLine: the playback state, speed, search outcome and preview position as status texts.
#include "desktop/StatusLine.h"

#include <iterator>
#include <vector>

#include "panel/MainPanel.h"
#include "provenance/SeamTexts.h"

namespace plinvaro {
namespace {

std::string PlaybackText(const MainPanel& panel) {
  if (panel.playingFrom() == PlaybackSource::None) return "Stopped";
  return std::string(panel.playing() ? "Playing: " : "Paused: ") + PlayingFile(panel);
}

std::string PreviewText(const MainPanel& panel, const PanelControls& controls) {
  const FoundPart* part = panel.currentFoundPart();
  if (!controls.IsPartButtonEnabled(PartButton::Accept) || part == nullptr) return {};
  const TextSearcher& searcher = panel.results();
  return "part " + std::to_string(searcher.CurrentIndex() + 1) + " of " +
         std::to_string(searcher.PartCount()) + ": " + searcher.FilePath(part->fileIndex);
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

StatusFields ComposeStatus(const MainPanel& panel, const PanelControls& controls) {
  const std::int32_t runWords = panel.CurrentRunWords();
  return {PlaybackText(panel), SpeedText(panel.interval()), PreviewText(panel, controls),
          runWords > 0 ? CurrentRunText(runWords) : std::string(),
          SteeringText(panel, controls.DirectoryText())};
}

const std::string& PlayingFile(const MainPanel& panel) {
  if (panel.playingFrom() == PlaybackSource::Found && !panel.foundFile().empty())
    return panel.foundFile();
  return panel.baseFile();
}

std::string PlayingTitle(const MainPanel& panel) {
  const std::string& file = PlayingFile(panel);
  return file.empty() ? std::string(kAppTitle) : kTitlePrefix + file;
}

}  // namespace plinvaro
