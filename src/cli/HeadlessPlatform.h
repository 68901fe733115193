// The command line's platform: the in-memory one, with message boxes on stderr and the seed pinned.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "headless/HeadlessPlatform.h"
#include "panel/SeededRandom.h"

namespace plinvaro::cli {

// Each box becomes a line "caption: text" on stderr.
class StderrMessages : public MessageBoxes {
 public:
  void ShowMessage(const std::string& text, const std::string& caption) override {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  }
};

// Hands the panel's draws to a source the run owns: the generator pinned to
// the run's seed, which the panel's clock seed does not replace, or a test's.
class ForwardedRandom : public RandomSource {
 public:
  explicit ForwardedRandom(RandomSource& to) : to_(to) {}
  void Seed(std::uint32_t seed) override { to_.Seed(seed); }
  std::int32_t Next() override { return to_.Next(); }

 private:
  RandomSource& to_;
};

// Constructed with the source of the random picks, which must outlive it.
using HeadlessPlatform =
    headless::BasicHeadlessPlatform<MemoryDocument, headless::HeadlessTimer,
                                    headless::QueuedDialogs, StderrMessages, ForwardedRandom>;

}  // namespace plinvaro::cli
