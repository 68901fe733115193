// One found continuation: where in which file a passage continues the pattern.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace plinvaro {

struct FoundPart {
  // Bytes of the file's matched text, which ends just before `offset`.
  std::int32_t matchLength = 0;
  // Bytes of the pattern's matched text, its last patternLength bytes: as
  // many as matchLength, except regardless of case where a letter matched a
  // case of another UTF-8 length (the Kelvin sign for k).
  std::int32_t patternLength = 0;
  // Byte offset in the file of the first byte after the match (a separator when recorded).
  std::int32_t offset = 0;
  // Bytes actually read from `offset` by the last successful load; never more
  // than that load asked for, possibly fewer (the file ended or shrank). Empty
  // optional: nothing loaded yet, or the last read failed.
  std::optional<std::vector<unsigned char>> text;
  // Bytes the next load asks for; 0 until the preview first loads the part.
  std::int32_t textLength = 0;
  // Index of the part's file in the searcher's `files`.
  std::int32_t fileIndex = 0;
  // Size in bytes of the part's file when it was scanned.
  std::int32_t fileSize = 0;

  // Bytes of `text` that may be read.
  std::int32_t TextBytes() const {
    return text ? static_cast<std::int32_t>(text->size()) : 0;
  }
};

}  // namespace plinvaro
