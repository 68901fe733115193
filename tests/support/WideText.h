// Test texts as the boxes hold them: bytes widened one unit a byte, and back.
#pragma once

#include <string>
#include <string_view>

#include "text/AnsiConversion.h"

namespace plinvaro::testing {

inline std::u16string Wide(std::string_view bytes) {
  return AnsiToWide(reinterpret_cast<const unsigned char*>(bytes.data()),
                    static_cast<std::int32_t>(bytes.size()));
}

inline std::string Narrow(const std::u16string& text) {
  return WideToAnsi(text, static_cast<std::int32_t>(text.size()));
}

}  // namespace plinvaro::testing
