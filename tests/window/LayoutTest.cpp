// The window model's geometry: the control table, the measured top row, Relayout, the main window rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "window/ControlTable.h"
#include "window/MainWindowGeometry.h"
#include "window/Relayout.h"

namespace plinvaro {

void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.x << ", " << r.y << ") " << r.width << " x " << r.height;
}

namespace {

using enum ControlId;

std::map<ControlId, Rect> PlacesFor(Size panel) {
  std::map<ControlId, Rect> places;
  for (const ControlPlace& place : Relayout(RelayoutInputFromTable(panel))) {
    EXPECT_TRUE(places.emplace(place.control, place.rect).second) << "placed twice";
  }
  return places;
}

// Client sizes a face reports: the 700 x 500 window less frame and menu, and two larger ones.
class RelayoutAtSize : public ::testing::TestWithParam<Size> {};

TEST_P(RelayoutAtSize, PlacesEveryControlBelowTheTopRowByTheWorkedNumbers) {
  const int w = GetParam().width;
  const int h = GetParam().height;
  const std::map<ControlId, Rect> at = PlacesFor(GetParam());
  const std::map<ControlId, Rect> expected = {
      {Panel, {0, 0, w, h}},
      {SourceBox, {0, 30, w - 60, h - 157}},
      {PreviewBox, {0, h - 125, w - 60, 125}},
      {PrevButton, {w - 55, h - 125, 25, 25}},
      {NextButton, {w - 28, h - 125, 25, 25}},
      {AcceptButton, {w - 55, h - 98, 52, 25}},
      {MoreButton, {w - 55, h - 27, 25, 25}},
      {StartButton, {w - 53, 30, 45, 25}},
      {PauseButton, {w - 53, 57, 45, 25}},
      {SearchButton, {w - 53, 84, 45, 25}},
      {ToSrcButton, {w - 53, 111, 45, 25}},
      {StopButton, {w - 53, 138, 45, 25}},
      {SpeedTrackbar, {w - 53, 165, 45, 140}},
  };
  EXPECT_EQ(at, expected);
  // The source box ends 2 pixels above the preview box; the column keeps 60 pixels.
  EXPECT_EQ(at.at(SourceBox).y + at.at(SourceBox).height + 2, at.at(PreviewBox).y);
  EXPECT_EQ(at.at(SpeedTrackbar).y + at.at(SpeedTrackbar).height, 305);
}

INSTANTIATE_TEST_SUITE_P(ClientSizes, RelayoutAtSize,
                         ::testing::Values(Size{684, 442}, Size{1009, 731}, Size{1920, 1017}),
                         [](const auto& testCase) {
                           return std::to_string(testCase.param.width) + "x" +
                                  std::to_string(testCase.param.height);
                         });

TEST(Relayout, FollowsTheSizesTheControlsReallyHave) {
  RelayoutInput in = RelayoutInputFromTable({800, 600});
  in.prevButton = {30, 20};
  in.startButton = {50, 28};
  in.moreButton = {27, 23};
  std::map<ControlId, Rect> at;
  for (const ControlPlace& place : Relayout(in)) at[place.control] = place.rect;
  EXPECT_EQ(at[NextButton], (Rect{800 - 55 + 30 + 2, 475, 30, 20}));
  EXPECT_EQ(at[AcceptButton], (Rect{745, 475 + 22, 52, 25}));
  EXPECT_EQ(at[MoreButton], (Rect{745, 600 - 23 - 2, 27, 23}));
  // x = (W - 60) + (60 - 50) / 2; rows 30 apart.
  EXPECT_EQ(at[StopButton], (Rect{745, 30 + 4 * 30, 50, 28}));
  EXPECT_EQ(at[SpeedTrackbar].y, 30 + 5 * 30);
}

TEST(Relayout, TruncatesOddColumnOffsetsTowardZeroAndNeverGivesNegativeSizes) {
  RelayoutInput in = RelayoutInputFromTable({40, 100});
  in.startButton = {45, 25};
  std::map<ControlId, Rect> at;
  for (const ControlPlace& place : Relayout(in)) at[place.control] = place.rect;
  EXPECT_EQ(at[SourceBox].width, 0);
  EXPECT_EQ(at[SourceBox].height, 0);
  EXPECT_EQ(at[StartButton].x, 7);  // 0 + (60 - 45) / 2
}

TEST(ControlTable, ListsNineteenWindowsInCreationOrderWithTheirIdsAndTexts) {
  const auto table = ControlTable();
  ASSERT_EQ(table.size(), static_cast<std::size_t>(kControlCount));
  std::set<int> ids;
  for (const ControlSpec& row : table) {
    if (row.commandId != 0) {
      EXPECT_TRUE(ids.insert(row.commandId).second) << row.field;
    }
  }
  EXPECT_EQ(ids, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(Control(MoreButton).text, "\\/");
}

// The words the Win32 face creates its windows with, as the named bits must add up to:
// each a visible child (0x50000000) with no tab stop or group; the check box's 0x20 puts
// its label left of the box.
TEST(ControlTable, StyleWordsKeepTheirWin32Values) {
  const std::map<ControlId, std::uint32_t> words = {
      {Panel, 0x50000000},         {DirLabel, 0x5000000B},     {DirEdit, 0x50804180},
      {BrowseButton, 0x50000000},  {OnTheFlyCheck, 0x50000023}, {FontSizeLabel, 0x5000000B},
      {FontSizeCombo, 0x50A00003}, {SourceBox, 0x50B00144},    {PreviewBox, 0x50204044},
      {MoreButton, 0x50000000},    {StartButton, 0x50000000},  {PauseButton, 0x50000000},
      {SearchButton, 0x50000000},  {ToSrcButton, 0x50000000},  {StopButton, 0x50000000},
      {SpeedTrackbar, 0x50000003}, {PrevButton, 0x50000000},   {NextButton, 0x50000000},
      {AcceptButton, 0x50000000}};
  ASSERT_EQ(words.size(), static_cast<std::size_t>(kControlCount));
  for (const auto& [id, word] : words) EXPECT_EQ(Control(id).style, word) << Control(id).field;
  EXPECT_EQ(kMainWindowStyle, 0x10CF0000u);
}

TEST(ControlTable, StartsWithThePartButtonsDisabledAndTheModeChecked) {
  std::set<ControlId> disabled;
  std::set<ControlId> checked;
  std::set<ControlId> systemFont;
  for (const ControlSpec& row : ControlTable()) {
    if (!row.initiallyEnabled) disabled.insert(row.control);
    if (row.initiallyChecked) checked.insert(row.control);
    if (!row.guiFont) systemFont.insert(row.control);
  }
  EXPECT_EQ(disabled, (std::set<ControlId>{MoreButton, PrevButton, NextButton, AcceptButton}));
  EXPECT_EQ(checked, (std::set<ControlId>{OnTheFlyCheck}));
  EXPECT_EQ(systemFont, (std::set<ControlId>{BrowseButton, SpeedTrackbar}));
}

TEST(ControlTable, TopRowFollowsTheMeasuredTexts) {
  MeasuredTexts measured;
  measured.baseDirectory = {72, 16};
  measured.onTheFly = {87, 16};
  measured.fontSize = {45, 13};
  const TopRowMetrics m = ComputeTopRow(measured);
  EXPECT_EQ(m.rowHeight, 21);
  EXPECT_EQ(m.rowTop, 4);  // (30 - 21) / 2
  EXPECT_EQ(m.checkWidth, 95);
  EXPECT_EQ(CreationRect(DirLabel, m), (Rect{5, 4, 100, 21}));
  EXPECT_EQ(CreationRect(DirEdit, m), (Rect{110, 4, 250, 21}));
  EXPECT_EQ(CreationRect(BrowseButton, m), (Rect{363, 4, 25, 21}));
  EXPECT_EQ(CreationRect(OnTheFlyCheck, m), (Rect{393, 4, 95, 21}));
  EXPECT_EQ(CreationRect(FontSizeLabel, m), (Rect{498, 8, 45, 13}));  // y (30 - 13) / 2
  EXPECT_EQ(CreationRect(FontSizeCombo, m), (Rect{543, 2, 50, 150}));
  EXPECT_EQ(CreationRect(SpeedTrackbar, m), (Rect{0, 0, 45, 140}));
  EXPECT_EQ(CreationRect(AcceptButton, m), (Rect{0, 0, 52, 25}));
}

TEST(ControlTable, MeasureTopRowMeasuresTheThreeLabelsOnceEach) {
  std::vector<std::string> asked;
  const TopRowMetrics m = MeasureTopRow([&asked](std::string_view text) -> TextExtent {
    asked.emplace_back(text);
    if (text == "Base directory") return {72, 16};
    if (text == "On The Fly Mode") return {87, 16};
    return {45, 13};
  });
  EXPECT_EQ(asked, (std::vector<std::string>{"Base directory", "On The Fly Mode", "Font size"}));
  EXPECT_EQ(m.rowHeight, 21);
  EXPECT_EQ(m.rowTop, 4);
  EXPECT_EQ(m.checkWidth, 95);
  EXPECT_EQ(m.labelWidth, 45);
  EXPECT_EQ(m.labelHeight, 13);
}

TEST(ControlTable, ButtonsCarryTheCommandsThePanelRoutes) {
  const std::map<ControlId, int> expected = {
      {BrowseButton, 1}, {StartButton, 2}, {PauseButton, 3},   {SearchButton, 4},
      {ToSrcButton, 5},  {StopButton, 6},  {PrevButton, 7},    {NextButton, 8},
      {AcceptButton, 9}, {OnTheFlyCheck, 10}, {MoreButton, 11}, {FontSizeCombo, 12}};
  for (const auto& [id, command] : expected) {
    EXPECT_EQ(Control(id).commandId, command) << Control(id).field;
  }
}

TEST(Relayout, TheFaceCallReadsEachControlsOwnSize) {
  // Sizes a face might report, all different, so a swapped control shows.
  const std::map<ControlId, Size> sizes = {{PrevButton, {21, 23}},
                                           {AcceptButton, {57, 24}},
                                           {MoreButton, {26, 22}},
                                           {StartButton, {47, 27}},
                                           {SpeedTrackbar, {41, 133}}};
  std::vector<ControlId> read;
  const auto outerSize = [&](ControlId id) {
    read.push_back(id);
    return sizes.at(id);
  };
  const Size panel{800, 600};
  RelayoutInput expected{panel, {21, 23}, {57, 24}, {26, 22}, {47, 27}, {41, 133}};
  EXPECT_EQ(RelayoutPanel(panel, outerSize), Relayout(expected));
  EXPECT_EQ(read.size(), sizes.size()) << "each size read once";
  const auto creationSize = [](ControlId id) {
    return Size{Control(id).rect.width, Control(id).rect.height};
  };
  EXPECT_EQ(RelayoutPanel(panel, creationSize), Relayout(RelayoutInputFromTable(panel)));
}

TEST(MainWindowGeometry, StartsCentredAtSevenHundredByFiveHundred) {
  EXPECT_EQ(MainWindowStartRect(1920, 1080), (Rect{610, 290, 700, 500}));
  EXPECT_EQ(MainWindowStartRect(1025, 769), (Rect{162, 134, 700, 500}));
  // A screen smaller than the window: truncation toward zero, not flooring.
  EXPECT_EQ(MainWindowStartRect(699, 499), (Rect{0, 0, 700, 500}));
  EXPECT_EQ(MainWindowStartRect(640, 480), (Rect{-30, -10, 700, 500}));
}

struct ClampCase {
  const char* name;
  WindowEdges proposed;
  WindowEdges held;
  bool changed;
};

void PrintTo(const ClampCase& c, std::ostream* os) { *os << c.name; }

class MinimumSize : public ::testing::TestWithParam<ClampCase> {};

TEST_P(MinimumSize, MovesOnlyTheRightAndBottomEdges) {
  WindowEdges edges = GetParam().proposed;
  EXPECT_EQ(ClampToMinimumSize(edges), GetParam().changed);
  EXPECT_EQ(edges, GetParam().held);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, MinimumSize,
    ::testing::Values(
        ClampCase{"LargeEnough", {10, 20, 710, 520}, {10, 20, 710, 520}, false},
        ClampCase{"RightEdgeInward", {10, 20, 600, 600}, {10, 20, 710, 600}, true},
        ClampCase{"BottomEdgeInward", {10, 20, 800, 400}, {10, 20, 800, 520}, true},
        ClampCase{"LeftEdgeInwardSlides", {150, 20, 800, 600}, {150, 20, 850, 600}, true},
        ClampCase{"TopEdgeInwardSlides", {10, 200, 800, 600}, {10, 200, 800, 700}, true},
        ClampCase{"CornerBothWays", {0, 0, 100, 100}, {0, 0, 700, 500}, true}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace plinvaro
