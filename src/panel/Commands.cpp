// MainPanel::Run: every command of the vocabulary, whichever control, item or key gave it.
#include <string>

#include "panel/MainPanel.h"
#include "window/WindowTexts.h"

namespace plinvaro {

bool MainPanel::Run(Command command) {
  const ChangeScope change(*this);
  switch (command) {
    case Command::Browse: BrowseDirectory(); return true;
    case Command::Start: StartPlayback(); return true;
    case Command::Pause: PausePlayback(); return true;
    case Command::Search: BeginSearch(); return true;
    case Command::ToSrc: BackToBase(); return true;
    case Command::Stop: StopPlayback(); return true;
    case Command::Prev: PreviousPart(); return true;
    case Command::Next: NextPart(); return true;
    case Command::Accept: AcceptPart(); return true;
    case Command::OnTheFly: SwitchMode(false); return true;  // the box already flipped itself
    case Command::More: MoreText(); return true;
    case Command::Open: OpenBaseFile(); return true;
    case Command::SaveAs: SaveSourceAs(); return true;
    case Command::Copy: CopySource(); return true;
    case Command::Cut: CutSource(); return true;
    case Command::Paste: PasteSource(); return true;
    case Command::SelectAll: SelectAllSource(); return true;
    case Command::About: ShowMessage(std::string(kAboutText), std::string(kAboutCaption)); return true;
    case Command::SlowDown: SlowDown(); return true;
    case Command::SpeedUp: SpeedUp(); return true;
    case Command::FocusSourceBox: FocusSourceBox(); return true;
    case Command::FocusPreviewBox: FocusPreviewBox(); return true;
    case Command::SwitchMode: SwitchMode(true); return true;
    case Command::ExportSources: ExportSources(); return true;
    case Command::UndoJoin: UndoJoin(); return true;
    case Command::RetryJoin: RetryJoin(); return true;
    case Command::Exit:
    case Command::ViewHotkeys:
    case Command::ToggleTint:
    case Command::ToggleSources:
    case Command::ToggleFoundParts: return RunInWindow(command);
  }
  return false;
}

bool MainPanel::RunInWindow(Command command) {
  if (command == Command::ViewHotkeys && (window_ == nullptr || !window_->ShowHotkeysBox())) {
    ShowMessage(std::string(kHotkeyHelpText), std::string(kHotkeysCaption));
    return true;
  }
  if (window_ == nullptr) return false;
  if (command == Command::Exit) {
    window_->CloseMainWindow();
  } else if (command != Command::ViewHotkeys) {
    window_->ToggleView(command);
  }
  return true;
}

}  // namespace plinvaro
