// What a drop means: one local folder or file is used, anything else refused.
#include <gtest/gtest.h>

#include <vector>

#include "desktop/DropRule.h"

namespace plinvaro::testing {
namespace {

TEST(DropRule, OneLocalItemIsUsedAndAllElseRefused) {
  const struct {
    std::vector<DroppedItem> items;
    DropUse use;
  } cases[] = {
      {{{true, true}}, DropUse::BaseDirectory},
      {{{true, false}}, DropUse::BaseFile},
      {{{false, false}}, DropUse::Refused},
      {{}, DropUse::Refused},
      {{{true, false}, {true, false}}, DropUse::Refused},
  };
  for (const auto& c : cases) EXPECT_EQ(UseOfDrop(c.items), c.use) << c.items.size();
}

}  // namespace
}  // namespace plinvaro::testing
