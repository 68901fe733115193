// Pattern rules: the 63-byte tail, trimming of separators, the minimum match length.
#include <ostream>
#include <gtest/gtest.h>

#include "ReferenceScan.h"
#include "search/PatternText.h"

namespace plinvaro {
namespace {

struct MinMatchCase {
  std::string pattern;
  std::int32_t expected;
};

// Test names carry the case; this keeps failure messages readable too.
[[maybe_unused]] void PrintTo(const MinMatchCase& c, std::ostream* os) { *os << '"' << c.pattern << '"'; }

class MinMatchLengthTable : public ::testing::TestWithParam<MinMatchCase> {};

TEST_P(MinMatchLengthTable, CountsTheLastWordOrTheLastTwo) {
  EXPECT_EQ(MinMatchLength(GetParam().pattern), GetParam().expected);
  EXPECT_EQ(testing::ReferenceMinMatchLength(GetParam().pattern), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MinMatchLengthTable,
    ::testing::Values(MinMatchCase{"the cat", 3}, MinMatchCase{"big red cat", 3},
                      MinMatchCase{"don't", 5}, MinMatchCase{"cat a", 5},
                      MinMatchCase{"x a", 3}, MinMatchCase{"  a", 3}, MinMatchCase{"a", 1},
                      MinMatchCase{"", 0}, MinMatchCase{"cat ", 0},
                      MinMatchCase{"one, two", 3}, MinMatchCase{"a\r\nb", 4},
                      MinMatchCase{"words\tx", 7}));

TEST(TrimSeparators, DropsTrailingPunctAndSpaceOnly) {
  EXPECT_EQ(TrimSeparators("the cat. "), "the cat");
  EXPECT_EQ(TrimSeparators("it's\r\n"), "it's");
  EXPECT_EQ(TrimSeparators("a, b;\t\r\n"), "a, b");
  EXPECT_EQ(TrimSeparators("a-"), "a-");  // hyphen is a word byte
  EXPECT_EQ(TrimSeparators(std::string("ab\0", 3)), std::string("ab\0", 3));  // NUL too
  EXPECT_EQ(TrimSeparators(" .,; \n"), "");
  EXPECT_EQ(TrimSeparators(""), "");
}

TEST(PatternTail, KeepsTheLast63Bytes) {
  const std::string text = std::string(40, 'x') + std::string(63, 'y');
  EXPECT_EQ(PatternTail(text), std::string(63, 'y'));
  EXPECT_EQ(PatternTail("short"), "short");
  EXPECT_EQ(PatternTail(std::string(63, 'z')).size(), 63u);
  EXPECT_EQ(PatternTail("a" + std::string(63, 'z')), std::string(63, 'z'));
}

}  // namespace
}  // namespace plinvaro
