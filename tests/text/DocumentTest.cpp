// RichDocument's selection rules on in-memory documents, and the byte-carrier conversions.
#include <ostream>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "WideText.h"
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

// Hears, from inside each replacement, where the caret will stand.
class CaretHearingDocument : public MemoryDocument {
 public:
  std::int32_t heard = -1;

 protected:
  bool DoReplaceRange(std::int32_t start, std::int32_t end, const std::u16string& text) override {
    heard = caretAfterReplace();
    return MemoryDocument::DoReplaceRange(start, end, text);
  }
  bool DoReplaceRangeBytes(std::int32_t start, std::int32_t end, std::string_view bytes) override {
    heard = caretAfterReplace();
    return MemoryDocument::DoReplaceRangeBytes(start, end, bytes);
  }
};

// The same rule whether the text comes as UTF-16 units or as bytes; the face
// hears beforehand where the caret ends up.
TEST_P(ReplaceRangeTest, MovesSelectionBoundsByTheReplacementRule) {
  const ReplaceCase& c = GetParam();
  for (const bool bytes : {false, true}) {
    CaretHearingDocument doc;
    doc.SetText(u"0123456789");
    doc.SetSelection(c.before.start, c.before.end);
    if (bytes) {
      doc.ReplaceRangeBytes(c.start, c.end, c.text);
    } else {
      doc.ReplaceRange(c.start, c.end, Wide(c.text));
    }
    EXPECT_EQ(doc.GetSelection().start, c.after.start) << (bytes ? "bytes" : "units");
    EXPECT_EQ(doc.GetSelection().end, c.after.end) << (bytes ? "bytes" : "units");
    EXPECT_EQ(doc.heard, c.after.end) << (bytes ? "bytes" : "units");
  }
}

// ReplaceSelection's caret, n units behind the start and clamped, is heard too.
TEST(ReplaceSelectionCaret, IsHeardByTheFaceBeforeItIsPlaced) {
  const struct {
    TextSelection before;
    const char* text;
    std::int32_t n;
  } cases[] = {{{3, 3}, "abc", 3}, {{2, 6}, "x", 1}, {{4, 4}, "abc", 1}, {{8, 10}, "ab", 9}, {{5, 5}, "ab", -2}};
  for (const auto& c : cases) {
    for (const bool bytes : {false, true}) {
      CaretHearingDocument doc;
      doc.SetText(u"0123456789");
      doc.SetSelection(c.before.start, c.before.end);
      const std::string text = c.text;
      if (bytes) {
        doc.ReplaceSelectionBytes(text, c.n);
      } else {
        doc.ReplaceSelection(Wide(text), c.n);
      }
      EXPECT_EQ(doc.heard, doc.GetSelection().end) << c.text << " n=" << c.n << (bytes ? " bytes" : "");
      EXPECT_TRUE(doc.GetSelection().IsEmpty());
    }
  }
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

// A box that keeps which end of its selection is the caret, and may refuse a replacement.
class DirectedDocument : public MemoryDocument {
 public:
  void Select(std::int32_t anchor, std::int32_t caret) {
    SetSelection(anchor, caret);
    ends = {anchor, caret};
  }
  SelectionEnds ends;
  bool refuse = false;
  int endsSet = 0;

 protected:
  SelectionEnds DoGetSelectionEnds() const override { return ends; }
  void DoSetSelectionEnds(SelectionEnds moved) override {
    ++endsSet;
    ends = moved;
    DoSetSelection(std::min(moved.anchor, moved.caret), std::max(moved.anchor, moved.caret));
  }
  bool DoReplaceRange(std::int32_t start, std::int32_t end, const std::u16string& text) override {
    return !refuse && MemoryDocument::DoReplaceRange(start, end, text);
  }
  bool DoReplaceRangeBytes(std::int32_t start, std::int32_t end, std::string_view bytes) override {
    return !refuse && MemoryDocument::DoReplaceRangeBytes(start, end, bytes);
  }
};

class DirectedReplaceTest : public ::testing::Test {
 protected:
  void SetUp() override { doc.SetText(u"0123456789"); }
  DirectedDocument doc;
};

TEST_F(DirectedReplaceTest, ABackwardSelectionStaysBackward) {
  doc.Select(9, 3);
  doc.ReplaceRange(2, 5, u"");
  EXPECT_EQ(doc.ends.anchor, 6);  // behind the range: moved by the change in length
  EXPECT_EQ(doc.ends.caret, 2);   // inside it: to its start
  EXPECT_EQ(doc.text(), u"0156789");
}

TEST_F(DirectedReplaceTest, BoundsMoveByTheUnitsBeforeTheFirstNul) {
  doc.Select(8, 9);
  doc.ReplaceRange(2, 4, std::u16string(u"ab\0cde", 6));
  EXPECT_EQ(doc.text(), u"01ab456789");
  EXPECT_EQ(doc.ends.anchor, 8);
  EXPECT_EQ(doc.ends.caret, 9);
}

TEST_F(DirectedReplaceTest, ARefusedReplacementLeavesTextAndSelection) {
  doc.Select(7, 1);
  doc.refuse = true;
  doc.ReplaceRange(0, 10, u"x");
  doc.ReplaceRangeBytes(0, 10, "x");
  EXPECT_EQ(doc.text(), u"0123456789");
  EXPECT_EQ(doc.endsSet, 0);
  EXPECT_EQ(doc.GetSelection().start, 1);
  EXPECT_EQ(doc.GetSelection().end, 7);
}

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

  doc.SetSelection(1, 1);
  doc.ReplaceSelectionBytes(std::string_view("\xE9\0b ", 4), 4);
  EXPECT_EQ(doc.text(), u"a\u00E9XYZ");
  EXPECT_EQ(doc.GetSelection().start, 5);
}

TEST(MemoryDocumentTest, HoldsBytesAtComparesEveryUnitWithinTheText) {
  MemoryDocument doc;
  doc.SetText(u"ab\u00FFc\u0100");
  EXPECT_TRUE(doc.HoldsBytesAt(1, "b\xFF" "c"));
  EXPECT_FALSE(doc.HoldsBytesAt(1, "b\xFF" "d"));
  EXPECT_FALSE(doc.HoldsBytesAt(4, std::string_view("\0", 1)));  // a unit above 0xFF is no byte
  EXPECT_FALSE(doc.HoldsBytesAt(3, std::string_view("c\0x", 3)));  // runs past the end
  EXPECT_FALSE(doc.HoldsBytesAt(-1, "a"));
  EXPECT_TRUE(doc.HoldsBytesAt(5, ""));
  EXPECT_FALSE(doc.HoldsBytesAt(6, ""));
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
  EXPECT_EQ(doc.GetRangeBytes(-3, 2), "ab");
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
