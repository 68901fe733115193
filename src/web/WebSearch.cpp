// The scan alone, as the search worker and the suite call it: a pattern's parts in a folder, listed as the command line lists them.
#include <emscripten/bind.h>

#include <chrono>
#include <string>

#include "panel/SearchOutcome.h"
#include "search/PatternText.h"
#include "search/TextSearcher.h"

namespace plinvaro::web {
namespace {

using emscripten::val;

// {parts: one "matchLength TAB offset TAB fileIndex TAB fileSize TAB path" line
// a part, longest first; outcome: the status line's text; bytes: bytes
// scanned; ms: the scan's time}. `pattern` holds the pattern's bytes.
val SearchParts(const std::string& directory, val pattern) {
  const auto length = pattern["length"].as<std::size_t>();
  std::string bytes(length, '\0');
  val(emscripten::typed_memory_view(length, reinterpret_cast<std::uint8_t*>(bytes.data())))
      .call<void>("set", pattern);
  TextSearcher searcher;
  const auto started = std::chrono::steady_clock::now();
  searcher.ClearResults();
  searcher.EnumerateFiles(directory, TrimSeparators(PatternTail(bytes)));
  const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - started;
  std::string lines;
  for (const auto& part : searcher.parts()) {
    lines += std::to_string(part->matchLength) + '\t' + std::to_string(part->offset) + '\t' +
             std::to_string(part->fileIndex) + '\t' + std::to_string(part->fileSize) + '\t' +
             searcher.FilePath(part->fileIndex) + '\n';
  }
  val result = val::object();
  result.set("parts", lines);
  result.set("outcome", SearchOutcomeText(OutcomeOfScan(searcher, directory)));
  result.set("bytes", static_cast<double>(searcher.stats().bytesScanned));
  result.set("ms", elapsed.count());
  return result;
}

}  // namespace
}  // namespace plinvaro::web

EMSCRIPTEN_BINDINGS(plinvaro_web_search) {
  emscripten::function("searchParts", &plinvaro::web::SearchParts);
}
