// The provenance document: a ProvenanceMap as JSON, shared by "Export sources..." and plinvaro-cli's trace.
//
// Layout, one object per line so that line tools can read it too:
//   {"format":"plinvaro-provenance","version":1,
//   "base_directory":DIR,"length":N,"spans":[
//   {"start":S,"end":E,"kind":K,"file":PATH,"offset":O,"shared":WORDS},
//   ...
//   ]}
// S and E are units of the text (one byte each), O the byte in PATH where the
// span's bytes begin; K is base, found, accepted, typed or unknown; typed and
// unknown spans have "file":null and "offset":null. WORDS are the words the
// join before the span shared, "" inside a run. Members may be added between
// the head and "base_directory" (the trace puts its events there).
#pragma once

#include <string>
#include <string_view>

#include "provenance/Provenance.h"

namespace plinvaro {

inline constexpr const char* kProvenanceFormat = "plinvaro-provenance";
inline constexpr int kProvenanceVersion = 1;

// `bytes` as a JSON string literal in plain ASCII: quotes and backslashes
// escaped, bytes below 0x20 and from 0x7F up as \u00XX, one code point per byte.
std::string JsonString(std::string_view bytes);
// The spelling of `kind` in the document.
const char* SpanKindName(SpanKind kind);

// The document's first line.
std::string ProvenanceHead();
// The document from "base_directory" to its closing brace.
std::string ProvenanceBody(const ProvenanceMap& map, std::string_view baseDirectory);
// The whole document.
std::string ProvenanceJson(const ProvenanceMap& map, std::string_view baseDirectory);

}  // namespace plinvaro
