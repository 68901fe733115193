// MainPanel's Search command, the random pick of a found part, and the switch back to the base file.
#include <algorithm>
#include <iterator>
#include <utility>

#include "search/PatternText.h"
#include "text/AnsiConversion.h"
#include "text/CharClass.h"
#include "text/FileAccess.h"
#include "panel/MainPanel.h"

namespace plinvaro {
namespace {

struct SeparatorRun {
  bool hasPunct = false;
  bool hasSpace = false;
};

// The kinds of separator in the trailing run of separators of `pattern`.
SeparatorRun TrailingSeparators(const std::string& pattern) {
  SeparatorRun run;
  for (auto it = pattern.rbegin(); it != pattern.rend(); ++it) {
    const auto byte = static_cast<unsigned char>(*it);
    if (IsPunct(byte)) {
      run.hasPunct = true;
    } else if (IsSpace(byte)) {
      run.hasSpace = true;
    } else {
      break;
    }
  }
  return run;
}

// `position` moved past the bytes of the run's kind of separator, as a switch
// moves the found source: Punct when the run holds one, else Space, else none.
std::int32_t PastSeparators(const TextSource& source, std::int32_t position, const SeparatorRun& run) {
  if ((!run.hasPunct && !run.hasSpace) || !source.HasView()) return position;
  const auto skipped = run.hasPunct ? IsPunct : IsSpace;
  while (position >= 0 && position < source.size && skipped(source.data()[position])) ++position;
  return position;
}

// The outcome of a Search that stopped before scanning.
SearchOutcome Unscanned(SearchOutcomeKind kind) {
  SearchOutcome outcome;
  outcome.kind = kind;
  return outcome;
}

}  // namespace

void MainPanel::BeginSearch() {
  const ChangeScope change(*this);
  if (searchStarter_) return searchStarter_();
  RunSearch();
}

void MainPanel::RunSearch() {
  const ChangeScope change(*this);
  const std::optional<SearchRequest> request = PrepareSearch();
  if (!request) return;
  TextSearcher scanned;
  ScanRequest(*request, scanned);
  FinishSearch(*request, scanned);
}

std::optional<SearchRequest> MainPanel::PrepareSearch() {
  const ChangeScope change(*this);
  wanderPlayed_ = 0;
  RefreshLengths();
  SearchRequest request;
  request.directory = controls_.DirectoryText();
  const auto unscanned = [&](SearchOutcomeKind kind) -> std::optional<SearchRequest> {
    HidePreview();
    RefreshLengths();
    baseDirectory = request.directory;
    ReportSearch(Unscanned(kind));
    return std::nullopt;
  };
  if (request.directory.empty()) return unscanned(SearchOutcomeKind::NoDirectory);
  if (sourceLength == 0) return unscanned(SearchOutcomeKind::NoPattern);
  const TextSelection selection = sourceBox_.GetSelection();
  const std::int32_t end = selection.end;
  const std::int32_t start =
      std::max(selection.IsEmpty() ? end - kMaxPatternBytes : selection.start, 0);
  if (start >= end) {
    StopTimer();
    return unscanned(SearchOutcomeKind::NoPattern);
  }
  const std::int32_t n = std::min(end - start, kMaxPatternBytes);
  request.pattern = WideToAnsi(sourceBox_.GetRangeText(start, end), n);
  request.pattern.resize(std::min(request.pattern.find('\0'), request.pattern.size()));
  request.caret = end;
  return request;
}

void MainPanel::ScanRequest(const SearchRequest& request, TextSearcher& into) const {
  into.SetScanKernel(searcher.scanKernel());
  into.SetScanOptions(searcher.scanOptions());
  into.SetMatchCase(searcher.matchCase());
  into.ClearResults();
  into.EnumerateFiles(request.directory, TrimSeparators(request.pattern));
}

void MainPanel::FinishSearch(const SearchRequest& request, TextSearcher& scanned) {
  const ChangeScope change(*this);
  HidePreview();
  RefreshLengths();
  baseDirectory = request.directory;
  StopTimer();
  searchPattern = request.pattern;
  SetSourceSelection(request.caret, request.caret);
  TrimPattern();
  searcher.TakeResults(scanned);
  PartsReplaced();
  const bool found = PickFoundPart();
  const bool onTheFly = controls_.IsOnTheFlyChecked();
  if (found) ShowTitleFor(foundFilePath);
  if (onTheFly) {
    StartPlayback();
  } else if (found) {
    ShowCurrentPart();
  }
  ReportSearch(lastSearch_);
}

bool MainPanel::SearchAndPick() {
  const ChangeScope change(*this);
  searcher.ClearResults();
  TrimPattern();
  searcher.EnumerateFiles(baseDirectory, trimmedPattern);
  PartsReplaced();
  return PickFoundPart();
}

bool MainPanel::PickFoundPart() {
  searcher.currentPart = searcher.EndPart();
  lastSearch_ = OutcomeOfScan(searcher, baseDirectory);
  const PartWeights pick = WeighParts();
  lastSearch_.leftOut = pick.leftOut;
  const bool found = pick.total > 0;
  if (lastSearch_.kind == SearchOutcomeKind::Found && !found) lastSearch_.kind = SearchOutcomeKind::AllLeftOut;
  if (found) {
    // One draw, spread over the weights: with every weight 1 the draw modulo
    // the part count counts the steps, as it always did.
    const std::int32_t draw = random_.Next();
    std::int64_t left = (draw < 0 ? -(static_cast<std::int64_t>(draw) + 1) : draw) % pick.total;
    searcher.currentPart = searcher.FirstPart();
    for (const std::int32_t weight : pick.weights) {
      if (left < weight) break;
      left -= weight;
      ++searcher.currentPart;
    }
    RecordJoin(sourceBox_.GetSelection().end);
    OpenFoundSource();
    playbackSource = PlaybackSource::Found;
    SkipPatternSeparators();
  }
  if (observer_ != nullptr) observer_->SearchDone(found);
  return found;
}

bool MainPanel::LandsWherePlaybackStands(const FoundPart& part) const {
  if (playbackSource == PlaybackSource::None) return false;
  const TextSource& source = playbackSource == PlaybackSource::Base ? baseSource : foundSource;
  if (!source.HasView() || part.offset > source.position) return false;
  if (PastSeparators(source, part.offset, TrailingSeparators(searchPattern)) != source.position)
    return false;
  const std::string path = searcher.FilePath(part.fileIndex);
  return path == source.path || IsSameFile(path, source.path);
}

void MainPanel::ReportSearch(SearchOutcome outcome) {
  lastSearch_ = std::move(outcome);
  if (observer_ != nullptr) observer_->SearchReported(lastSearch_);
}

void MainPanel::TrimPattern() { trimmedPattern = TrimSeparators(searchPattern); }

void MainPanel::SkipPatternSeparators() {
  TextSource& source = ActiveSource();
  source.position = PastSeparators(source, source.position, TrailingSeparators(searchPattern));
}

void MainPanel::BackToBase() {
  const ChangeScope change(*this);
  if (baseFilePath.empty()) return;
  if (playbackSource == PlaybackSource::Found) {
    playbackSource = PlaybackSource::Base;
    ShowTitleFor(baseFilePath);
  }
  HidePreview();
  // A base source still holding the file chosen before the last "Open..." would
  // play the wrong file under the new title, so it is opened afresh.
  if (!baseSource.HasView() || baseSource.path != baseFilePath) OpenBaseSource();
  StartPlayback();
}

}  // namespace plinvaro
