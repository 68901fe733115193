// StatusLine: the playback state, speed, search outcome and preview position as status texts.
#include "desktop/StatusLine.h"

#include <iterator>

#include "panel/MainPanel.h"
#include "provenance/SeamTexts.h"

namespace plinvaro {
namespace {

std::string PlaybackText(const MainPanel& panel) {
  if (panel.playbackSource == PlaybackSource::None) return "Stopped";
  return std::string(panel.isPlaying ? "Playing: " : "Paused: ") + PlayingFile(panel);
}

std::string PreviewText(MainPanel& panel, const PanelControls& controls) {
  TextSearcher& searcher = panel.searcher;
  if (!controls.IsPartButtonEnabled(PartButton::Accept)) return {};
  if (searcher.currentPart == searcher.EndPart()) return {};
  const auto k = std::distance(searcher.FirstPart(), searcher.currentPart) + 1;
  return "part " + std::to_string(k) + " of " + std::to_string(searcher.PartCount()) + ": " +
         searcher.FilePath((*searcher.currentPart)->fileIndex);
}

}  // namespace

std::string SpeedText(std::int32_t intervalMs) { return std::to_string(intervalMs) + " ms per word"; }

StatusFields ComposeStatus(MainPanel& panel, const PanelControls& controls) {
  const std::int32_t runWords = panel.CurrentRunWords();
  return {PlaybackText(panel), SpeedText(panel.timerInterval), PreviewText(panel, controls),
          runWords > 0 ? CurrentRunText(runWords) : std::string()};
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
