// The scan as the search worker runs it, and its results carried to the page as values.
#include "web/WebSearch.h"

#include <emscripten/bind.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "desktop/SearchGate.h"
#include "panel/SearchOutcome.h"
#include "search/PatternText.h"

namespace plinvaro::web {
namespace {

using emscripten::val;

constexpr int kPartFields = 5;  // matchLength, offset, fileIndex, fileSize, patternLength

std::int32_t Int(const val& value, const char* field) {
  const val v = value[field];
  return v.isNumber() ? v.as<std::int32_t>() : 0;
}

double Number(const val& value, const char* field) {
  const val v = value[field];
  return v.isNumber() ? v.as<double>() : 0;
}

std::string Text(const val& value, const char* field) {
  const val v = value[field];
  return v.isString() ? v.as<std::string>() : std::string();
}

std::int64_t TotalBytes(const std::vector<std::string>& paths) {
  std::int64_t total = 0;
  for (const std::string& path : paths) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (!error) total += static_cast<std::int64_t>(size);
  }
  return total;
}

// The worker's scan of `directory` for the pattern `patternBytes` (untrimmed,
// as the panel's request holds it), letters matching in case or regardless of
// it as the request says; `onProgress(filesDone, filesListed,
// bytesDone, bytesTotal)` after the listing and each file, true when the scan
// is to stop (the results then say cancelled).
val ScanFolder(const std::string& directory, val patternBytes, bool matchCase, val onProgress) {
  TextSearcher searcher;
  searcher.SetMatchCase(matchCase);
  std::int64_t total = 0;
  std::atomic<bool> stop{false};
  searcher.SetScanWatch({[&](const ScanProgress& p) {
                           if (p.filesDone == 0) total = TotalBytes(searcher.files());
                           const val stopNow = onProgress(p.filesDone, p.filesListed, static_cast<double>(p.bytesDone),
                                                          static_cast<double>(total));
                           if (stopNow.isTrue()) stop = true;
                         },
                         &stop});
  searcher.ClearResults();
  searcher.EnumerateFiles(directory, TrimSeparators(BytesOf(patternBytes)));
  return ResultsValue(searcher.ExportResults());
}

// The kernel named `name` (KernelName's names); Auto for any other name.
ScanKernel KernelNamed(const std::string& name) {
  for (const ScanKernel kernel : {ScanKernel::Scalar, ScanKernel::Sse2, ScanKernel::Avx2, ScanKernel::Simd128}) {
    if (name == KernelName(kernel)) return kernel;
  }
  return ScanKernel::Auto;
}

// A scan on the calling thread with the kernel named `kernel` ("auto" for the
// widest): {parts: one "matchLength TAB offset TAB fileIndex TAB fileSize TAB
// path" line a part, longest first, as the command line lists them; outcome:
// the status line's text; bytes: bytes scanned; ms: the scan's time}.
val SearchParts(const std::string& directory, val pattern, const std::string& kernel) {
  TextSearcher searcher;
  searcher.SetScanKernel(KernelNamed(kernel));
  const auto started = std::chrono::steady_clock::now();
  searcher.ClearResults();
  searcher.EnumerateFiles(directory, TrimSeparators(PatternTail(BytesOf(pattern))));
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

std::string CancelledText() { return kSearchCancelledText; }
int ProgressDelay() { return kSearchProgressDelay; }

}  // namespace

std::string BytesOf(const val& array) {
  const auto length = array["length"].as<std::size_t>();
  std::string bytes(length, '\0');
  val(emscripten::typed_memory_view(length, reinterpret_cast<std::uint8_t*>(bytes.data())))
      .call<void>("set", array);
  return bytes;
}

val ResultsValue(const ScanResults& results) {
  val value = val::object();
  const auto* pattern = reinterpret_cast<const std::uint8_t*>(results.pattern.data());
  value.set("pattern", val(emscripten::typed_memory_view(results.pattern.size(), pattern)).call<val>("slice"));
  value.set("minMatchLength", results.minMatchLength);
  val files = val::array();
  for (const std::string& file : results.files) files.call<void>("push", file);
  value.set("files", files);
  value.set("listStatus", static_cast<int>(results.listing.status));
  value.set("listError", results.listing.errorText);
  value.set("filesListed", results.stats.filesListed);
  value.set("filesScanned", results.stats.filesScanned);
  value.set("filesSkipped", results.stats.filesSkipped);
  value.set("bytesScanned", static_cast<double>(results.stats.bytesScanned));
  value.set("cancelled", results.cancelled);
  std::vector<std::int32_t> parts;
  parts.reserve(results.parts.size() * kPartFields);
  for (const ScanResults::Part& p : results.parts) {
    parts.insert(parts.end(), {p.matchLength, p.offset, p.fileIndex, p.fileSize, p.patternLength});
  }
  value.set("parts", val(emscripten::typed_memory_view(parts.size(), parts.data())).call<val>("slice"));
  return value;
}

ScanResults ResultsFromValue(const val& value) {
  ScanResults results;
  if (value["pattern"].instanceof(val::global("Uint8Array"))) results.pattern = BytesOf(value["pattern"]);
  results.minMatchLength = Int(value, "minMatchLength");
  const val files = value["files"];
  if (files.isArray()) {
    const auto count = files["length"].as<std::size_t>();
    for (std::size_t i = 0; i < count; ++i) {
      const val file = files[i];
      if (file.isString()) results.files.push_back(file.as<std::string>());
    }
  }
  const std::int32_t status = Int(value, "listStatus");
  results.listing.status = status >= 0 && status <= static_cast<int>(ListStatus::OtherError)
                               ? static_cast<ListStatus>(status)
                               : ListStatus::OtherError;
  results.listing.errorText = Text(value, "listError");
  results.stats = {Int(value, "filesListed"), Int(value, "filesScanned"), Int(value, "filesSkipped"),
                   static_cast<std::int64_t>(Number(value, "bytesScanned"))};
  results.cancelled = value["cancelled"].isTrue();
  const val parts = value["parts"];
  if (parts.instanceof(val::global("Int32Array"))) {
    const auto count = parts["length"].as<std::size_t>() / kPartFields;
    std::vector<std::int32_t> fields(count * kPartFields);
    val(emscripten::typed_memory_view(fields.size(), fields.data()))
        .call<void>("set", parts.call<val>("subarray", 0, fields.size()));
    for (std::size_t i = 0; i < count; ++i) {
      const std::int32_t* f = &fields[i * kPartFields];
      results.parts.push_back({f[0], f[1], f[2], f[3], f[4]});
    }
  }
  return results;
}

}  // namespace plinvaro::web

EMSCRIPTEN_BINDINGS(plinvaro_web_search) {
  using namespace plinvaro::web;
  emscripten::function("scanFolder", &ScanFolder);
  emscripten::function("searchParts", &SearchParts);
  emscripten::function("searchCancelledText", &CancelledText);
  emscripten::function("searchProgressDelay", &ProgressDelay);
}
