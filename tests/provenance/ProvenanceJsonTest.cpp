// The provenance document: its exact lines for every kind.
#include <gtest/gtest.h>

#include <string>

#include "provenance/ProvenanceJson.h"

namespace plinvaro::testing {
namespace {

TEST(ProvenanceJson, WritesOneLinePerSpanWithNullFilesForTypedAndUnknownText) {
  ProvenanceMap map;
  map.Replace(0, 0, 4, SpanOrigin(SpanKind::Base, "/b/base.txt", 0));
  map.Replace(4, 0, 3, SpanOrigin(SpanKind::Found, "/d/caf\xe9 \"x\".txt", 120, "old road"));
  map.Replace(7, 0, 2, SpanOrigin(SpanKind::Accepted, "/d/a.txt", 9));
  map.Replace(9, 0, 1, SpanOrigin(SpanKind::Typed));
  map.Replace(10, 0, 1, SpanOrigin(SpanKind::Unknown));
  EXPECT_EQ(ProvenanceJson(map, "/d"),
            "{\"format\":\"plinvaro-provenance\",\"version\":1,\n"
            "\"base_directory\":\"/d\",\"length\":11,\"spans\":[\n"
            "{\"start\":0,\"end\":4,\"kind\":\"base\",\"file\":\"/b/base.txt\",\"offset\":0,\"shared\":\"\"},\n"
            "{\"start\":4,\"end\":7,\"kind\":\"found\",\"file\":\"/d/caf\\u00e9 \\\"x\\\".txt\","
            "\"offset\":120,\"shared\":\"old road\"},\n"
            "{\"start\":7,\"end\":9,\"kind\":\"accepted\",\"file\":\"/d/a.txt\",\"offset\":9,\"shared\":\"\"},\n"
            "{\"start\":9,\"end\":10,\"kind\":\"typed\",\"file\":null,\"offset\":null,\"shared\":\"\"},\n"
            "{\"start\":10,\"end\":11,\"kind\":\"unknown\",\"file\":null,\"offset\":null,\"shared\":\"\"}\n"
            "]}\n");
}

TEST(ProvenanceJson, AnEmptyTextHasNoSpans) {
  EXPECT_EQ(ProvenanceBody(ProvenanceMap(), ""),
            "\"base_directory\":\"\",\"length\":0,\"spans\":[\n]}\n");
}

}  // namespace
}  // namespace plinvaro::testing
