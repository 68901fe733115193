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

bool MainPanel::RunCommand(int commandId) {
  switch (static_cast<PanelCommand>(commandId)) {
    case PanelCommand::Browse: BrowseDirectory(); return true;
    case PanelCommand::Start: StartPlayback(); return true;
    case PanelCommand::Pause: PausePlayback(); return true;
    case PanelCommand::Search: RunSearch(); return true;
    case PanelCommand::ToSrc: BackToBase(); return true;
    case PanelCommand::Stop: StopPlayback(); return true;
    case PanelCommand::Prev: PreviousPart(); return true;
    case PanelCommand::Next: NextPart(); return true;
    case PanelCommand::Accept: AcceptPart(); return true;
    case PanelCommand::OnTheFly: SwitchMode(false); return true;  // the box already flipped itself
    case PanelCommand::More: MoreText(); return true;
  }
  return false;
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
  controls_.SetTitle(std::string(kTitlePrefix) + path);
}

FoundPart* MainPanel::CurrentPart() {
  if (searcher.currentPart == searcher.EndPart()) return nullptr;
  return searcher.currentPart->get();
}

}  // namespace plinvaro
