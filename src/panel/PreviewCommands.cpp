// MainPanel's preview of found parts: showing, stepping, loading more text, accepting, switching mode.
#include <algorithm>
#include <iterator>
#include <limits>

#include "text/AnsiConversion.h"
#include "panel/MainPanel.h"

namespace plinvaro {
namespace {

// Bytes the preview shows of a part: one less than asked for, never more than were read.
std::int32_t ShownBytes(const FoundPart& part) {
  return std::clamp(part.textLength - 1, 0, part.TextBytes());
}

std::int32_t SaturatingSum(std::int32_t a, std::int32_t b) {
  const std::int64_t sum = static_cast<std::int64_t>(a) + b;
  return static_cast<std::int32_t>(std::min<std::int64_t>(sum, std::numeric_limits<std::int32_t>::max()));
}

// The part's n loaded bytes from `from`; empty when they were not all loaded.
std::string_view PartBytes(const FoundPart& part, std::int32_t from, std::int32_t n) {
  if (from < 0 || n <= 0 || static_cast<std::int64_t>(from) + n > part.TextBytes()) return {};
  return ByteView(part.text->data() + from, n);
}

}  // namespace

void MainPanel::SwitchMode(bool toggle) {
  const ChangeScope change(*this);
  if (toggle) controls_.SetOnTheFlyChecked(!controls_.IsOnTheFlyChecked());
  if (!controls_.IsOnTheFlyChecked()) {
    searcher.ClearResults();
    PartsReplaced();
  }
  ShowCurrentPart();
}

void MainPanel::ShowCurrentPart() {
  if (controls_.IsOnTheFlyChecked()) {
    HidePreview();
    return;
  }
  UpdatePartButtons();
  FoundPart* part = CurrentPart();
  if (part == nullptr) return;
  if (part->textLength == 0) LoadMorePartText();
  const std::int32_t shown = ShownBytes(*part);
  const unsigned char* bytes = shown > 0 ? part->text->data() : nullptr;
  RefreshLengths();
  previewBox_.ReplaceRangeBytes(0, previewLength, ByteView(bytes, shown));
  previewBox_.Focus();
}

void MainPanel::UpdatePartButtons() {
  const FoundPart* part = CurrentPart();
  if (searcher.PartCount() == 0 || part == nullptr) {
    DisablePartButtons();
    return;
  }
  controls_.EnablePartButton(PartButton::Accept, true);
  controls_.EnablePartButton(PartButton::Prev, NeighbourPart(-1) != searcher.EndPart());
  controls_.EnablePartButton(PartButton::Next, NeighbourPart(+1) != searcher.EndPart());
  const std::int64_t loadedEnd = static_cast<std::int64_t>(part->offset) + part->textLength;
  controls_.EnablePartButton(PartButton::More,
                             loadedEnd != static_cast<std::int64_t>(part->fileSize) + 1);
}

void MainPanel::LoadMorePartText() {
  FoundPart* part = CurrentPart();
  if (part == nullptr) return;
  const std::int64_t limit = static_cast<std::int64_t>(part->fileSize) - part->offset + 1;
  const std::int64_t wanted = static_cast<std::int64_t>(part->textLength) + kPartTextStep;
  part->textLength = static_cast<std::int32_t>(std::max<std::int64_t>(std::min(wanted, limit), 0));
  searcher.LoadPartText(*searcher.currentPart);
}

void MainPanel::MoreText() {
  const ChangeScope change(*this);
  if (!controls_.IsPartButtonEnabled(PartButton::More) || CurrentPart() == nullptr) return;
  LoadMorePartText();
  ShowCurrentPart();
  previewBox_.ScrollToBottom();
}

void MainPanel::PreviousPart() {
  const ChangeScope change(*this);
  if (!controls_.IsPartButtonEnabled(PartButton::Prev)) return;
  const TextSearcher::PartPosition previous = NeighbourPart(-1);
  if (previous == searcher.EndPart()) return;
  searcher.currentPart = previous;
  ShowCurrentPart();
  previewBox_.ScrollToTop();
}

void MainPanel::NextPart() {
  const ChangeScope change(*this);
  if (!controls_.IsPartButtonEnabled(PartButton::Next)) return;
  const TextSearcher::PartPosition next = NeighbourPart(+1);
  if (next == searcher.EndPart()) return;
  searcher.currentPart = next;
  ShowCurrentPart();
  previewBox_.ScrollToTop();
}

void MainPanel::AcceptPart() {
  const ChangeScope change(*this);
  if (!controls_.IsPartButtonEnabled(PartButton::Accept)) return;
  const FoundPart* part = CurrentPart();
  if (part == nullptr) return;
  TextSelection taken = previewBox_.GetSelection();
  if (taken.IsEmpty()) {
    RefreshLengths();
    taken = {0, previewLength};
  }
  const std::int32_t n = taken.end - taken.start;
  RecordJoin(sourceBox_.GetSelection().start);
  const std::string file = searcher.FilePath(part->fileIndex);
  // Text the preview holds as the part's own bytes goes in straight from them
  // with their file's origin; text edited there goes in as it stands, of unknown origin.
  const std::string_view own = PartBytes(*part, taken.start, n);
  if (!own.empty() && previewBox_.HoldsBytesAt(taken.start, own)) {
    const ProvenanceTracker::Expecting accepted(
        provenance_, SpanOrigin(SpanKind::Accepted, file, part->offset + taken.start));
    sourceBox_.ReplaceSelectionBytes(own, n);
  } else {
    const std::u16string text = previewBox_.GetRangeText(taken.start, taken.end);
    const ProvenanceTracker::Expecting accepted(provenance_, AcceptOrigin(*part, taken.start, text, file));
    sourceBox_.ReplaceSelection(text, n);
  }
  OpenFoundSource();
  foundSource.position = SaturatingSum(part->offset, taken.end);
  sourceBox_.Focus();
}

}  // namespace plinvaro
