// The Search command: the pattern, trimming, the pick, separator skipping, nothing found, and To Src.
#include <ostream>
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "PanelFixture.h"

namespace plinvaro::testing {
using namespace std::string_literals;

namespace {

const std::string kHundred =
    "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
    "_0123456789abcdefghijklmnopqrstuvwxyzABC";

class SearchTest : public PanelTest {
 protected:
  void SetUp() override { dir.MakeSubdir("empty"); }
  void TypeEmptyDirectory() { face.controls.directory = dir.Join("empty"); }
};

TEST_F(SearchTest, CaretTakesUpToSixtyThreeCharactersBeforeIt) {
  TypeEmptyDirectory();
  SetSourceText(kHundred);
  face.sourceBox.SetSelection(10, 10);
  panel.RunSearch();
  EXPECT_EQ(panel.pattern(), kHundred.substr(0, 10));
  face.sourceBox.SetSelection(100, 100);
  panel.RunSearch();
  EXPECT_EQ(panel.pattern(), kHundred.substr(37, 63));
}

TEST_F(SearchTest, SelectionGivesItsFirstSixtyThreeAndCollapsesToItsEnd) {
  TypeEmptyDirectory();
  SetSourceText(kHundred + kHundred);
  face.sourceBox.SetSelection(5, 105);
  panel.RunSearch();
  EXPECT_EQ(panel.pattern(), (kHundred + kHundred).substr(5, 63));
  EXPECT_EQ(face.sourceBox.GetSelection().start, 105);
  EXPECT_EQ(face.sourceBox.GetSelection().end, 105);
  face.sourceBox.SetSelection(2, 6);
  panel.RunSearch();
  EXPECT_EQ(panel.pattern(), "2345");
}

TEST_F(SearchTest, PatternEndsAtANulCharacter) {
  TypeEmptyDirectory();
  face.sourceBox.SetText(u"ab\0cd"s);
  panel.RunSearch();
  EXPECT_EQ(panel.pattern(), "ab");
}

struct SkipCase {
  const char* name;
  const char* pattern;
  const char* foundText;
  const char* nextChunk;
};

// Test names carry the case; this keeps failure messages readable too.
[[maybe_unused]] void PrintTo(const SkipCase& c, std::ostream* os) { *os << c.name; }

class SeparatorSkipTest : public SearchTest, public ::testing::WithParamInterface<SkipCase> {};

TEST_P(SeparatorSkipTest, PlaybackGoesOnPastTheSeparatorsOfThePatternsKind) {
  const SkipCase& c = GetParam();
  const std::string found = CorpusWith("found.txt", c.foundText);
  SetSourceText(c.pattern);
  panel.RunSearch();
  ASSERT_EQ(panel.playingFrom(), PlaybackSource::Found);
  EXPECT_EQ(panel.foundFile(), found);
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + found);
  EXPECT_TRUE(face.timer.running);
  EXPECT_EQ(NextChunk(), c.nextChunk);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SeparatorSkipTest,
    ::testing::Values(
        SkipCase{"PunctSkippedSpaceKept", "I saw the old road. ", "on the old road, and", " "},
        SkipCase{"SpacesSkipped", "I saw the old road  ", "on the old road   then home", "then "},
        SkipCase{"WordEndSkipsNothing", "I saw the old road", "on the old road, and", ", "},
        SkipCase{"PunctRunSkipped", "I saw the old road.", "on the old road... on", " "}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(SearchTest, PickDrawsAmongAllParts) {
  CorpusWith("three.txt", "the old road a, the old road b, the old road c");
  face.random.values = {4};
  SetSourceText("on the old road");
  panel.RunSearch();
  ASSERT_EQ(panel.results().PartCount(), 3);
  EXPECT_EQ(panel.CurrentPartIndex(), 1);
  EXPECT_EQ(panel.found().position, panel.currentFoundPart()->offset);
}

TEST_F(SearchTest, SecondSearchReplacesTheFoundFile) {
  const std::string first = CorpusWith("a.txt", "by the old road a", "one");
  SetSourceText("the old road");
  panel.RunSearch();
  EXPECT_EQ(panel.found().path, first);
  const std::string second = CorpusWith("b.txt", "by the old road b", "two");
  panel.RunSearch();
  EXPECT_EQ(panel.foundFile(), second);
  EXPECT_EQ(panel.found().path, second);
}

TEST_F(SearchTest, EmptyDirectoryOrSourceEndsBeforeStoppingPlayback) {
  ChooseBaseWith("one two");
  panel.StartPlayback();
  SetSourceText("text");
  SetPreviewText("preview");
  face.controls.directory = "";
  panel.RunSearch();
  EXPECT_TRUE(face.timer.running);
  EXPECT_EQ(PreviewText(), "");
  EXPECT_EQ(face.controls.Buttons(), kAllDisabled);

  SetSourceText("");
  TypeEmptyDirectory();
  panel.RunSearch();
  EXPECT_TRUE(face.timer.running);
  EXPECT_EQ(panel.directory(), dir.Join("empty"));
}

TEST_F(SearchTest, CaretAtStartStopsPlaybackAndSearchesNothing) {
  ChooseBaseWith("one two");
  panel.StartPlayback();
  TypeEmptyDirectory();
  SetSourceText("text");
  face.sourceBox.SetSelection(0, 0);
  panel.RunSearch();
  EXPECT_FALSE(face.timer.running);
  EXPECT_EQ(panel.pattern(), "");
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::Base);
}

TEST_F(SearchTest, NothingFoundOnTheFlyResumesThePlayingSource) {
  ChooseBaseWith("one two three");
  panel.StartPlayback();
  panel.PlaybackTick();
  TypeEmptyDirectory();
  panel.RunSearch();
  EXPECT_TRUE(face.timer.running);
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::Base);
  EXPECT_EQ(NextChunk(), "two ");
}

TEST_F(SearchTest, NothingFoundOnTheFlyFromIdleStartsTheBase) {
  const std::string base = ChooseBaseWith("one two");
  CorpusWith("other.txt", "nothing alike here");
  SetSourceText("zebra");
  panel.RunSearch();
  EXPECT_TRUE(face.timer.running);
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + base);
  EXPECT_EQ(NextChunk(), "one ");
}

