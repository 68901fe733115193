// The committed folding table against ICU's simple case folding, code point by code point.
#include <gtest/gtest.h>
#include <unicode/uchar.h>

#include "search/CaseFold.h"

namespace plinvaro {
namespace {

TEST(CaseFoldTable, AgreesWithIcuOnEveryCodePoint) {
  int differences = 0;
  for (UChar32 c = 0; c <= 0x10FFFF; ++c) {
    const auto expected = static_cast<char32_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT));
    const char32_t actual = FoldCodePoint(static_cast<char32_t>(c));
    if (actual == expected) continue;
    if (++differences <= 10)
      ADD_FAILURE() << std::hex << "U+" << c << " folds to U+" << static_cast<std::uint32_t>(actual)
                    << ", ICU says U+" << static_cast<std::uint32_t>(expected);
  }
  EXPECT_EQ(differences, 0) << "regenerate the table: make casefold-table";
}

TEST(CaseFoldTable, FoldingIsIdempotentAndClassesHoldTheirMembers) {
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    const char32_t folded = FoldCodePoint(c);
    if (folded == c) continue;
    ASSERT_EQ(FoldCodePoint(folded), folded) << std::hex << static_cast<std::uint32_t>(c);
    const std::vector<char32_t> members = FoldClass(folded);
    ASSERT_NE(std::find(members.begin(), members.end(), c), members.end());
  }
}

TEST(CaseFoldTable, IsOfIcusUnicodeVersion) {
  EXPECT_STREQ(kCaseFoldUnicodeVersion, U_UNICODE_VERSION);
}

}  // namespace
}  // namespace plinvaro
