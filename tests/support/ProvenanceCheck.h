// The provenance invariant for tests: spans cover the text in order, and every file span holds its file's bytes.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "provenance/Provenance.h"

namespace plinvaro::testing {

// What is wrong with `map` as the provenance of `text` (bytes); empty when nothing is.
inline std::string ProvenanceFault(const ProvenanceMap& map, const std::string& text) {
  if (map.Length() != static_cast<std::int64_t>(text.size()))
    return "map covers " + std::to_string(map.Length()) + " units, the text has " +
           std::to_string(text.size());
  std::map<std::string, std::string> files;
  std::int32_t next = 0;
  for (const ProvenanceSpan& span : map.spans()) {
    const std::string where = "span at " + std::to_string(span.start);
    if (span.start != next || span.length <= 0) return where + " leaves a gap or overlaps";
    next = span.end();
    if (!IsFileKind(span.kind)) {
      if (span.file != -1) return where + " names a file without being a file span";
      continue;
    }
    const std::string& path = map.FilePath(span);
    if (!files.count(path)) {
      std::ifstream in(path, std::ios::binary);
      files[path] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    const std::string& bytes = files[path];
    if (span.offset < 0 || static_cast<std::size_t>(span.offset) + span.length > bytes.size() ||
        bytes.compare(span.offset, span.length, text, span.start, span.length) != 0)
      return where + " does not hold " + path + "'s bytes from " + std::to_string(span.offset);
  }
  if (next != map.Length()) return "the spans end before the text";
  return {};
}

}  // namespace plinvaro::testing
