// A small deterministic generator of 0..32767, the same on every platform.
#pragma once

#include <cstdint>

#include "panel/Platform.h"

namespace plinvaro {

// Takes whatever seed the panel gives it (the clock, in a desktop face).
class SeededRandom : public RandomSource {
 public:
  void Seed(std::uint32_t seed) override { Reset(seed); }
  std::int32_t Next() override;

 protected:
  void Reset(std::uint64_t seed) { state_ = seed; }

 private:
  std::uint64_t state_ = 0;
};

// Ignores the panel's clock seed and keeps the one given here, so that the same
// seed yields the same picks on every run.
class PinnedRandom : public SeededRandom {
 public:
  explicit PinnedRandom(std::uint64_t seed) { Reset(seed); }
  void Seed(std::uint32_t) override {}
};

}  // namespace plinvaro
