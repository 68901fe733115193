// The main window's start rectangle and least size on screens large and small.
#include <gtest/gtest.h>

#include "window/ScreenFit.h"

namespace plinvaro::testing {
namespace {

TEST(ScreenFit, CentresInTheAvailableAreaAndGivesWayToASmallScreen) {
  const struct {
    Rect area;
    Rect start;
    Size least;
  } cases[] = {
      {{0, 0, 1280, 1024}, {290, 262, 700, 500}, {700, 500}},
      {{0, 28, 1280, 996}, {290, 276, 700, 500}, {700, 500}},  // a panel above
      {{0, 0, 640, 512}, {0, 6, 640, 500}, {640, 500}},         // 1280 x 1024 at scale 2
      {{100, 0, 400, 300}, {100, 0, 400, 300}, {400, 300}},
      {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0}},
  };
  for (const auto& c : cases) {
    const Rect start = FittedStartRect(c.area);
    EXPECT_EQ(start.x, c.start.x);
    EXPECT_EQ(start.y, c.start.y);
    EXPECT_EQ(start.width, c.start.width);
    EXPECT_EQ(start.height, c.start.height);
    EXPECT_EQ(FittedMinimumSize(c.area), c.least);
  }
}

}  // namespace
}  // namespace plinvaro::testing
