// ProvenanceMap on its own: merging, splitting, erasing and refusing bad ranges.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "provenance/Provenance.h"

namespace plinvaro::testing {
namespace {

// An origin read from `file`'s first opening (all the tests' bytes but those of a second one).
SpanOrigin Read(SpanKind kind, std::string_view file, std::int32_t offset,
                std::string_view shared = {}, std::uint64_t opening = 1) {
  SpanOrigin origin(kind, file, offset, shared);
  origin.opening = opening;
  return origin;
}

// One span as the tests write it: start, length, kind, file ("" for none), offset, shared words.
struct Expected {
  std::int32_t start;
  std::int32_t length;
  SpanKind kind;
  std::string file;
  std::int32_t offset;
  std::string shared;
};

void ExpectSpans(const ProvenanceMap& map, const std::vector<Expected>& expected) {
  ASSERT_EQ(map.spans().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const ProvenanceSpan& span = map.spans()[i];
    SCOPED_TRACE("span " + std::to_string(i));
    EXPECT_EQ(span.start, expected[i].start);
    EXPECT_EQ(span.length, expected[i].length);
    EXPECT_EQ(span.kind, expected[i].kind);
    EXPECT_EQ(map.FilePath(span), expected[i].file);
    if (IsFileKind(span.kind)) {
      EXPECT_EQ(span.offset, expected[i].offset);
    }
    EXPECT_EQ(span.shared, expected[i].shared);
  }
}

const SpanOrigin kTyped{SpanKind::Typed};

TEST(ProvenanceMap, PlaybackThatContinuesItsFileStaysOneSpan) {
  ProvenanceMap map;
  ASSERT_TRUE(map.Replace(0, 0, 4, Read(SpanKind::Base, "a.txt", 0)));
  ASSERT_TRUE(map.Replace(4, 0, 3, Read(SpanKind::Base, "a.txt", 4)));
  ASSERT_TRUE(map.Replace(7, 0, 2, Read(SpanKind::Base, "a.txt", 9)));  // a gap in the file
  ASSERT_TRUE(map.Replace(9, 0, 5, Read(SpanKind::Found, "b.txt", 11, "old road")));
  ASSERT_TRUE(map.Replace(14, 0, 1, Read(SpanKind::Found, "b.txt", 16)));
  ExpectSpans(map, {{0, 7, SpanKind::Base, "a.txt", 0, ""},
                    {7, 2, SpanKind::Base, "a.txt", 9, ""},
                    {9, 6, SpanKind::Found, "b.txt", 11, "old road"}});
  EXPECT_EQ(map.Length(), 15);
  EXPECT_EQ(map.files().size(), 2u);
}

// The file may have changed between two openings: offsets that line up prove nothing.
TEST(ProvenanceMap, BytesOfTwoOpeningsNeverBecomeOneSpan) {
  ProvenanceMap map;
  ASSERT_TRUE(map.Replace(0, 0, 4, Read(SpanKind::Base, "a.txt", 0)));
  ASSERT_TRUE(map.Replace(4, 0, 3, Read(SpanKind::Base, "a.txt", 4, {}, 2)));
  ASSERT_TRUE(map.Replace(2, 0, 2, Read(SpanKind::Base, "a.txt", 0, {}, 3)));  // lines up with the rest of the first
  ASSERT_TRUE(map.Replace(9, 0, 1, SpanOrigin(SpanKind::Base, "a.txt", 7)));  // of no known opening
  ExpectSpans(map, {{0, 2, SpanKind::Base, "a.txt", 0, ""},
                    {2, 2, SpanKind::Base, "a.txt", 0, ""},
                    {4, 2, SpanKind::Base, "a.txt", 2, ""},
                    {6, 3, SpanKind::Base, "a.txt", 4, ""},
                    {9, 1, SpanKind::Base, "a.txt", 7, ""}});
}

TEST(ProvenanceMap, TypingInsideAFileSpanSplitsItAndDeletingItJoinsItAgain) {
  ProvenanceMap map;
  map.Replace(0, 0, 10, Read(SpanKind::Found, "b.txt", 100, "shared"));
  ASSERT_TRUE(map.Replace(4, 0, 2, kTyped));
  ExpectSpans(map, {{0, 4, SpanKind::Found, "b.txt", 100, "shared"},
                    {4, 2, SpanKind::Typed, "", 0, ""},
                    {6, 6, SpanKind::Found, "b.txt", 104, ""}});
  ASSERT_TRUE(map.Replace(4, 2, 0, kTyped));
  ExpectSpans(map, {{0, 10, SpanKind::Found, "b.txt", 100, "shared"}});
}

TEST(ProvenanceMap, ReplacingAcrossSpansKeepsTheOuterPartsOfBoth) {
  ProvenanceMap map;
  map.Replace(0, 0, 5, Read(SpanKind::Base, "a.txt", 0));
  map.Replace(5, 0, 5, Read(SpanKind::Accepted, "b.txt", 20));
  ASSERT_TRUE(map.Replace(3, 4, 1, kTyped));
  ExpectSpans(map, {{0, 3, SpanKind::Base, "a.txt", 0, ""},
                    {3, 1, SpanKind::Typed, "", 0, ""},
                    {4, 3, SpanKind::Accepted, "b.txt", 22, ""}});
  // Typed text next to typed text is one span; unknown text is not typed.
  ASSERT_TRUE(map.Replace(4, 0, 2, kTyped));
  ASSERT_TRUE(map.Replace(0, 0, 1, SpanOrigin(SpanKind::Unknown)));
  ExpectSpans(map, {{0, 1, SpanKind::Unknown, "", 0, ""},
                    {1, 3, SpanKind::Base, "a.txt", 0, ""},
                    {4, 3, SpanKind::Typed, "", 0, ""},
                    {7, 3, SpanKind::Accepted, "b.txt", 22, ""}});
}

TEST(ProvenanceMap, BadRangesChangeNothing) {
  ProvenanceMap map;
  map.Replace(0, 0, 6, Read(SpanKind::Base, "a.txt", 0));
  struct Case {
    std::int32_t position, removed, inserted;
  };
  for (const Case c : {Case{-1, 0, 1}, Case{7, 0, 1}, Case{4, 3, 0}, Case{0, -1, 0},
                       Case{0, 0, -2}, Case{6, 0, 2147483647}}) {
    EXPECT_FALSE(map.Replace(c.position, c.removed, c.inserted, kTyped)) << c.position;
  }
  EXPECT_FALSE(map.Replace(0, 0, 1, Read(SpanKind::Found, "b.txt", -3)));
  ExpectSpans(map, {{0, 6, SpanKind::Base, "a.txt", 0, ""}});
}

TEST(ProvenanceMap, LooksUpSpansAndCountsUnitsOfAKind) {
  ProvenanceMap map;
  map.Replace(0, 0, 4, Read(SpanKind::Base, "a.txt", 0));
  map.Replace(4, 0, 3, kTyped);
  map.Replace(7, 0, 4, Read(SpanKind::Found, "b.txt", 0));
  EXPECT_EQ(map.SpanIndexAt(0), 0);
  EXPECT_EQ(map.SpanIndexAt(3), 0);
  EXPECT_EQ(map.SpanIndexAt(4), 1);
  EXPECT_EQ(map.SpanIndexAt(10), 2);
  EXPECT_EQ(map.SpanIndexAt(11), -1);
  EXPECT_EQ(map.SpanIndexAt(-1), -1);
  EXPECT_EQ(map.UnitsOfKind(0, 11, SpanKind::Typed), 3);
  EXPECT_EQ(map.UnitsOfKind(5, 9, SpanKind::Typed), 2);
  EXPECT_EQ(map.UnitsOfKind(7, 100, SpanKind::Typed), 0);
  map.Reset(5, SpanKind::Found);  // a file kind cannot be vouched for without a file
  ExpectSpans(map, {{0, 5, SpanKind::Unknown, "", 0, ""}});
  EXPECT_TRUE(map.files().empty());
}

}  // namespace
}  // namespace plinvaro::testing
