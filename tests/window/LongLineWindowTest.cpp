// The shown part of an overlong line: whole lines stay whole, long ones show a clamped window around the focus.
#include <gtest/gtest.h>

#include "window/LongLineWindow.h"

namespace plinvaro::testing {
namespace {

constexpr std::int32_t kBase = 1000;  // the line starts after other text

TEST(LongLineWindow, ShownPartCentresOnTheFocusAndStaysInsideTheLine) {
  const LinePart longLine{kBase, kBase + 20 * kLongLineBytes};
  const struct {
    const char* name;
    LinePart line;
    std::int32_t focus;
    LinePart shown;
  } cases[] = {
      {"a line at the limit is whole", {kBase, kBase + kLongLineBytes}, kBase, {kBase, kBase + kLongLineBytes}},
      {"focus at the end", longLine, longLine.end, {longLine.end - kShownBytes, longLine.end}},
      {"focus at the start", longLine, longLine.start, {longLine.start, longLine.start + kShownBytes}},
      {"focus before the line", longLine, 0, {longLine.start, longLine.start + kShownBytes}},
      {"focus in the middle", longLine, kBase + 5 * kLongLineBytes,
       {kBase + 5 * kLongLineBytes - kShownBytes / 2, kBase + 5 * kLongLineBytes + kShownBytes / 2}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShownPart(c.line, c.focus), c.shown) << c.name;
    EXPECT_LE(c.line.start, c.shown.start) << c.name;
    EXPECT_LE(c.shown.end, c.line.end) << c.name;
  }
}

TEST(LongLineWindow, AShownPartKeepsItsFocusReachInside) {
  // Right after a move, the reach lies inside the shown part, so the part does not move again.
  const LinePart line{kBase, kBase + 10 * kLongLineBytes};
  for (std::int32_t focus : {line.start, line.start + 7, line.start + kShownBytes, line.end - 3, line.end}) {
    const LinePart shown = ShownPart(line, focus);
    const LinePart reach = FocusReach(line, focus);
    EXPECT_LE(shown.start, reach.start) << focus;
    EXPECT_LE(reach.end, shown.end) << focus;
  }
}

TEST(LongLineWindow, FocusReachIsClampedToTheLine) {
  const LinePart line{kBase, kBase + 4 * kLongLineBytes};
  EXPECT_EQ(FocusReach(line, line.start), (LinePart{line.start, line.start + kShownMarginBytes}));
  EXPECT_EQ(FocusReach(line, line.end + 50), (LinePart{line.end - kShownMarginBytes, line.end}));
  EXPECT_EQ(FocusReach({kBase, kBase + 10}, kBase + 5), (LinePart{kBase, kBase + 10}));
}

// The probes lie a margin beyond the shown part, inside the line or not at all:
// a line grown by a word keeps its part, one grown past the margin is shown anew.
TEST(LongLineWindow, OvershowProbesLieAMarginBeyondTheShownPart) {
  const LinePart line{kBase, kBase + 10 * kLongLineBytes};
  const std::int32_t middle = kBase + 5 * kLongLineBytes;
  const OvershowProbes inMiddle = OvershowProbesFor(line, middle);
  EXPECT_EQ(inMiddle.before, ShownPart(line, middle).start - kShownMarginBytes - 1);
  EXPECT_EQ(inMiddle.after, ShownPart(line, middle).end + kShownMarginBytes);
  const OvershowProbes atEnd = OvershowProbesFor(line, line.end);
  EXPECT_EQ(atEnd.before, line.end - kShownBytes - kShownMarginBytes - 1);
  EXPECT_EQ(atEnd.after, -1);
  EXPECT_EQ(OvershowProbesFor(line, line.start).before, -1);
  EXPECT_EQ(OvershowProbesFor({kBase, kBase + kLongLineBytes}, kBase).before, -1);
  // Grown at the end by a word, the line's probe still falls before the part
  // shown before, on a hidden byte; grown past the margin, it falls inside.
  const std::int32_t shownBefore = ShownPart(line, line.end).start;
  const LinePart byAWord{line.start, line.end + 5};
  EXPECT_LT(OvershowProbesFor(byAWord, byAWord.end).before, shownBefore);
  const LinePart pastTheMargin{line.start, line.end + kShownMarginBytes + 1};
  EXPECT_GE(OvershowProbesFor(pastTheMargin, pastTheMargin.end).before, shownBefore);
}

TEST(LongLineWindow, AnInputMethodHearsOfTheWholeShortLineOrAWindowOfALongOne) {
  const LinePart shortLine{kBase, kBase + 300};
  const LinePart longLine{kBase, kBase + 3 * kLongLineBytes};
  EXPECT_EQ(InputContext(shortLine, kBase + 10), shortLine);
  EXPECT_EQ(InputContext(longLine, longLine.end), (LinePart{longLine.end - kInputContextBytes, longLine.end}));
  EXPECT_EQ(InputContext(longLine, kBase + 5),
            (LinePart{kBase, kBase + 5 + kInputContextBytes}));
}

}  // namespace
}  // namespace plinvaro::testing
