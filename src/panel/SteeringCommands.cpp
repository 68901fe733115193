// MainPanel's steering of the wander: the files' weights in the pick, the parts they leave out, and the wander every N words.
#include <algorithm>
#include <iterator>

#include "panel/MainPanel.h"

namespace plinvaro {

bool MainPanel::SetSourceWeight(const std::string& directory, const std::string& name,
                                std::int32_t weight) {
  const ChangeScope change(*this);
  if (!weights_.Set(directory, name, weight)) return false;
  // "<<" and ">>" of a shown part step past the files now left out.
  if (controls_.IsPartButtonEnabled(PartButton::Accept)) UpdatePartButtons();
  return true;
}

bool MainPanel::IsLeftOut(const FoundPart& part) const {
  return weights_.OfPath(searcher.FilePath(part.fileIndex)) == kLeftOutWeight;
}

bool MainPanel::PartLeftOut(std::int32_t index) const {
  if (index < 0 || index >= searcher.PartCount()) return false;
  return IsLeftOut(**std::next(searcher.parts().begin(), index));
}

MainPanel::PartWeights MainPanel::WeighParts() const {
  PartWeights pick;
  std::vector<bool> inPlace;
  bool othersPickable = false;
  for (const auto& part : searcher.parts()) {
    const std::int32_t weight = weights_.OfPath(searcher.FilePath(part->fileIndex));
    const bool here = avoidsCurrentPlace_ && weight > 0 && LandsWherePlaybackStands(*part);
    pick.weights.push_back(weight);
    inPlace.push_back(here);
    othersPickable = othersPickable || (weight > 0 && !here);
    if (weight == kLeftOutWeight) ++pick.leftOut;
  }
  for (std::size_t i = 0; i < pick.weights.size(); ++i) {
    if (othersPickable && inPlace[i]) pick.weights[i] = 0;
    pick.total += pick.weights[i];
  }
  return pick;
}

TextSearcher::PartPosition MainPanel::NeighbourPart(int direction) {
  if (CurrentPart() == nullptr) return searcher.EndPart();
  for (auto at = searcher.currentPart;;) {
    if (direction < 0) {
      if (at == searcher.FirstPart()) return searcher.EndPart();
      --at;
    } else if (++at == searcher.EndPart()) {
      return at;
    }
    if (!IsLeftOut(**at)) return at;
  }
}

void MainPanel::SetMatchCase(bool matchCase) {
  const ChangeScope change(*this);
  searcher.SetMatchCase(matchCase);
}

void MainPanel::SetWanders(bool wanders) {
  const ChangeScope change(*this);
  wanders_ = wanders;
  wanderPlayed_ = 0;
}

bool MainPanel::SetWanderWords(std::int32_t words) {
  const ChangeScope change(*this);
  if (words < kMinWanderWords || words > kMaxWanderWords) return false;
  wanderWords_ = words;
  wanderPlayed_ = 0;
  return true;
}

std::optional<std::int32_t> MainPanel::WordsUntilWander() const {
  if (!wanders_ || !controls_.IsOnTheFlyChecked()) return std::nullopt;
  return std::max(wanderWords_ - wanderPlayed_, 0);
}

void MainPanel::CountWanderWord() {
  if (!wanders_ || !controls_.IsOnTheFlyChecked()) return;
  if (++wanderPlayed_ < wanderWords_) return;
  wanderPlayed_ = 0;
  BeginSearch();
}

}  // namespace plinvaro
