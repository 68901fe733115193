// The JSON-lines trace of plinvaro-cli compose: one object per played chunk and per search.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace plinvaro::cli {

// `bytes` as a JSON string literal: quotes and backslashes escaped, control bytes,
// 0x7F and every byte from 0x80 as \u00XX (one code point per byte).
std::string JsonString(std::string_view bytes);
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

}  // namespace plinvaro::cli
