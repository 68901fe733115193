// The committed folding table against ICU's simple case folding, code point by code point.
#include <gtest/gtest.h>
#include <unicode/uchar.h>

#include <algorithm>

#include "search/CaseFold.h"

namespace plinvaro {
namespace {

TEST(CaseFoldTable, AgreesWithIcuAndEveryLetterIsInItsClass) {
  EXPECT_STREQ(kCaseFoldUnicodeVersion, U_UNICODE_VERSION);
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    const auto expected = static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
    ASSERT_EQ(FoldCodePoint(c), expected) << std::hex << "U+" << static_cast<std::uint32_t>(c)
                                          << ": regenerate the table (make casefold-table)";
    if (expected == c) continue;
    ASSERT_EQ(FoldCodePoint(expected), expected) << std::hex << static_cast<std::uint32_t>(c);
    const std::vector<char32_t> members = FoldClass(expected);
    ASSERT_NE(std::find(members.begin(), members.end(), c), members.end());
  }
}

}  // namespace
}  // namespace plinvaro
