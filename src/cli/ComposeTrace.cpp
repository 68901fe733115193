// ComposeTrace: byte-exact JSON escaping and the two trace line shapes.
#include "cli/ComposeTrace.h"

namespace plinvaro::cli {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendUnicodeEscape(std::string& out, unsigned char byte) {
  out += "\\u00";
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0x0F];
}

}  // namespace

std::string JsonString(std::string_view bytes) {
  std::string out = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      AppendUnicodeEscape(out, byte);
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

std::string HexBytes(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
  }
  return out;
}

std::string ChunkLine(const char* source, std::string_view file, std::int32_t offset,
                      std::int32_t length) {
  return std::string("{\"event\":\"chunk\",\"source\":\"") + source + "\",\"file\":" +
         JsonString(file) + ",\"offset\":" + std::to_string(offset) +
         ",\"length\":" + std::to_string(length) + "}\n";
}

std::string SearchLine(const SearchRecord& r) {
  return std::string("{\"event\":\"search\",\"pattern_hex\":\"") + HexBytes(r.pattern) +
         "\",\"parts\":" + std::to_string(r.parts) + ",\"file\":" + JsonString(r.file) +
         ",\"offset\":" + std::to_string(r.offset) +
         ",\"match_length\":" + std::to_string(r.matchLength) +
         ",\"position\":" + std::to_string(r.position) + "}\n";
}

}  // namespace plinvaro::cli
