// The steering options and the files' weights as the page sets, shows and keeps them.
#include <cmath>
#include <limits>

#include "desktop/OptionTexts.h"
#include "desktop/WeightStore.h"
#include "provenance/SeamTexts.h"
#include "web/WebFace.h"

namespace plinvaro::web {

using emscripten::val;

val WebFace::Options() const {
  val options = val::object();
  options.set("matchCase", panel_->matchCase());
  options.set("wanders", panel_->wanders());
  options.set("wanderWords", panel_->wanderWords());
  options.set("wanderText", WanderItemText(panel_->wanderWords()));
  options.set("wordsUntilWander", panel_->WordsUntilWander().value_or(-1));
  return options;
}

bool WebFace::SetWanderWords(double words) {
  const bool whole = words == std::trunc(words) && std::abs(words) <= std::numeric_limits<std::int32_t>::max();
  return whole && panel_->SetWanderWords(static_cast<std::int32_t>(words));
}

bool WebFace::SetSourceWeight(const std::string& name, const std::string& text) {
  const std::optional<std::int32_t> weight = ParseWeight(text);
  return weight && panel_->SetSourceWeight(controls_.DirectoryText(), name, *weight);
}

val WebFace::WeightEntries() const {
  val entries = val::array();
  for (const std::string& entry : plinvaro::WeightEntries(panel_->weights())) entries.call<void>("push", entry);
  return entries;
}

std::int32_t WebFace::RestoreWeights(val entries) {
  if (!entries.isArray()) return 0;
  std::int32_t taken = 0;
  const auto count = entries["length"].as<std::size_t>();
  for (std::size_t i = 0; i < count; ++i) {
    if (!entries[i].isString()) continue;
    const std::optional<WeightEntry> entry = ParseWeightEntry(entries[i].as<std::string>());
    if (entry && panel_->SetSourceWeight(entry->directory, entry->name, entry->weight)) ++taken;
  }
  return taken;
}

}  // namespace plinvaro::web