TEST_F(SearchTest, NothingFoundInPreviewModeStaysStopped) {
  ChooseBaseWith("one two");
  panel.StartPlayback();
  panel.PlaybackTick();
  face.controls.onTheFly = false;
  TypeEmptyDirectory();
  panel.RunSearch();
  EXPECT_FALSE(face.timer.running);
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::Base);
  EXPECT_EQ(PreviewText(), "");
  EXPECT_EQ(face.controls.Buttons(), kAllDisabled);
  EXPECT_EQ(panel.results().PartCount(), 0);
}

TEST_F(SearchTest, PatternOfSeparatorsOnlyFindsNothing) {
  CorpusWith("found.txt", "on the old road, and");
  SetSourceText("   ");
  face.controls.onTheFly = false;
  panel.RunSearch();
  EXPECT_EQ(panel.trimmed(), "");
  EXPECT_EQ(panel.results().PartCount(), 0);
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::None);
}

TEST_F(SearchTest, StartAfterAPreviewSearchPlaysTheFoundPart) {
  CorpusWith("found.txt", "on the old road, and then");
  PreviewSearch("the old road. ");
  EXPECT_FALSE(face.timer.running);
  panel.StartPlayback();
  EXPECT_EQ(NextChunk(), " ");
  EXPECT_EQ(NextChunk(), "and ");
}

// To Src in each state.

TEST_F(SearchTest, ToSrcWithoutBaseFileDoesNothing) {
  SetPreviewText("kept");
  panel.BackToBase();
  EXPECT_EQ(PreviewText(), "kept");
  EXPECT_TRUE(face.timer.calls.empty());
}

TEST_F(SearchTest, ToSrcWhilePlayingFoundGoesBackWhereTheBaseWasLeft) {
  const std::string base = ChooseBaseWith("alpha beta gamma");
  CorpusWith("found.txt", "on the old road, and then");
  panel.StartPlayback();
  panel.PlaybackTick();
  SetSourceText("the old road");
  panel.RunSearch();
  ASSERT_EQ(panel.playingFrom(), PlaybackSource::Found);
  panel.PlaybackTick();
  panel.BackToBase();
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::Base);
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + base);
  EXPECT_TRUE(face.timer.running);
  EXPECT_EQ(NextChunk(), "beta ");
}

TEST_F(SearchTest, ToSrcWhilePausedOnFoundResumesTheBase) {
  ChooseBaseWith("alpha beta gamma");
  CorpusWith("found.txt", "on the old road, and then");
  panel.StartPlayback();
  panel.PlaybackTick();
  PreviewSearch("the old road");
  SetPreviewText("shown");
  panel.BackToBase();
  EXPECT_EQ(PreviewText(), "");
  EXPECT_EQ(face.controls.Buttons(), kAllDisabled);
  EXPECT_TRUE(face.timer.running);
  EXPECT_EQ(NextChunk(), "beta ");
}

TEST_F(SearchTest, ToSrcAfterASearchBeforeAnyPlaybackStartsTheBaseAtItsFirstByte) {
  ChooseBaseWith("alpha beta");
  CorpusWith("found.txt", "on the old road, and then");
  PreviewSearch("the old road");
  ASSERT_EQ(panel.playingFrom(), PlaybackSource::Found);
  panel.BackToBase();
  EXPECT_EQ(NextChunk(), "alpha ");
}

TEST_F(SearchTest, ToSrcOnBaseActsAsStart) {
  ChooseBaseWith("alpha beta");
  panel.StartPlayback();
  panel.PlaybackTick();
  panel.PausePlayback();
  panel.BackToBase();
  EXPECT_TRUE(face.timer.running);
  EXPECT_EQ(NextChunk(), "beta");
}

TEST_F(SearchTest, ToSrcAfterChoosingANewBasePlaysTheNewFile) {
  ChooseBaseWith("old file words");
  panel.StartPlayback();
  panel.PlaybackTick();
  const std::string fresh = dir.Write("fresh.txt", "fresh start");
  ChooseBase(fresh);
  CorpusWith("found.txt", "on the old road, and then");
  SetSourceText("the old road");
  panel.RunSearch();
  ASSERT_EQ(panel.playingFrom(), PlaybackSource::Found);
  panel.BackToBase();
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + fresh);
  EXPECT_EQ(panel.base().path, fresh);
  EXPECT_EQ(NextChunk(), "fresh ");
}

}  // namespace
}  // namespace plinvaro::testing
