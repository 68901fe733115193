// Byte classes: the full table against its row-by-row listing, and the predicates.
#include <gtest/gtest.h>

#include "text/CharClass.h"

namespace plinvaro {
namespace {

TEST(CharClassTable, PrintableRowsMatchTheListing) {
  // Class values for 0x20..0x7F, sixteen a row.
  const int rows[6][16] = {
      {2, 1, 1, 3, 3, 3, 3, 1, 1, 1, 3, 3, 1, 3, 1, 1},
      {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 1, 1, 3, 3, 3, 1},
      {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3},
      {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 1, 1, 1, 3, 3},
      {1, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3},
      {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 1, 1, 1, 1, 1},
  };
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 16; ++c) {
      const int byte = 0x20 + r * 16 + c;
      EXPECT_EQ(static_cast<int>(ClassOf(static_cast<unsigned char>(byte))), rows[r][c])
          << "byte 0x" << std::hex << byte;
    }
}

TEST(CharClassTable, ControlAndHighBytes) {
  for (int b = 0x00; b <= 0x08; ++b) EXPECT_EQ(ClassOf(static_cast<unsigned char>(b)), CharClass::Other);
  for (int b = 0x09; b <= 0x0D; ++b) EXPECT_EQ(ClassOf(static_cast<unsigned char>(b)), CharClass::Space);
  for (int b = 0x0E; b <= 0x1F; ++b) EXPECT_EQ(ClassOf(static_cast<unsigned char>(b)), CharClass::Other);
  for (int b = 0x80; b <= 0xFE; ++b) EXPECT_EQ(ClassOf(static_cast<unsigned char>(b)), CharClass::Letter);
  EXPECT_EQ(ClassOf(0xFF), CharClass::Other);
}

TEST(CharClassPredicates, SeparatorIsPunctOrSpaceOnly) {
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    const CharClass c = ClassOf(byte);
    EXPECT_EQ(IsSpace(byte), c == CharClass::Space);
    EXPECT_EQ(IsSeparator(byte), c == CharClass::Space || c == CharClass::Punct);
  }
  // Word bytes that are easy to get wrong.
  EXPECT_FALSE(IsSeparator(0x00));
  EXPECT_FALSE(IsSeparator(0xFF));
  EXPECT_FALSE(IsSeparator('-'));
  EXPECT_FALSE(IsSeparator('_'));
  EXPECT_TRUE(IsSeparator('\''));
  EXPECT_TRUE(IsSeparator(0x7F));
}

}  // namespace
}  // namespace plinvaro
