// StatusLine: the playback state, speed, search outcome and preview position as status texts.
#include "desktop/StatusLine.h"


#include "panel/MainPanel.h"
#include "provenance/SeamTexts.h"

namespace plinvaro {
namespace {

std::string PlaybackText(const MainPanel& panel) {
  if (panel.playingFrom() == PlaybackSource::None) return "Stopped";
  return std::string(panel.playing() ? "Playing: " : "Paused: ") + panel.playingFile();
}

std::string PreviewText(const MainPanel& panel, const PanelControls& controls) {
  const FoundPart* part = panel.currentFoundPart();
  if (!controls.IsPartButtonEnabled(PartButton::Accept) || part == nullptr) return {};
  const TextSearcher& searcher = panel.results();
  return "part " + std::to_string(searcher.CurrentIndex() + 1) + " of " +
         std::to_string(searcher.PartCount()) + ": " + searcher.FilePath(part->fileIndex);
}

}  // namespace

std::string SpeedText(std::int32_t intervalMs) { return std::to_string(intervalMs) + " ms per word"; }

StatusFields ComposeStatus(const MainPanel& panel, const PanelControls& controls) {
  const std::int32_t runWords = panel.CurrentRunWords();
  return {PlaybackText(panel), SpeedText(panel.interval()), PreviewText(panel, controls),
          runWords > 0 ? CurrentRunText(runWords) : std::string()};
}

}  // namespace plinvaro
