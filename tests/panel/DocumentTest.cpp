// The in-memory document's selection rules and the byte-carrier conversions.
#include <ostream>
#include <gtest/gtest.h>

#include <string>

#include "PanelFixture.h"
#include "text/MemoryDocument.h"

namespace plinvaro::testing {
namespace {

struct ReplaceCase {
  const char* name;
  TextSelection before;
  std::int32_t start, end;
  const char* text;
  TextSelection after;
};

// Test names carry the case; this keeps failure messages readable too.
[[maybe_unused]] void PrintTo(const ReplaceCase& c, std::ostream* os) { *os << c.name; }

class ReplaceRangeTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceRangeTest, MovesSelectionBoundsByTheReplacementRule) {
  const ReplaceCase& c = GetParam();
  MemoryDocument doc;
  doc.SetText(u"0123456789");
  doc.SetSelection(c.before.start, c.before.end);
  doc.ReplaceRange(c.start, c.end, Wide(c.text));
  EXPECT_EQ(doc.GetSelection().start, c.after.start);
  EXPECT_EQ(doc.GetSelection().end, c.after.end);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, ReplaceRangeTest,
    ::testing::Values(
        ReplaceCase{"BeforeStays", {1, 2}, 4, 6, "xyz", {1, 2}},
        ReplaceCase{"InsideGoesToStart", {4, 5}, 3, 7, "ab", {3, 3}},
        ReplaceCase{"CaretAtInsertionGoesInFront", {5, 5}, 5, 5, "abc", {5, 5}},
        ReplaceCase{"BehindMovesByDifference", {8, 9}, 2, 4, "abcde", {11, 12}},
        ReplaceCase{"StraddlingStartAndBehind", {3, 9}, 2, 5, "", {2, 6}},
        ReplaceCase{"AtRangeEndGoesToStart", {6, 6}, 2, 6, "q", {2, 2}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(MemoryDocumentTest, EmptyDocumentHasNothing) {
  MemoryDocument doc;
  EXPECT_EQ(doc.Length(), 0);
  EXPECT_TRUE(doc.GetRangeText(0, 0).empty());
  doc.SetSelection(0, 5);
  EXPECT_EQ(doc.GetSelection().end, 0);
}

TEST(MemoryDocumentTest, ReplaceSelectionLeavesCaretBehindInsertedText) {
  MemoryDocument doc;
  doc.SetText(u"hello world");
  doc.SetSelection(6, 11);
  doc.ReplaceSelection(u"there", 5);
  EXPECT_EQ(doc.text(), u"hello there");
  EXPECT_EQ(doc.GetSelection().start, 11);
  EXPECT_TRUE(doc.GetSelection().IsEmpty());

  doc.SetSelection(0, 0);
  doc.ReplaceSelection(u"oh, ", 4);
  EXPECT_EQ(doc.text(), u"oh, hello there");
  EXPECT_EQ(doc.GetSelection().start, 4);
}

TEST(MemoryDocumentTest, TextEndsAtFirstNulButCaretMovesByFullCount) {
  MemoryDocument doc;
  doc.SetText(u"XYZ");
  doc.SetSelection(0, 0);
  doc.ReplaceSelection(Wide(std::string("a\0b ", 4)), 4);
  EXPECT_EQ(doc.text(), u"aXYZ");
  EXPECT_EQ(doc.GetSelection().start, 4);  // past the inserted "a" by the full count

  doc.SetSelection(4, 4);
  doc.ReplaceSelection(Wide(std::string("\0\0\0", 3)), 3);
  EXPECT_EQ(doc.text(), u"aXYZ");
  EXPECT_EQ(doc.GetSelection().start, 4);  // past the end stands for the end
}

TEST(MemoryDocumentTest, PositionsOutsideTheTextAreClamped) {
  MemoryDocument doc;
  doc.SetText(u"abc");
  doc.SetSelection(2, 99);
  EXPECT_EQ(doc.GetSelection().start, 2);
  EXPECT_EQ(doc.GetSelection().end, 3);
  doc.SetSelection(-4, 1);
  EXPECT_EQ(doc.GetSelection().start, 0);
  EXPECT_EQ(doc.GetRangeText(1, 50), u"bc");
  doc.ReplaceRange(2, 40, u"Z");
  EXPECT_EQ(doc.text(), u"abZ");
}

TEST(MemoryDocumentTest, RangesGivenInReverseAreTakenInOrder) {
  MemoryDocument doc;
  doc.SetText(u"0123456789");
  EXPECT_EQ(doc.GetRangeText(7, 2), u"23456");
  EXPECT_EQ(doc.GetRangeText(99, 8), u"89");
  EXPECT_EQ(doc.GetRangeText(3, -5), u"012");
  doc.SetSelection(6, 1);
  EXPECT_EQ(doc.GetSelection().start, 1);
  EXPECT_EQ(doc.GetSelection().end, 6);
  doc.SetSelection(50, -50);
  EXPECT_EQ(doc.GetSelection().start, 0);
  EXPECT_EQ(doc.GetSelection().end, 10);
  doc.SetSelection(9, 9);
  doc.ReplaceRange(5, 2, u"ab");  // [2, 5) becomes "ab"; the caret behind moves by -1
  EXPECT_EQ(doc.text(), u"01ab56789");
  EXPECT_EQ(doc.GetSelection().start, 8);
  doc.ReplaceRange(40, 7, u"Z");
  EXPECT_EQ(doc.text(), u"01ab567Z");
}

TEST(MemoryDocumentTest, CrLfCountsAsTwoCharacters) {
  MemoryDocument doc;
  doc.ReplaceSelection(Wide("a\r\nb"), 4);
  EXPECT_EQ(doc.Length(), 4);
}

TEST(MemoryDocumentTest, ClipboardCommandsActOnTheSelection) {
  MemoryDocument doc;
  EXPECT_FALSE(doc.CanPaste());
  doc.SetText(u"one two");
  doc.SetSelection(0, 4);
  doc.Cut();
  EXPECT_EQ(doc.text(), u"two");
  ASSERT_TRUE(doc.CanPaste());
  doc.SetSelection(3, 3);
  doc.Paste();
  EXPECT_EQ(doc.text(), u"twoone ");
  EXPECT_EQ(doc.GetSelection().start, 7);
}

TEST(AnsiConversionTest, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::u16string wide = Wide(all);
  ASSERT_EQ(wide.size(), 256u);
#ifndef _WIN32  // the byte carrier; Windows converts with its ANSI code page
  for (int b = 0; b < 256; ++b) EXPECT_EQ(wide[static_cast<std::size_t>(b)], b);
#endif
  EXPECT_EQ(WideToAnsi(wide, 256), all);
}

TEST(AnsiConversionTest, WideToAnsiTakesExactlyTheCountGiven) {
  EXPECT_EQ(WideToAnsi(u"abcdef", 3), "abc");
  EXPECT_EQ(WideToAnsi(u"ab", 4), std::string("ab\0\0", 4));  // never reads past the text
#ifndef _WIN32
  EXPECT_EQ(WideToAnsi(u"a\u20ACb", 3), "a?b");
#endif
  EXPECT_EQ(WideToAnsi(u"abc", -1), "");
  EXPECT_TRUE(AnsiToWide(nullptr, 5).empty());
}

}  // namespace
}  // namespace plinvaro::testing
