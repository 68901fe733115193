// MainPanel's file and edit commands: Open..., Save as..., the folder browser, clipboard, focus, message boxes.
#include <cstring>

#include "text/AnsiConversion.h"
#include "text/FileAccess.h"
#include "text/FileWriter.h"
#include "panel/MainPanel.h"

namespace plinvaro {
namespace {

const std::vector<FileFilter>& TextFileFilters() {
  static const std::vector<FileFilter> filters = {
      {"Text Files (*.txt)", "*.txt"},
      {"All Files (*.*)", "*.*"},
  };
  return filters;
}

// The folder part of `path`: "." for a bare name, the root kept as it is.
std::string FolderOf(const std::string& path) {
  std::size_t nameStart = path.size();
  while (nameStart > 0 && !IsPathSeparator(path[nameStart - 1])) --nameStart;
  if (nameStart == 0) return ".";
  std::size_t end = nameStart;
  while (end > 1 && IsPathSeparator(path[end - 1])) --end;
  if (end < nameStart && path[end - 1] == ':') ++end;  // "C:\" is a drive's root, "C:" is not
  return path.substr(0, end);
}

}  // namespace

void MainPanel::OpenBaseFile() {
  const ChangeScope change(*this);
  StopTimer();
  const std::optional<std::string> chosen = dialogs_.ChooseFileToOpen(TextFileFilters());
  // A cancelled dialog keeps the base file, the title and both sources as they were.
  if (!chosen || chosen->empty()) return;
  UseBaseFile(*chosen);
}

void MainPanel::OpenBaseFilePath(const std::string& path) {
  const ChangeScope change(*this);
  StopTimer();
  if (path.empty()) return;
  UseBaseFile(path);
}

void MainPanel::UseBaseFile(const std::string& path) {
  baseFilePath = path;
  playbackSource = PlaybackSource::None;
  ShowTitleFor(baseFilePath);
  if (directoryFollowsBaseFile_ && controls_.DirectoryText().empty()) {
    baseDirectory = FolderOf(path);
    controls_.SetDirectoryText(baseDirectory);
  }
}

void MainPanel::SaveSourceAs() {
  const ChangeScope change(*this);
  StopTimer();
  const std::optional<std::string> chosen = dialogs_.ChooseFileToSave(TextFileFilters());
  if (!chosen || chosen->empty()) return;
  SaveSourceText(*chosen);
}

bool MainPanel::SaveSourceText(const std::string& path) {
  const ChangeScope change(*this);
  RefreshLengths();
  const std::int32_t n = sourceLength;
  const std::string bytes = sourceBox_.GetRangeBytes(0, n);
  if (!SaveSucceeded(ReplaceFileContent(path, bytes), path)) return false;
  savedTextHash_ = TextHash(bytes);
  ++saves_;
  return true;
}

bool MainPanel::SaveSucceeded(const SaveResult& result, const std::string& path) {
  if (result.status == SaveStatus::Ok) return true;
  const char* text = result.status == SaveStatus::CannotCreate ? kCannotSaveText : kCannotWriteText;
  if (!detailedErrors_) {
    ShowMessage(text, kErrorCaption);
    return false;
  }
  const char* reason = result.error != 0 ? std::strerror(result.error) : "the system gave no reason";
  ShowMessage(std::string(text) + "\n" + path + ": " + reason, kErrorCaption);
  return false;
}

std::size_t MainPanel::TextHash(std::string_view bytes) { return std::hash<std::string_view>{}(bytes); }

std::size_t MainPanel::SourceTextHash() { return TextHash(sourceBox_.GetRangeBytes(0, sourceBox_.Length())); }

std::string MainPanel::SourceBytes() {
  RefreshLengths();
  return sourceBox_.GetRangeBytes(0, sourceLength);
}

void MainPanel::RestoreSourceText(const std::string& bytes,
                                  const std::vector<RecoveredSpan>& spans) {
  const ChangeScope change(*this);
  sourceBox_.ReplaceRange(0, sourceBox_.Length(), std::u16string());
  // Appends bytes [from, to) as coming from `origin`.
  const auto append = [&](std::int32_t from, std::int32_t to, const SpanOrigin& origin) {
    if (to <= from) return;
    const ProvenanceTracker::Expecting restored(provenance_, origin);
    const std::int32_t end = sourceBox_.Length();
    sourceBox_.ReplaceRangeBytes(end, end, std::string_view(bytes).substr(from, to - from));
  };
  std::int32_t done = 0;
  for (const RecoveredSpan& span : SpansThatHold(bytes, spans)) {
    append(done, span.start, SpanOrigin(SpanKind::Unknown));
    append(span.start, span.end(), SpanOrigin(span.kind, span.path, span.offset));
    done = span.end();
  }
  append(done, static_cast<std::int32_t>(bytes.size()), SpanOrigin(SpanKind::Unknown));
  sourceBox_.SetSelection(sourceBox_.Length(), sourceBox_.Length());
  sourceBox_.ScrollCaret();
}

std::optional<std::uint64_t> MainPanel::TextRevision() const {
  if (!sourceBox_.ReportsUserChanges()) return std::nullopt;
  // Both only grow, so their sum changes whenever either does.
  return provenance_.changeCount() + saves_;
}

bool MainPanel::HasUnsavedText() { return SourceTextHash() != savedTextHash_; }

bool MainPanel::ConfirmClose(const std::function<CloseAnswer()>& ask) {
  if (!HasUnsavedText()) return true;
  switch (ask()) {
    case CloseAnswer::Discard:
      return true;
    case CloseAnswer::Cancel:
      return false;
    case CloseAnswer::Save:
      SaveSourceAs();
      return !HasUnsavedText();
  }
  return false;
}

void MainPanel::BrowseDirectory() {
  const ChangeScope change(*this);
  const std::optional<std::string> chosen = dialogs_.BrowseForFolder(kBrowseTitle);
  if (!chosen) return;
  baseDirectory = *chosen;
  controls_.SetDirectoryText(baseDirectory);
}

void MainPanel::CopySource() {
  const ChangeScope change(*this); sourceBox_.Copy(); }

void MainPanel::CutSource() {
  const ChangeScope change(*this); sourceBox_.Cut(); }

void MainPanel::PasteSource() {
  const ChangeScope change(*this); sourceBox_.Paste(); }

void MainPanel::FocusSourceBox() { sourceBox_.Focus(); }

void MainPanel::FocusPreviewBox() { previewBox_.Focus(); }

void MainPanel::ShowMessage(const std::string& text, const std::string& caption) {
  messages_.ShowMessage(text, caption);
}

}  // namespace plinvaro
