// A scan's results as JavaScript values, both ways: the search worker sends them, the page's face takes them.
//
// The value: {pattern: Uint8Array, minMatchLength, files: [path], listStatus,
// listError, filesListed, filesScanned, filesSkipped, bytesScanned, cancelled,
// parts: Int32Array of matchLength, offset, fileIndex, fileSize, patternLength per part}.
#pragma once

#include <emscripten/val.h>

#include "search/TextSearcher.h"

namespace plinvaro::web {

emscripten::val ResultsValue(const ScanResults& results);
// Missing or ill-typed fields read as empty or zero.
ScanResults ResultsFromValue(const emscripten::val& value);

// Copies a Uint8Array's bytes.
std::string BytesOf(const emscripten::val& array);

}  // namespace plinvaro::web
