// Playback: chunking, the used-up source, Start/Pause/Stop and the speed.
#include <ostream>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "PanelFixture.h"

namespace plinvaro::testing {
namespace {

struct ChunkCase {
  const char* name;
  std::string file;
  std::vector<std::string> chunks;
};

// Test names carry the case; this keeps failure messages readable too.
[[maybe_unused]] void PrintTo(const ChunkCase& c, std::ostream* os) { *os << c.name; }

class ChunkingTest : public PanelTest, public ::testing::WithParamInterface<ChunkCase> {};

TEST_P(ChunkingTest, EachTickPlaysOneWordWithItsWhiteSpace) {
  const ChunkCase& c = GetParam();
  ChooseBaseWith(c.file);
  panel.StartPlayback();
  for (const std::string& chunk : c.chunks) EXPECT_EQ(NextChunk(), chunk);
  EXPECT_TRUE(face.timer.running);
  panel.PlaybackTick();
  EXPECT_FALSE(face.timer.running);
  EXPECT_FALSE(panel.playing());
  EXPECT_EQ(panel.runningTimer(), 0u);
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::Base);
  EXPECT_EQ(SourceText(), c.file);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ChunkingTest,
    ::testing::Values(
        ChunkCase{"TwoSpacesGoWithTheWord", "a  b", {"a  ", "b"}},
        ChunkCase{"CrLfTravelsWithTheWordBefore", "one two\r\nthree", {"one ", "two\r\n", "three"}},
        ChunkCase{"LeadingWhiteSpaceIsAChunkOfItsOwn", " \t lead on", {" \t ", "lead ", "on"}},
        ChunkCase{"HighBytesAreWordBytes", "\xE9t\xE9 fin\xFF", {"\xE9t\xE9 ", "fin\xFF"}},
        ChunkCase{"TextWithoutSpaceIsOneChunk", "abc,def.ghi", {"abc,def.ghi"}},
        ChunkCase{"PunctuationAfterWhiteSpaceStartsTheNextChunk", "a , b", {"a ", ", ", "b"}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(PanelTest, ChunkWithNulIsInsertedUpToItWhileThePositionPassesIt) {
  ChooseBaseWith(std::string("ab\0cd ef", 8));
  panel.StartPlayback();
  panel.PlaybackTick();
  EXPECT_EQ(SourceText(), "ab");
  EXPECT_EQ(panel.base().position, 6);
  EXPECT_EQ(face.sourceBox.GetSelection().start, 2);
  panel.PlaybackTick();
  EXPECT_EQ(SourceText(), "abef");
}

TEST_F(PanelTest, EachTickScrollsToTheCaretAndTakesFocus) {
  ChooseBaseWith("one two");
  panel.StartPlayback();
  SetSourceText("XX");
  face.sourceBox.SetSelection(0, 1);  // a selection made while playing is overwritten
  const int focus = face.sourceBox.focusCount();
  panel.PlaybackTick();
  EXPECT_EQ(SourceText(), "one X");
  EXPECT_EQ(face.sourceBox.GetSelection().start, 4);
  EXPECT_EQ(face.sourceBox.lastScroll(), ScrollRequest::Caret);
  EXPECT_EQ(face.sourceBox.focusCount(), focus + 1);
}

TEST_F(PanelTest, TickLeavesTheFocusInTheDirectoryBoxWhileItIsTyped) {
  ChooseBaseWith("one two three");
  panel.StartPlayback();
  face.controls.directoryHasFocus = true;
  const int focus = face.sourceBox.focusCount();
  panel.PlaybackTick();
  EXPECT_EQ(SourceText(), "one ");
  EXPECT_EQ(face.sourceBox.focusCount(), focus);
  face.controls.directoryHasFocus = false;
  panel.PlaybackTick();
  EXPECT_EQ(face.sourceBox.focusCount(), focus + 1);
}

TEST_F(PanelTest, UnplayableBaseStopsAtTheFirstTick) {
  for (const std::string& path : {dir.Write("empty.txt", ""), dir.Join("missing.txt")}) {
    ChooseBase(path);
    panel.StartPlayback();
    EXPECT_TRUE(face.timer.running) << path;
    EXPECT_EQ(panel.playingFrom(), PlaybackSource::Base);
    panel.PlaybackTick();
    EXPECT_FALSE(face.timer.running) << path;
    EXPECT_EQ(SourceText(), "");
  }
}

TEST_F(PanelTest, StartOnAUsedUpSourceStopsAgainAtTheNextTick) {
  ChooseBaseWith("word");
  panel.StartPlayback();
  TickWhileRunning();
  panel.StartPlayback();
  EXPECT_TRUE(face.timer.running);
  panel.PlaybackTick();
  EXPECT_FALSE(face.timer.running);
  EXPECT_EQ(SourceText(), "word");
}

TEST_F(PanelTest, StartWithoutBaseFileOnlyHidesThePreview) {
  SetPreviewText("shown");
  panel.StartPlayback();
  EXPECT_EQ(face.controls.Buttons(), kAllDisabled);
  EXPECT_EQ(PreviewText(), "");
  EXPECT_TRUE(face.timer.calls.empty() || !face.timer.calls.back().start);
  EXPECT_FALSE(panel.playing());
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::None);
}

TEST_F(PanelTest, StartFromIdleOpensTheBaseAndShowsItInTheTitle) {
  const std::string path = ChooseBaseWith("a b");
  panel.StartPlayback();
  EXPECT_TRUE(panel.playing());
  EXPECT_EQ(panel.runningTimer(), face.timer.nextHandle - 1);
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + path);
  EXPECT_EQ(face.timer.calls.back(), (TimerCall{true, 0, 430}));
}

TEST_F(PanelTest, StartWhilePlayingChangesNothing) {
  ChooseBaseWith("a b");
  panel.StartPlayback();
  SetPreviewText("kept");
  const std::size_t calls = face.timer.calls.size();
  panel.StartPlayback();
  EXPECT_EQ(PreviewText(), "kept");
  EXPECT_EQ(face.timer.calls.size(), calls);
}

TEST_F(PanelTest, PauseKeepsTheSourceAndStartResumesThere) {
  ChooseBaseWith("one two three");
  panel.StartPlayback();
  panel.PlaybackTick();
  panel.PausePlayback();
  EXPECT_FALSE(face.timer.running);
  EXPECT_EQ(panel.runningTimer(), 0u);
  EXPECT_EQ(panel.base().position, 4);
  panel.StartPlayback();
  EXPECT_EQ(NextChunk(), "two ");
}

TEST_F(PanelTest, StopThenStartReplaysTheBaseFromItsFirstByte) {
  ChooseBaseWith("one two");
  panel.StartPlayback();
  panel.PlaybackTick();
  panel.PlaybackTick();
  panel.StopPlayback();
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::None);
  EXPECT_FALSE(panel.base().HasView());
  EXPECT_FALSE(panel.found().HasView());
  EXPECT_EQ(panel.foundFile(), "");
  face.sourceBox.SetSelection(3, 3);
  panel.StartPlayback();
  panel.PlaybackTick();
  EXPECT_EQ(SourceText(), "oneone  two");  // inserted at the caret; earlier text stays
}

#ifndef _WIN32  // the file is locked while played on Windows
TEST_F(PanelTest, PlaybackSurvivesTheFileBeingTruncatedUnderneath) {
  const std::string path = ChooseBaseWith("alpha beta gamma");
  panel.StartPlayback();
  panel.PlaybackTick();
  std::filesystem::resize_file(path, 0);
  TickWhileRunning();
  EXPECT_EQ(SourceText(), "alpha beta gamma");
}
#endif

struct SpeedCase {
  std::int32_t position;
  std::int32_t intervalMs;
};

// Test names carry the case; this keeps failure messages readable too.
[[maybe_unused]] void PrintTo(const SpeedCase& c, std::ostream* os) { *os << "position " << c.position << " -> " << c.intervalMs << " ms"; }

class SpeedFormulaTest : public PanelTest, public ::testing::WithParamInterface<SpeedCase> {};

TEST_P(SpeedFormulaTest, IntervalFollowsTheTrackbar) {
  face.controls.trackbar = GetParam().position;
  panel.UpdateSpeed();
  EXPECT_EQ(panel.interval(), GetParam().intervalMs);
}

INSTANTIATE_TEST_SUITE_P(Positions, SpeedFormulaTest,
                         ::testing::Values(SpeedCase{0, 1200}, SpeedCase{70, 430},
                                           SpeedCase{100, 100}, SpeedCase{37, 793},
                                           SpeedCase{-20, 1200}, SpeedCase{250, 100}));

TEST_F(PanelTest, ConstructionSetsTheInitialState) {
  EXPECT_EQ(panel.interval(), 500);
  EXPECT_EQ(face.controls.trackbar, 70);
  EXPECT_TRUE(face.controls.onTheFly);
  EXPECT_EQ(face.controls.Buttons(), kAllDisabled);
  EXPECT_EQ(face.controls.title(), "Plinvaro");
  EXPECT_EQ(face.random.seeds.size(), 1u);
  EXPECT_EQ(face.sourceBox.focusCount(), 1);
}

TEST_F(PanelTest, UpdateSpeedRestartsOnlyARunningTimer) {
  face.controls.trackbar = 100;
  panel.UpdateSpeed();
  EXPECT_TRUE(face.timer.calls.empty());
  ChooseBaseWith("x y");
  panel.StartPlayback();
  face.timer.calls.clear();
  face.controls.trackbar = 0;
  panel.UpdateSpeed();
  const std::vector<TimerCall> expected{{false, 0, 0}, {true, 0, 1200}};
  EXPECT_EQ(face.timer.calls, expected);
  EXPECT_NE(panel.runningTimer(), 0u);
}

struct StepCase {
  std::int32_t from;
  bool faster;
  std::int32_t to;
  std::int32_t intervalMs;
};

// Test names carry the case; this keeps failure messages readable too.
[[maybe_unused]] void PrintTo(const StepCase& c, std::ostream* os) { *os << (c.faster ? "faster from " : "slower from ") << c.from; }

class SpeedStepTest : public PanelTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(SpeedStepTest, StepsFivePositionsWithinTheRange) {
  const StepCase& c = GetParam();
  face.controls.trackbar = c.from;
  c.faster ? panel.SpeedUp() : panel.SlowDown();
  EXPECT_EQ(face.controls.trackbar, c.to);
  EXPECT_EQ(panel.interval(), c.intervalMs);
}

INSTANTIATE_TEST_SUITE_P(Steps, SpeedStepTest,
                         ::testing::Values(StepCase{70, false, 65, 485}, StepCase{3, false, 0, 1200},
                                           StepCase{0, false, 0, 1200}, StepCase{70, true, 75, 375},
                                           StepCase{98, true, 100, 100},
                                           StepCase{100, true, 100, 100},
                                           // Out of range: step from the nearest end, never overflow.
                                           StepCase{-20, true, 5, 1145},
                                           StepCase{250, false, 95, 155},
                                           StepCase{INT32_MIN, false, 0, 1200},
                                           StepCase{INT32_MAX, true, 100, 100}));

}  // namespace
}  // namespace plinvaro::testing
