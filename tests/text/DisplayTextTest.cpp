// The byte/UTF-16 display map: exact round trips of mixed bytes, and offsets across marks.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text/DisplayText.h"

namespace plinvaro {
namespace {

struct MapCase {
  const char* name;
  std::string bytes;
  std::u16string shown;
};

class DisplayMap : public testing::TestWithParam<MapCase> {};

TEST_P(DisplayMap, ShowsAndComesBackExactly) {
  const MapCase& c = GetParam();
  EXPECT_EQ(ToDisplayText(c.bytes), c.shown);
  EXPECT_EQ(FromDisplayText(ToDisplayText(c.bytes)), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DisplayMap,
    testing::Values(
        MapCase{"ascii_crlf", std::string("one\r\ntwo\n\0x", 10), std::u16string(u"one\r\ntwo\n\0x", 10)},
        MapCase{"utf8", "caf\xC3\xA9 \xE2\x80\x99 \xF0\x9F\x8C\x8A", u"café ’ 🌊"},
        MapCase{"stray_ff", "a\xFF" "b", u"a\xDCFF" "b"},
        MapCase{"lone_c3_at_end", "x\xC3", u"x\xDCC3"},
        MapCase{"lone_c3_before_ascii", "\xC3" "A", u"\xDCC3" "A"},
        MapCase{"latin1_word", "na\xEFve", u"na\xDCEFve"},
        MapCase{"overlong_slash", "\xC0\xAF", u"\xDCC0\xDCAF"},
        MapCase{"encoded_surrogate", "\xED\xB2\x80", u"\xDCED\xDCB2\xDC80"},
        MapCase{"above_unicode", "\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},
        MapCase{"cut_four_byte", "\xF0\x9F\x8C", u"\xDCF0\xDC9F\xDC8C"}),
    [](const testing::TestParamInfo<MapCase>& row) { return std::string(row.param.name); });

TEST(DisplayMapBack, LoneSurrogatesThatNoByteGivesBecomeReplacement) {
  EXPECT_EQ(FromDisplayText(u"a\xD800" "b"), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(FromDisplayText(u"\xDC10"), "\xEF\xBF\xBD");
}

TEST(DisplayMapBack, EveryByteSurvivesInAnyCompany) {
  std::mt19937 random(5);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(static_cast<std::size_t>(random() % 40), '\0');
    for (char& b : bytes) b = static_cast<char>(random() % 8 == 0 ? random() % 256 : 0xC0 + random() % 0x40);
    ASSERT_EQ(FromDisplayText(ToDisplayText(bytes)), bytes);
  }
}

// Offsets both ways for a text longer than several mark strides, checked
// against a plain count of the shown text.
TEST(DisplayOffsetsTest, AgreeWithTheShownTextAcrossMarksAndChanges) {
  const std::string words = "word \xC3\xA9\r\n\xFF\xF0\x9F\x8C\x8A ";
  std::string bytes;
  constexpr int kRepeats = 10000;  // 150 KB: several marks at any stride up to 48 KB
  for (int i = 0; i < kRepeats; ++i) bytes += words;
  DisplayOffsets offsets;
  const auto check = [&](std::int32_t byte) {
    const std::u16string before = ToDisplayText(std::string_view(bytes).substr(0, static_cast<std::size_t>(byte)));
    const auto units = static_cast<std::int32_t>(before.size());
    ASSERT_EQ(offsets.UnitsBefore(bytes, byte), units) << "byte " << byte;
    ASSERT_EQ(offsets.BytesBefore(bytes, units), byte) << "byte " << byte;
  };
  const auto stride = static_cast<std::int32_t>(words.size());
  for (std::int32_t at : {0, stride * 4000, stride, stride * 9000, stride * 3})
    check(at);
  // Inside a sequence: the sequence's start, both ways.
  EXPECT_EQ(offsets.UnitsBefore(bytes, 6), offsets.UnitsBefore(bytes, 5));  // inside "é"
  EXPECT_EQ(offsets.BytesBefore(bytes, 9), 10);  // the high half of the pair
  EXPECT_EQ(offsets.BytesBefore(bytes, 10), 10);  // its low half

  // A lone byte that a later insertion completes: marks near the change go.
  bytes.insert(static_cast<std::size_t>(stride * 5000), "\xC3");
  offsets.ChangedFrom(stride * 5000);
  check(stride * 5000 + stride);
  bytes.insert(static_cast<std::size_t>(stride * 5000 + 1), "\xA9");
  offsets.ChangedFrom(stride * 5000 + 1);
  check(stride * 6000 + 2);  // a repetition's start, two bytes on
  EXPECT_EQ(offsets.UnitsBefore(bytes, 1 << 30), static_cast<std::int32_t>(ToDisplayText(bytes).size()));
}

}  // namespace
}  // namespace plinvaro
