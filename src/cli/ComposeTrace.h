// The trace of plinvaro-cli compose: the provenance document with one event object per played chunk and per search.
//
// The document is panel/ProvenanceJson.h's with an "events" member after its
// head: one object per line, each followed by a comma, ending with
// {"event":"end"}.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "provenance/ProvenanceJson.h"
#include "panel/SourceWeights.h"

namespace plinvaro::cli {

using plinvaro::JsonString;
// Two lower-case hex digits per byte.
std::string HexBytes(std::string_view bytes);

struct SearchRecord {
  std::string pattern;          // searchPattern, raw bytes
  std::int32_t parts = 0;
  std::string file;             // the picked part's file; empty when nothing was found
  std::int32_t offset = -1;     // the picked part's offset
  std::int32_t matchLength = -1;
  std::int32_t position = -1;   // the found source's position after the separators
};

std::string ChunkLine(const char* source, std::string_view file, std::int32_t offset,
                      std::int32_t length);
std::string SearchLine(const SearchRecord& record);
// The weights of `directory`'s files, by name.
std::string WeightsLine(std::string_view directory, const SourceWeights::Names& weights);

// The trace's text up to its first event, an event line as it goes into the
// "events" array, and the text from the end event on.
std::string TraceHead();
std::string TraceEvent(const std::string& line);
std::string TraceTail(const ProvenanceMap& map, std::string_view baseDirectory);

}  // namespace plinvaro::cli
