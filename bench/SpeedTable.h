// Side-by-side timings of the search against the mapped single-byte memrchr pass, as GB/s and ratios.
#pragma once

namespace plinvaro::bench {

// Prints the search-speed table: both patterns on the main corpus, peak
// memory during a search, the 20,000-file directory and, when the
// environment asks for it (PLINVARO_BENCH_2GB=1), the 2 GB folder.
// Returns false when a search used more memory than allowed.
bool PrintSpeedTable();

}  // namespace plinvaro::bench
