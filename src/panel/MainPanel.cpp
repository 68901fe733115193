// MainPanel: construction, command routing and the helpers the commands share.
#include "panel/MainPanel.h"

#include <ctime>

#include "window/FontSizes.h"

namespace plinvaro {

MainPanel::MainPanel(const Platform& platform)
    : sourceBox_(platform.sourceBox),
      previewBox_(platform.previewBox),
      controls_(platform.controls),
      timer_(platform.timer),
      dialogs_(platform.dialogs),
      messages_(platform.messages),
      random_(platform.random),
      provenance_(platform.sourceBox) {
  provenance_.SetAfterChange([this] {
    if (changeDepth_ == 0) Changed();
  });
  DisablePartButtons();
  controls_.SetOnTheFlyChecked(true);
  controls_.SetTrackbarPosition(kInitialTrackbarPosition);
  controls_.SetDirectoryText(std::string());
  controls_.SetTitle(kAppTitle);
  controls_.SelectFontSize(kInitialFontSizeIndex);
  ApplyFontSize();
  sourceBox_.Focus();
  random_.Seed(static_cast<std::uint32_t>(std::time(nullptr)));
  savedTextHash_ = TextHash({});  // the box starts empty; no call reaches it here
}

void MainPanel::StopTimer() {
  isPlaying = false;
  timer_.Kill(timerId);
  timerHandle = 0;
}

void MainPanel::DisablePartButtons() {
  controls_.EnablePartButton(PartButton::Prev, false);
  controls_.EnablePartButton(PartButton::Next, false);
  controls_.EnablePartButton(PartButton::Accept, false);
  controls_.EnablePartButton(PartButton::More, false);
}

void MainPanel::HidePreview() {
  DisablePartButtons();
  previewBox_.Clear();
}

void MainPanel::ShowTitleFor(const std::string& path) {
  if (titleFollowsPlayback_) return;
  controls_.SetTitle(path.empty() ? std::string(kAppTitle) : kTitlePrefix + path);
}

const std::string& MainPanel::playingFile() const {
  if (playbackSource == PlaybackSource::Found && !foundFilePath.empty()) return foundFilePath;
  return baseFilePath;
}

void MainPanel::SetTitleFollowsPlayback(bool follows) {
  titleFollowsPlayback_ = false;
  ShowTitleFor(playingFile());
  titleFollowsPlayback_ = follows;
}

void MainPanel::Changed() {
  ++revision_;
  if (titleFollowsPlayback_) {
    const std::string& file = playingFile();
    controls_.SetTitle(file.empty() ? std::string(kAppTitle) : kTitlePrefix + file);
  }
  if (changed_) changed_();
}

FoundPart* MainPanel::CurrentPart() {
  if (searcher.currentPart == searcher.EndPart()) return nullptr;
  return searcher.currentPart->get();
}

}  // namespace plinvaro
