// MainPanel's commands of the seam views: showing a span's source in the preview, and choosing a found part by its row.
#include <algorithm>
#include <iterator>
#include <vector>

#include "text/AnsiConversion.h"
#include "text/FileAccess.h"
#include "panel/MainPanel.h"

namespace plinvaro {
namespace {

// The most of a file "Show source" puts into the preview.
constexpr std::int32_t kMaxShownSourceBytes = 4 * 1024 * 1024;

}  // namespace

bool MainPanel::ShowSpanSource(std::int32_t position) {
  const ChangeScope change(*this);
  const std::int32_t index = provenance().SpanIndexAt(position);
  if (index < 0) return false;
  const ProvenanceSpan& span = provenance().spans()[static_cast<std::size_t>(index)];
  if (!IsFileKind(span.kind)) return false;
  const std::int64_t wanted = std::min<std::int64_t>(
      static_cast<std::int64_t>(span.length) + kPartTextStep, kMaxShownSourceBytes);
  std::vector<unsigned char> bytes(static_cast<std::size_t>(wanted));
  const ReadResult read = ReadFileAt(provenance().FilePath(span), span.offset,
                                     static_cast<std::int32_t>(wanted), bytes.data());
  if (read.status != ReadResult::Status::Ok) return false;
  StopTimer();
  DisablePartButtons();
  RefreshLengths();
  previewBox_.ReplaceRangeBytes(0, previewLength, ByteView(bytes.data(), read.bytesRead));
  RefreshLengths();
  previewBox_.SetSelection(0, std::min(span.length, previewLength));
  previewBox_.ScrollToTop();
  return true;
}

void MainPanel::ShowPartAt(std::int32_t index) {
  const ChangeScope change(*this);
  if (index < 0 || index >= searcher.PartCount() || controls_.IsOnTheFlyChecked()) return;
  searcher.currentPart = std::next(searcher.FirstPart(), index);
  ShowCurrentPart();
  previewBox_.ScrollToTop();
}

}  // namespace plinvaro
