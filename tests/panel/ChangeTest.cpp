// The one change signal: a call per command, tick, finished search or user edit; the parts' revision; the title's one writer.
#include <gtest/gtest.h>

#include "PanelFixture.h"

namespace plinvaro::testing {
namespace {

class ChangeTest : public RoadPanelTest {
 protected:
  void SetUp() override {
    RoadPanelTest::SetUp();
    panel.SetChangeListener([this] {
      ++calls;
      EXPECT_EQ(panel.revision(), heard + 1) << "the revision moves once per call";
      heard = panel.revision();
    });
    heard = panel.revision();
  }
  // Calls heard during `step`.
  template <typename Step>
  int CallsDuring(Step step) {
    const int before = calls;
    step();
    return calls - before;
  }
  int calls = 0;
  std::uint64_t heard = 0;
};

TEST_F(ChangeTest, EachCommandTickAndEditIsHeardOnce) {
  EXPECT_EQ(CallsDuring([&] { panel.Run(Command::Start); }), 1);
  EXPECT_EQ(CallsDuring([&] { panel.PlaybackTick(); }), 1);  // the chunk's own edit is the tick's
  EXPECT_EQ(CallsDuring([&] { panel.Run(Command::Search); }), 1);
  EXPECT_EQ(CallsDuring([&] { face.sourceBox.TypeOver(u"x"); }), 1);
  EXPECT_EQ(CallsDuring([&] { panel.UndoJoin(); }), 1);  // refused, with a message: still one
  EXPECT_EQ(CallsDuring([&] { panel.UpdateSpeed(); }), 1);
  TextSearcher scanned;
  EXPECT_EQ(CallsDuring([&] {
              const std::optional<SearchRequest> request = panel.PrepareSearch();
              ASSERT_TRUE(request);
              panel.ScanRequest(*request, scanned);  // another thread's part: never heard
            }),
            1);
}

TEST_F(ChangeTest, PartsRevisionMovesOnlyWhenTheListIsReplacedOrEmptied) {
  panel.Run(Command::Start);
  const std::uint64_t start = panel.partsRevision();
  panel.PlaybackTick();
  EXPECT_EQ(panel.partsRevision(), start);
  panel.Run(Command::Search);
  EXPECT_GT(panel.partsRevision(), start);
  const std::uint64_t searched = panel.partsRevision();
  panel.PlaybackTick();
  EXPECT_EQ(panel.partsRevision(), searched);
  panel.SwitchMode(true);  // into the preview: the list is emptied
  EXPECT_GT(panel.partsRevision(), searched);
}

// With the title following playback it names the file read from, also after
// Stop; without, it keeps the file a command last named.
TEST_F(ChangeTest, TheTitleFollowsPlaybackOnlyWhenAsked) {
  for (const bool follows : {false, true}) {
    panel.SetTitleFollowsPlayback(follows);
    panel.Run(Command::Stop);
    panel.Run(Command::Start);
    for (int i = 0; i < 7; ++i) panel.PlaybackTick();
    panel.Run(Command::Search);
    ASSERT_EQ(panel.playingFile(), hill);
    EXPECT_EQ(face.controls.title(), "Plinvaro - " + hill);
    panel.Run(Command::Stop);
    EXPECT_EQ(face.controls.title(), "Plinvaro - " + (follows ? base : hill)) << follows;
  }
}

}  // namespace
}  // namespace plinvaro::testing
