// MainPanel's text-source operations and the document operations the commands share.
#include "panel/MainPanel.h"

namespace plinvaro {

void MainPanel::OpenBaseSource() {
  if (baseFilePath.empty()) return;
  baseSource.Open(baseFilePath, 0);
}

void MainPanel::CloseBaseSource() { baseSource.Close(); }

void MainPanel::OpenFoundSource() {
  const FoundPart* part = CurrentPart();
  if (part == nullptr) return;
  foundFilePath = searcher.FilePath(part->fileIndex);
  foundSource.Open(foundFilePath, part->offset);
}

void MainPanel::CloseFoundSource() {
  foundSource.Close();
  foundFilePath.clear();
}

TextSource& MainPanel::ActiveSource() {
  return playbackSource == PlaybackSource::Base ? baseSource : foundSource;
}

void MainPanel::RefreshLengths() {
  sourceLength = sourceBox_.Length();
  previewLength = previewBox_.Length();
}

void MainPanel::SetSourceSelection(std::int32_t start, std::int32_t end) {
  sourceBox_.SetSelection(start, end);
}

void MainPanel::SelectAllSource() {
  const ChangeScope change(*this);
  RefreshLengths();
  sourceBox_.SetSelection(0, sourceLength);
}

bool MainPanel::SourceHasText() {
  RefreshLengths();
  return sourceLength != 0;
}

bool MainPanel::SourceHasSelection() { return !sourceBox_.GetSelection().IsEmpty(); }

bool MainPanel::SourceCanPaste() { return sourceBox_.CanPaste(); }

}  // namespace plinvaro
