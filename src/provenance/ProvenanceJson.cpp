// ProvenanceJson: byte-exact escaping and the document's lines.
#include "provenance/ProvenanceJson.h"

namespace plinvaro {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendUnicodeEscape(std::string& out, unsigned char byte) {
  out += "\\u00";
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0x0F];
}

std::string SpanLine(const ProvenanceMap& map, const ProvenanceSpan& span) {
  std::string line = "{\"start\":" + std::to_string(span.start) +
                     ",\"end\":" + std::to_string(span.end()) + ",\"kind\":\"" +
                     SpanKindName(span.kind) + "\"";
  if (IsFileKind(span.kind)) {
    line += ",\"file\":" + JsonString(map.FilePath(span)) +
            ",\"offset\":" + std::to_string(span.offset);
  } else {
    line += ",\"file\":null,\"offset\":null";
  }
  return line + ",\"shared\":" + JsonString(span.shared) + "}";
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

const char* SpanKindName(SpanKind kind) {
  switch (kind) {
    case SpanKind::Base: return "base";
    case SpanKind::Found: return "found";
    case SpanKind::Accepted: return "accepted";
    case SpanKind::Typed: return "typed";
    case SpanKind::Unknown: break;
  }
  return "unknown";
}

std::string ProvenanceHead() {
  return std::string("{\"format\":\"") + kProvenanceFormat +
         "\",\"version\":" + std::to_string(kProvenanceVersion) + ",\n";
}

std::string ProvenanceBody(const ProvenanceMap& map, std::string_view baseDirectory) {
  std::string out = "\"base_directory\":" + JsonString(baseDirectory) +
                    ",\"length\":" + std::to_string(map.Length()) + ",\"spans\":[\n";
  const auto& spans = map.spans();
  for (std::size_t i = 0; i < spans.size(); ++i)
    out += SpanLine(map, spans[i]) + (i + 1 < spans.size() ? ",\n" : "\n");
  return out + "]}\n";
}

std::string ProvenanceJson(const ProvenanceMap& map, std::string_view baseDirectory) {
  return ProvenanceHead() + ProvenanceBody(map, baseDirectory);
}

}  // namespace plinvaro
