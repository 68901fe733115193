// ComposeTrace: the two event line shapes and the document around them.
#include "cli/ComposeTrace.h"

namespace plinvaro::cli {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

}  // namespace

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

std::string WeightsLine(std::string_view directory, const SourceWeights::Names& weights) {
  std::string line = "{\"event\":\"weights\",\"directory\":" + JsonString(directory) + ",\"files\":[";
  const char* comma = "";
  for (const auto& [name, weight] : weights) {
    line += std::string(comma) + "{\"name\":" + JsonString(name) + ",\"weight\":" + std::to_string(weight) + "}";
    comma = ",";
  }
  return line + "]}\n";
}

std::string TraceHead() { return ProvenanceHead() + "\"events\":[\n"; }

std::string TraceEvent(const std::string& line) {
  const std::size_t end = line.empty() || line.back() != '\n' ? line.size() : line.size() - 1;
  return line.substr(0, end) + ",\n";
}

std::string TraceTail(const ProvenanceMap& map, std::string_view baseDirectory) {
  return "{\"event\":\"end\"}],\n" + ProvenanceBody(map, baseDirectory);
}

}  // namespace plinvaro::cli
