// Rules that turn the text before the caret into a search pattern (bytes throughout).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plinvaro {

// The longest pattern a search takes, in bytes (one byte per character).
inline constexpr std::int32_t kMaxPatternBytes = 63;

// The last kMaxPatternBytes bytes of `text` (all of it when shorter).
std::string PatternTail(std::string_view text);

// `pattern` without its trailing separator bytes; empty when it holds nothing else.
std::string TrimSeparators(std::string_view pattern);

// Bytes after the last Space byte, widened to the last two words when the last
// word is a single byte; see the matcher's acceptance rule (a).
std::int32_t MinMatchLength(std::string_view pattern);

}  // namespace plinvaro
