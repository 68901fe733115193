// SeededRandom: a splitmix-style 64-bit step, reduced to 15 bits.
#include "panel/SeededRandom.h"

namespace plinvaro {

std::int32_t SeededRandom::Next() {
  state_ += 0x9E3779B97F4A7C15ull;
  std::uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return static_cast<std::int32_t>(z >> 49);  // top 15 bits
}

}  // namespace plinvaro
