// MainPanel's joins: noting each one, Undo join and Retry join, and the origin of accepted text.
#include <algorithm>
#include <cstring>

#include "text/AnsiConversion.h"
#include "panel/MainPanel.h"
#include "provenance/ProvenanceTexts.h"

namespace plinvaro {

void MainPanel::RecordJoin(std::int32_t position) {
  JoinRecord before;
  before.source = playbackSource;
  if (playbackSource != PlaybackSource::None) {
    const TextSource& source = ActiveSource();
    before.path = source.path;
    before.position = source.position;
  }
  std::string shared;
  if (const FoundPart* part = CurrentPart()) shared = searcher.MatchedPattern(*part);
  provenance_.BeginJoin(position, std::move(before), std::move(shared));
}

SpanOrigin MainPanel::AcceptOrigin(const FoundPart& part, std::int32_t from,
                                   const std::u16string& text, const std::string& file) const {
  const std::string bytes = WideToAnsi(text, static_cast<std::int32_t>(text.size()));
  const std::int64_t last = static_cast<std::int64_t>(from) + static_cast<std::int64_t>(bytes.size());
  // The preview box may have been edited: only the part's own bytes have its file's origin.
  const bool fromFile = from >= 0 && last <= part.TextBytes() &&
                        (bytes.empty() ||
                         std::memcmp(part.text->data() + from, bytes.data(), bytes.size()) == 0);
  if (!fromFile) return SpanOrigin(SpanKind::Unknown);
  return SpanOrigin(SpanKind::Accepted, file, part.offset + from);
}

bool MainPanel::UndoJoin() {
  const ChangeScope change(*this);
  StopTimer();
  if (provenance_.joins().empty()) {
    ShowMessage(kNoJoinText, kUndoJoinCaption);
    return false;
  }
  const JoinRecord& last = provenance_.joins().back();
  if (provenance_.HoldsUserText(last.start, last.end)) {
    ShowMessage(kJoinEditedText, kUndoJoinCaption);
    return false;
  }
  const JoinRecord join = *provenance_.EndLastJoin();
  HidePreview();
  searcher.ClearResults();
  PartsReplaced();
  sourceBox_.ReplaceRange(join.start, join.end, std::u16string());
  SetSourceSelection(join.start, join.start);
  RestorePlayback(join);
  sourceBox_.ScrollCaret();
  sourceBox_.Focus();
  return true;
}

bool MainPanel::RetryJoin() {
  const ChangeScope change(*this);
  if (!UndoJoin()) return false;
  BeginSearch();
  return true;
}

namespace {

// Puts `source` at `position` of `path`, keeping the view it holds when it is that file's.
void Reposition(TextSource& source, const std::string& path, std::int32_t position) {
  if (source.HasView() && source.path == path) {
    source.position = position;
    return;
  }
  source.Open(path, position);
}

}  // namespace

void MainPanel::RestorePlayback(const JoinRecord& join) {
  playbackSource = join.source;
  switch (join.source) {
    case PlaybackSource::None:
      CloseFoundSource();
      ShowTitleFor(baseFilePath);
      return;
    case PlaybackSource::Base:
      CloseFoundSource();
      Reposition(baseSource, join.path, join.position);
      break;
    case PlaybackSource::Found:
      Reposition(foundSource, join.path, join.position);
      foundFilePath = join.path;
      break;
  }
  ShowTitleFor(join.path);
}

}  // namespace plinvaro
