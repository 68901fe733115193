// MainPanel's playback: Start, Pause, Stop, the timer tick that moves one chunk, and the speed.
#include <algorithm>

#include "text/AnsiConversion.h"
#include "text/CharClass.h"
#include "panel/MainPanel.h"

namespace plinvaro {
namespace {

// End of the chunk that starts at `from`: the word, then the white space after it.
std::int32_t ChunkEnd(const unsigned char* bytes, std::int32_t from, std::int32_t size) {
  std::int32_t end = from;
  while (end < size && !IsSpace(bytes[end])) ++end;
  while (end < size && IsSpace(bytes[end])) ++end;
  return end;
}

}  // namespace

void MainPanel::StartPlayback() {
  const ChangeScope change(*this);
  if (isPlaying) return;
  HidePreview();
  if (playbackSource == PlaybackSource::None) {
    if (baseFilePath.empty()) return;
    OpenBaseSource();
    playbackSource = PlaybackSource::Base;  // also when the file failed to open
    ShowTitleFor(baseFilePath);
  }
  isPlaying = true;
  UpdateSpeed();
  timerHandle = timer_.Start(timerId, timerInterval);
}

void MainPanel::PausePlayback() {
  const ChangeScope change(*this); StopTimer(); }

void MainPanel::StopPlayback() {
  const ChangeScope change(*this);
  StopTimer();
  playbackSource = PlaybackSource::None;
  CloseBaseSource();
  CloseFoundSource();
}

void MainPanel::PlaybackTick() {
  const ChangeScope change(*this);
  const bool baseLeft = playbackSource == PlaybackSource::Base && !baseSource.IsUsedUp();
  const bool foundLeft = playbackSource == PlaybackSource::Found && !foundSource.IsUsedUp();
  if (baseLeft || foundLeft) {
    if (AppendNextWord()) CountWanderWord();
    return;
  }
  StopTimer();
}

bool MainPanel::AppendNextWord() {
  TextSource& source = ActiveSource();
  const std::int32_t start = source.position;
  if (!source.HasView() || start < 0 || start >= source.size) return false;
  const std::int32_t end = ChunkEnd(source.data(), start, source.size);
  const std::int32_t n = end - start;
  source.position = end;
  {
    const SpanKind kind = playbackSource == PlaybackSource::Base ? SpanKind::Base : SpanKind::Found;
    SpanOrigin origin(kind, source.path, start);
    origin.opening = source.opening;
    const ProvenanceTracker::Expecting played(provenance_, origin);
    sourceBox_.ReplaceSelectionBytes(ByteView(source.data() + start, n), n);
  }
  provenance_.NoteChunkPlayed();
  sourceBox_.ScrollCaret();
  // Someone typing a directory keeps typing there; every other control gives the focus back.
  if (!controls_.DirectoryHasFocus()) sourceBox_.Focus();
  if (observer_ != nullptr)
    observer_->ChunkPlayed(PlayedChunk{playbackSource, source.path, start, n});
  return true;
}

void MainPanel::UpdateSpeed() {
  const ChangeScope change(*this);
  timerInterval = IntervalAtPosition(controls_.TrackbarPosition());
  if (timerHandle == 0) return;
  timer_.Kill(timerId);
  timerHandle = timer_.Start(timerId, timerInterval);
}

void MainPanel::SlowDown() {
  const ChangeScope change(*this);
  // A face may report any value; step from the nearest position the slider has.
  const std::int32_t position = std::clamp(controls_.TrackbarPosition(), 0, kTrackbarMax);
  controls_.SetTrackbarPosition(position - kSpeedStep > 0 ? position - kSpeedStep : 0);
  UpdateSpeed();
}

void MainPanel::SpeedUp() {
  const ChangeScope change(*this);
  const std::int32_t position = std::clamp(controls_.TrackbarPosition(), 0, kTrackbarMax);
  controls_.SetTrackbarPosition(std::min(position + kSpeedStep, kTrackbarMax));
  UpdateSpeed();
}

}  // namespace plinvaro
