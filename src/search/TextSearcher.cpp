// TextSearcher: results, directory listing and loading of part text.
#include "search/TextSearcher.h"

#include <algorithm>
#include <iterator>

#include "text/OutOfMemory.h"

namespace plinvaro {

TextSearcher::TextSearcher() { currentPart = parts_.end(); }

void TextSearcher::ClearResults() {
  parts_.clear();
  files_.clear();
  currentPart = parts_.end();
}

void TextSearcher::EnumerateFiles(const std::string& directory, const std::string& pattern) {
  pattern_ = pattern;
  std::string listed = directory;
  std::string prefix = directory;
  const bool endsInSeparator = !directory.empty() && IsPathSeparator(directory.back());
  if (endsInSeparator) {
    listed.pop_back();
    if (listed.empty()) listed = directory;  // the root directory itself
  } else {
    prefix += kPathSeparator;
  }
  listing_ = ListTextFileNames(listed);
  for (const std::string& name : listing_.names) files_.push_back(prefix + name);
  ScanFiles();
}

void TextSearcher::TakeResults(TextSearcher& from) {
  ClearResults();
  parts_.swap(from.parts_);
  files_.swap(from.files_);
  pattern_.swap(from.pattern_);
  minMatchLength_ = from.minMatchLength_;
  listing_ = std::move(from.listing_);
  stats_ = from.stats_;
  cancelled_ = from.cancelled_;
  currentPart = parts_.end();
  from.ClearResults();
}

ScanResults TextSearcher::ExportResults() const {
  ScanResults results{pattern_, minMatchLength_, files_, listing_, stats_, cancelled_, {}};
  results.parts.reserve(parts_.size());
  for (const auto& part : parts_) {
    results.parts.push_back({part->matchLength, part->offset, part->fileIndex, part->fileSize, part->patternLength});
  }
  return results;
}

void TextSearcher::AdoptResults(ScanResults results) {
  ClearResults();
  files_ = std::move(results.files);
  pattern_ = std::move(results.pattern);
  minMatchLength_ = results.minMatchLength;
  listing_ = std::move(results.listing);
  stats_ = results.stats;
  cancelled_ = results.cancelled;
  const auto fileCount = static_cast<std::int32_t>(files_.size());
  for (const ScanResults::Part& p : results.parts) {
    if (p.fileIndex < 0 || p.fileIndex >= fileCount || p.offset < 0 || p.matchLength < 0 ||
        p.fileSize < 0 || p.patternLength < 0) {
      continue;
    }
    auto part = boost::shared_ptr<FoundPart>(new FoundPart);
    part->matchLength = p.matchLength;
    part->patternLength = p.patternLength;
    part->offset = p.offset;
    part->fileIndex = p.fileIndex;
    part->fileSize = p.fileSize;
    parts_.push_back(part);
  }
  currentPart = parts_.end();
}

std::string TextSearcher::MatchedPattern(const FoundPart& part) const {
  const auto n = static_cast<std::size_t>(
      std::clamp<std::int32_t>(part.patternLength, 0, static_cast<std::int32_t>(pattern_.size())));
  return pattern_.substr(pattern_.size() - n);
}

const FoundPart* TextSearcher::CurrentPart() const {
  if (currentPart == PartList::const_iterator(parts_.end())) return nullptr;
  return currentPart->get();
}

std::int32_t TextSearcher::CurrentIndex() const {
  if (CurrentPart() == nullptr) return -1;
  return static_cast<std::int32_t>(std::distance(parts_.begin(), PartList::const_iterator(currentPart)));
}

std::string TextSearcher::FilePath(std::int32_t fileIndex) const {
  if (fileIndex < 0 || static_cast<std::size_t>(fileIndex) >= files_.size()) return {};
  return files_[static_cast<std::size_t>(fileIndex)];
}

void TextSearcher::LoadPartText(const boost::shared_ptr<FoundPart>& part) {
  if (!part) return;
  const std::int32_t wanted = part->textLength > 0 ? part->textLength : 0;
  std::vector<unsigned char> buffer;
  if (!TryWithMemory([&] { buffer.resize(static_cast<std::size_t>(wanted)); })) {
    part->text.reset();
    return;
  }
  const ReadResult read = ReadFileAt(FilePath(part->fileIndex), part->offset, wanted, buffer.data());
  switch (read.status) {
    case ReadResult::Status::CannotOpen:
      return;  // keeps the text it had, and its true size
    case ReadResult::Status::ReadFailed:
      part->text.reset();
      return;
    case ReadResult::Status::Ok:
      buffer.resize(static_cast<std::size_t>(read.bytesRead));
      part->text = std::move(buffer);
      return;
  }
}

}  // namespace plinvaro
