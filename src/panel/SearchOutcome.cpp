// SearchOutcome: classifying a finished scan and the status-line text of each outcome.
#include "panel/SearchOutcome.h"

#include <set>

#include "window/ControlTable.h"
#include "search/TextSearcher.h"

namespace plinvaro {
namespace {

std::string Counted(std::int32_t count, const char* singular, const char* plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

// `text` with the control's text in quotes appended.
std::string& AppendQuoted(std::string& text, ControlId id) {
  text += '"';
  text += Control(id).text;
  text += '"';
  return text;
}

std::string NoDirectoryText() {
  std::string text = "no directory chosen: type one into ";
  AppendQuoted(text, ControlId::DirLabel) += " or pick it with ";
  return AppendQuoted(text, ControlId::BrowseButton);
}

}  // namespace

SearchOutcome OutcomeOfScan(const TextSearcher& searcher, const std::string& directory) {
  SearchOutcome outcome;
  outcome.directory = directory;
  if (searcher.listStatus() != ListStatus::Ok) {
    outcome.kind = SearchOutcomeKind::CannotRead;
    outcome.reason = searcher.listErrorText();
    return outcome;
  }
  if (searcher.files().empty()) {
    outcome.kind = SearchOutcomeKind::NoTextFiles;
    return outcome;
  }
  if (searcher.PartCount() == 0) {
    outcome.kind = SearchOutcomeKind::NoMatch;
    return outcome;
  }
  std::set<std::int32_t> files;
  for (const auto& part : searcher.parts()) files.insert(part->fileIndex);
  outcome.kind = SearchOutcomeKind::Found;
  outcome.parts = searcher.PartCount();
  outcome.files = static_cast<std::int32_t>(files.size());
  return outcome;
}

std::string SearchOutcomeText(const SearchOutcome& outcome) {
  switch (outcome.kind) {
    case SearchOutcomeKind::NotRun:
      return {};
    case SearchOutcomeKind::NoDirectory:
      return NoDirectoryText();
    case SearchOutcomeKind::NoPattern:
      return "nothing to search for: no text before the caret";
    case SearchOutcomeKind::CannotRead:
      return outcome.directory + " cannot be read: " + outcome.reason;
    case SearchOutcomeKind::NoTextFiles:
      return "no .txt files in " + outcome.directory;
    case SearchOutcomeKind::NoMatch:
      return "no match";
    case SearchOutcomeKind::AllLeftOut:
      return Counted(outcome.parts, "part", "parts") + ", all in files of weight 0";
    case SearchOutcomeKind::Found:
      return Counted(outcome.parts, "part", "parts") + " in " +
             Counted(outcome.files, "file", "files") +
             (outcome.leftOut > 0 ? ", " + std::to_string(outcome.leftOut) + " left out" : "");
  }
  return {};
}

}  // namespace plinvaro
