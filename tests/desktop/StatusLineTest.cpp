// The status fields and the title through a session: start, pause, stop, preview stepping, Accept and To Src.
#include <gtest/gtest.h>

#include "PanelFixture.h"
#include "desktop/StatusLine.h"

namespace plinvaro::testing {
namespace {

class StatusLineTest : public PanelTest {
 protected:
  StatusLineTest() { panel.SetTitleFollowsPlayback(true); }
  StatusFields Status() { return ComposeStatus(panel, face.controls); }
  StatusFields Whole() { return ComposeStatus(panel, face.controls, StatusForm::Whole); }
};

TEST_F(StatusLineTest, StateFollowsStartPauseAndStopWithTheFilePlaying) {
  EXPECT_EQ(Status(), (StatusFields{"Stopped", "500 ms per word", "", "", ""}));
  EXPECT_EQ(Whole(), Status());
  EXPECT_EQ(face.controls.title(), "Plinvaro");
  const std::string base = ChooseBaseWith("one two three");
  EXPECT_EQ(Status().playback, "Stopped");
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + base);
  panel.StartPlayback();
  EXPECT_EQ(Status().playback, "Playing: " + LastName(base));
  EXPECT_EQ(Whole().playback, "Playing: " + base);
  panel.PausePlayback();
  EXPECT_EQ(Status().playback, "Paused: " + LastName(base));
  panel.StopPlayback();
  EXPECT_EQ(Status().playback, "Stopped");
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + base);
}

TEST_F(StatusLineTest, RunCountsTheWordsPlayedSinceTheLastJoin) {
  EXPECT_EQ(Status().run, "");
  ChooseBaseWith("one two three the old road");
  panel.StartPlayback();
  panel.PlaybackTick();
  EXPECT_EQ(Status().run, "Run: 1 word");
  EXPECT_EQ(Whole().run, "Run: 1 word since the last join");
  panel.PlaybackTick();
  EXPECT_EQ(Status().run, "Run: 2 words");
  EXPECT_EQ(Whole().run, "Run: 2 words since the last join");
  for (int i = 0; i < 4; ++i) panel.PlaybackTick();
  CorpusWith("found.txt", "down the old road and on");
  panel.RunSearch();
  ASSERT_EQ(panel.playingFrom(), PlaybackSource::Found);
  panel.PlaybackTick();
  panel.PlaybackTick();
  EXPECT_EQ(Status().run, "Run: 2 words");
}

TEST_F(StatusLineTest, SpeedIsTheIntervalTheSliderGives) {
  panel.SlowDown();
  EXPECT_EQ(Status().speed, SpeedText(panel.interval()));
  EXPECT_EQ(SpeedText(450), "450 ms per word");
  panel.SpeedUp();
  panel.SpeedUp();
  EXPECT_EQ(Status().speed, std::to_string(panel.interval()) + " ms per word");
}

TEST_F(StatusLineTest, PreviewCountsPartsAndTitleFollowsAcceptAndToSrc) {
  const std::string base = ChooseBaseWith("base words here");
  const std::string a = CorpusWith("a.txt", "x the old road a1 a2");
  const std::string b = dir.Write("corpus/b.txt", "y the old road b1 b2 b3");
  PreviewSearch("the old road");
  ASSERT_EQ(panel.results().PartCount(), 2);
  const std::string picked = panel.foundFile();
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + picked);
  const std::string first = Whole().preview;
  EXPECT_EQ(Status().preview, first.substr(0, first.find(": ") + 2) + LastName(first.substr(first.find(": ") + 2)));
  EXPECT_TRUE(first == "part 1 of 2: " + a || first == "part 1 of 2: " + b ||
              first == "part 2 of 2: " + a || first == "part 2 of 2: " + b)
      << first;
  const bool atFirst = first.starts_with("part 1");
  atFirst ? panel.NextPart() : panel.PreviousPart();
  const std::string other = panel.results().FilePath(panel.currentFoundPart()->fileIndex);
  EXPECT_EQ(Whole().preview, (atFirst ? "part 2 of 2: " : "part 1 of 2: ") + other);
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + picked);  // stepping plays nothing new
  panel.AcceptPart();
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + other);
  EXPECT_EQ(Whole().playback, "Paused: " + other);
  panel.BackToBase();
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + base);
  EXPECT_EQ(Whole().playback, "Playing: " + base);
  EXPECT_EQ(Status().preview, "");
}

TEST(LastName, IsTheLastPartOfAFilesOrADirectorysPath) {
  EXPECT_EQ(LastName("/home/writer/texts/harbour.txt"), "harbour.txt");
  EXPECT_EQ(LastName("samples/"), "samples");
  EXPECT_EQ(LastName("samples"), "samples");
  EXPECT_EQ(LastName("/"), "/");
  EXPECT_EQ(LastName(""), "");
}

}  // namespace
}  // namespace plinvaro::testing
