// The UTF-8 units the folded scan reads backwards, well-formed or not (the table itself: CaseFoldIcuTest).
#include <gtest/gtest.h>

#include "search/CaseFold.h"

namespace plinvaro {
namespace {

TEST(CaseFold, UnitsReadBackwardsOnlyFromWellFormedSequences) {
  const struct {
    std::string bytes;
    Utf8Unit unit;  // the unit ending at the last byte
  } rows[] = {
      {"xA", {'a', 1}},
      {"x\xC3\x84", {0xE4, 2}},                        // capital A umlaut
      {"\xE2\x84\xAA", {'k', 3}},                      // Kelvin sign
      {"\xF0\x90\x90\x80", {0x10428, 4}},              // Deseret capital long I
      {"\x84", {kLoneByteKey + 0x84, 1}},              // continuation with no lead
      {"\xC3\x84\x84", {kLoneByteKey + 0x84, 1}},      // one continuation too many
      {"\xE2\x84", {kLoneByteKey + 0x84, 1}},          // sequence cut short
      {"\xC0\x80", {kLoneByteKey + 0x80, 1}},          // overlong
      {"\xED\xA0\x80", {kLoneByteKey + 0x80, 1}},      // surrogate
      {"\xF4\x90\x80\x80", {kLoneByteKey + 0x80, 1}},  // beyond U+10FFFF
      {"\xE9", {kLoneByteKey + 0xE9, 1}},              // Latin-1 byte
  };
  for (const auto& r : rows) {
    const Utf8Unit u = UnitEndingAt(reinterpret_cast<const unsigned char*>(r.bytes.data()),
                                    static_cast<std::int64_t>(r.bytes.size()) - 1);
    EXPECT_EQ(u.key, r.unit.key) << ::testing::PrintToString(r.bytes);
    EXPECT_EQ(u.length, r.unit.length) << ::testing::PrintToString(r.bytes);
  }
}

}  // namespace
}  // namespace plinvaro
