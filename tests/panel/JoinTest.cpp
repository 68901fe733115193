// Undo join and Retry join: what they take back, where playback resumes, and when they refuse.
#include <gtest/gtest.h>

#include <string>

#include "PanelFixture.h"
#include "ProvenanceCheck.h"
#include "provenance/ProvenanceTexts.h"

namespace plinvaro::testing {
namespace {

constexpr const char* kBase = kRoadBase;
constexpr const char* kHill = kRoadHill;
constexpr const char* kFarm = "to the farm and the mill it went, over the bridge.";

class JoinTest : public RoadPanelTest {
 protected:
  void SetUp() override {
    RoadPanelTest::SetUp();
    farm = dir.Write("corpus/farm.txt", kFarm);
    panel.StartPlayback();
    Play(7);  // "The cat sat by the old road, "
  }
  void Play(int chunks) {
    for (int i = 0; i < chunks; ++i) panel.PlaybackTick();
  }
  std::string Fault() const { return ProvenanceFault(panel.provenance(), SourceText()); }
  std::size_t Joins() const { return panel.provenanceTracker().joins().size(); }
  std::string LastMessage() const {
    return face.messages.shown.empty() ? std::string() : face.messages.shown.back().first;
  }

  std::string farm;
};

TEST_F(JoinTest, UndoJoinTakesBackTheTextAndResumesWhereTheBaseFileWas) {
  panel.RunSearch();
  Play(4);
  EXPECT_EQ(panel.CurrentRunWords(), 4);
  ASSERT_TRUE(panel.UndoJoin());
  EXPECT_EQ(SourceText(), "The cat sat by the old road, ");
  EXPECT_EQ(panel.playbackSource, PlaybackSource::Base);
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + base);
  EXPECT_FALSE(face.timer.running);
  EXPECT_EQ(panel.CurrentRunWords(), 7);
  EXPECT_EQ(Joins(), 0u);
  EXPECT_EQ(Fault(), "");
  panel.StartPlayback();
  EXPECT_EQ(NextChunk(), "and ");
}

TEST_F(JoinTest, PressedAgainItTakesBackTheJoinBeforeThat) {
  panel.RunSearch();  // into hill.txt after "the old road"
  Play(5);            // " past the farm and the "
  const std::string afterFirst = SourceText();
  panel.RunSearch();  // "... the farm and the" continues in farm.txt or hill.txt
  Play(3);
  ASSERT_EQ(Joins(), 2u);
  const std::string foundAtSecond = panel.foundFilePath;

  ASSERT_TRUE(panel.UndoJoin());
  EXPECT_EQ(SourceText(), afterFirst);
  EXPECT_EQ(panel.playbackSource, PlaybackSource::Found);
  EXPECT_EQ(panel.foundFilePath, hill);
  ASSERT_TRUE(panel.UndoJoin());
  EXPECT_EQ(SourceText(), "The cat sat by the old road, ");
  EXPECT_EQ(panel.playbackSource, PlaybackSource::Base);
  EXPECT_FALSE(panel.UndoJoin());
  EXPECT_EQ(LastMessage(), kNoJoinText);
  EXPECT_FALSE(foundAtSecond.empty());
}

TEST_F(JoinTest, UndoingAnAcceptLeavesPlaybackAtThePartTheSearchPicked) {
  face.controls.onTheFly = false;
  panel.RunSearch();
  const std::int32_t partPosition = panel.foundSource.position;
  face.previewBox.SetSelection(0, 6);
  panel.AcceptPart();
  ASSERT_EQ(Joins(), 2u);
  ASSERT_TRUE(panel.UndoJoin());
  EXPECT_EQ(SourceText(), "The cat sat by the old road, ");
  EXPECT_EQ(panel.playbackSource, PlaybackSource::Found);
  EXPECT_EQ(panel.foundSource.position, partPosition);
  EXPECT_EQ(face.previewBox.Length(), 0);
  EXPECT_FALSE(face.controls.IsPartButtonEnabled(PartButton::Accept));
  EXPECT_EQ(Fault(), "");
}

TEST_F(JoinTest, TextTypedAfterTheJoinMakesItRefuseAndKeepEverything) {
  panel.RunSearch();
  Play(2);
  face.sourceBox.TypeOver(u"my own words ");
  const std::string before = SourceText();
  EXPECT_FALSE(panel.UndoJoin());
  EXPECT_EQ(LastMessage(), kJoinEditedText);
  EXPECT_EQ(face.messages.shown.back().second, kUndoJoinCaption);
  EXPECT_EQ(SourceText(), before);
  EXPECT_EQ(Joins(), 1u);
  // Once the typed words are gone again, nothing of the user's would be lost.
  face.sourceBox.UserReplace(static_cast<std::int32_t>(before.size()) - 13,
                             static_cast<std::int32_t>(before.size()), u"", ChangeCause::User);
  EXPECT_TRUE(panel.UndoJoin());
  EXPECT_EQ(SourceText(), "The cat sat by the old road, ");
}

TEST_F(JoinTest, EditsBeforeTheJoinStayAndMoveItsPlace) {
  panel.RunSearch();
  Play(2);
  face.sourceBox.SetSelection(0, 3);
  face.sourceBox.TypeOver(u"A");  // "A cat sat ..."
  face.sourceBox.SetSelection(face.sourceBox.Length(), face.sourceBox.Length());
  ASSERT_TRUE(panel.UndoJoin());
  EXPECT_EQ(SourceText(), "A cat sat by the old road, ");
  EXPECT_EQ(Fault(), "");
}

TEST_F(JoinTest, RetryJoinSearchesAgainAtTheSamePlace) {
  panel.RunSearch();
  Play(3);
  face.random.values = {1};
  ASSERT_TRUE(panel.RetryJoin());
  EXPECT_EQ(panel.searchPattern, "The cat sat by the old road, ");
  EXPECT_EQ(Joins(), 1u);
  EXPECT_TRUE(face.timer.running);
  Play(2);
  EXPECT_EQ(SourceText().rfind("The cat sat by the old road, ", 0), 0u);
  EXPECT_EQ(Fault(), "");
}

TEST_F(JoinTest, RetryJoinWithNothingToTakeBackSearchesNothing) {
  const std::string before = SourceText();
  EXPECT_FALSE(panel.RetryJoin());
  EXPECT_EQ(LastMessage(), kNoJoinText);
  EXPECT_EQ(SourceText(), before);
  EXPECT_EQ(panel.lastSearch().kind, SearchOutcomeKind::NotRun);
}

}  // namespace
}  // namespace plinvaro::testing
