// Case folding lookups and the UTF-8 units the folded scan reads backwards.
#include <gtest/gtest.h>

#include <algorithm>

#include "search/CaseFold.h"
#include "search/FoldedMatch.h"

namespace plinvaro {
namespace {

TEST(CaseFold, FoldsEachCaseToOne) {
  const std::vector<std::pair<char32_t, char32_t>> table = {
      {U'A', U'a'},   {U'z', U'z'},      {U'Ä', U'ä'},      {U'É', U'é'},      {U'ß', U'ß'},
      {U'ẞ', U'ß'},   {U'\u212A', U'k'}, {U'ſ', U's'},      {U'Σ', U'σ'},      {U'ς', U'σ'},
      {U'İ', U'İ'},   {U'Ω', U'ω'},      {U'\u2126', U'ω'}, {U'Ǆ', U'ǆ'},      {U'ǅ', U'ǆ'},
      {U'Ā', U'ā'},   {U'ā', U'ā'},      {U'Я', U'я'},      {U'\U00010400', U'\U00010428'},
      {U'1', U'1'},   {U'\u00B5', U'μ'}, {U'\u1E9B', U'\u1E61'}, {U'\U0010FFFF', U'\U0010FFFF'}};
  for (const auto& [from, to] : table)
    EXPECT_EQ(FoldCodePoint(from), to) << std::hex << static_cast<std::uint32_t>(from);
}

TEST(CaseFold, ClassHoldsEveryCaseOfALetter) {
  auto sorted = [](std::vector<char32_t> v) {
    std::sort(v.begin(), v.end());
    return v;
  };
  EXPECT_EQ(sorted(FoldClass(U'k')), (std::vector<char32_t>{U'K', U'k', U'\u212A'}));
  EXPECT_EQ(sorted(FoldClass(U's')), (std::vector<char32_t>{U'S', U's', U'ſ'}));
  EXPECT_EQ(sorted(FoldClass(U'ß')), (std::vector<char32_t>{U'ß', U'ẞ'}));
  EXPECT_EQ(sorted(FoldClass(U'σ')), (std::vector<char32_t>{U'Σ', U'ς', U'σ'}));
  EXPECT_EQ(FoldClass(U'1'), (std::vector<char32_t>{U'1'}));
}

// Bytes as unsigned, and the unit ending at the last of them.
Utf8Unit LastUnit(const std::string& s) {
  return UnitEndingAt(reinterpret_cast<const unsigned char*>(s.data()),
                      static_cast<std::int64_t>(s.size()) - 1);
}

TEST(CaseFold, UnitsReadBackwardsOnlyFromWellFormedSequences) {
  struct Row {
    std::string bytes;
    Utf8Unit unit;
  };
  const std::vector<Row> rows = {
      {"xA", {'a', 1}},
      {"x\xC3\x84", {0xE4, 2}},                    // Ä
      {"\xE2\x84\xAA", {'k', 3}},                  // Kelvin sign
      {"\xF0\x90\x90\x80", {0x10428, 4}},          // Deseret capital long I
      {"\x84", {kLoneByteKey + 0x84, 1}},          // continuation with no lead
      {"\xC3\x84\x84", {kLoneByteKey + 0x84, 1}},  // one continuation too many
      {"\xE2\x84", {kLoneByteKey + 0x84, 1}},      // sequence cut short
      {"\xC0\x80", {kLoneByteKey + 0x80, 1}},      // overlong
      {"\xED\xA0\x80", {kLoneByteKey + 0x80, 1}},  // surrogate
      {"\xF4\x90\x80\x80", {kLoneByteKey + 0x80, 1}},  // beyond U+10FFFF
      {"\xE9", {kLoneByteKey + 0xE9, 1}},          // Latin-1 byte
  };
  for (const Row& r : rows) {
    const Utf8Unit u = LastUnit(r.bytes);
    EXPECT_EQ(u.key, r.unit.key) << ::testing::PrintToString(r.bytes);
    EXPECT_EQ(u.length, r.unit.length) << ::testing::PrintToString(r.bytes);
  }
}

TEST(CaseFold, PatternKeepsTheBytesOfACutCharacterAsBytes) {
  const std::vector<PatternUnit> units = SplitPattern("\xA4\x84" "d\xC3\x84\xE9");
  ASSERT_EQ(units.size(), 5u);
  EXPECT_TRUE(units[0].raw);
  EXPECT_EQ(units[0].key, 0xA4);
  EXPECT_TRUE(units[1].raw);
  EXPECT_FALSE(units[2].raw);
  EXPECT_EQ(units[3].key, 0xE4);
  EXPECT_EQ(units[3].length, 2);
  EXPECT_EQ(units[4].key, kLoneByteKey + 0xE9);
}

}  // namespace
}  // namespace plinvaro
