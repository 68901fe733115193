// The command line's platform: the in-memory one, with message boxes on stderr and the seed pinned.
#pragma once

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

// Constructed with the run's seed, which the panel's clock seed does not replace.
using HeadlessPlatform =
    headless::BasicHeadlessPlatform<MemoryDocument, headless::HeadlessTimer,
                                    headless::QueuedDialogs, StderrMessages, PinnedRandom>;

}  // namespace plinvaro::cli
