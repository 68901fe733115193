// Undo join and Retry join: what they take back, where playback resumes, and when they refuse.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

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
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::Base);
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + base);
  EXPECT_FALSE(face.timer.running);
  EXPECT_EQ(panel.CurrentRunWords(), 7);
  EXPECT_EQ(Joins(), 0u);
  EXPECT_EQ(Fault(), "");
  panel.StartPlayback();
  EXPECT_EQ(NextChunk(), "and ");
}

TEST_F(JoinTest, PressedAgainItTakesBackTheJoinBeforeThat) {
  face.random.values = {0, 1};
  panel.RunSearch();  // into hill.txt after "the old road"
  Play(5);            // "  past the farm and "
  const std::string afterFirst = SourceText();
  panel.RunSearch();  // "... the farm and" continues in farm.txt
  Play(3);
  ASSERT_EQ(Joins(), 2u);
  ASSERT_EQ(panel.foundFile(), farm);

  ASSERT_TRUE(panel.UndoJoin());
  EXPECT_EQ(SourceText(), afterFirst);
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::Found);
  EXPECT_EQ(panel.foundFile(), hill);
  EXPECT_EQ(NextChunk(), "the ");  // hill.txt's bytes where it was, though farm.txt was open
  ASSERT_TRUE(panel.UndoJoin());
  EXPECT_EQ(SourceText(), "The cat sat by the old road, ");
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::Base);
  EXPECT_FALSE(panel.UndoJoin());
  EXPECT_EQ(LastMessage(), kNoJoinText);
}

TEST_F(JoinTest, UndoingAnAcceptLeavesPlaybackAtThePartTheSearchPicked) {
  face.controls.onTheFly = false;
  panel.RunSearch();
  const std::int32_t partPosition = panel.found().position;
  face.previewBox.SetSelection(0, 6);
  panel.AcceptPart();
  ASSERT_EQ(Joins(), 2u);
  ASSERT_TRUE(panel.UndoJoin());
  EXPECT_EQ(SourceText(), "The cat sat by the old road, ");
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::Found);
  EXPECT_EQ(panel.found().position, partPosition);
  EXPECT_EQ(face.previewBox.Length(), 0);
  EXPECT_FALSE(face.controls.IsPartButtonEnabled(PartButton::Accept));
  EXPECT_EQ(Fault(), "");
}

// One edit after a join into hill.txt, and whether Undo join may then take the join back.
enum class JoinAt {
  Fresh,   // the join at the end of the text, nothing played after it
  End,     // the join at the end, then " past " played: [29, 35)
  Inside,  // the join at unit 29 of "... road, and then ", " past " played there: [29, 35)
};

// A change the user (or the box's own Undo and Redo) makes to [start, end).
struct BoxEdit {
  std::int32_t start, end;
  const char16_t* text;
  ChangeCause cause = ChangeCause::User;
};

struct JoinEdit {
  const char* name;
  JoinAt at;
  std::vector<BoxEdit> edits;
  const char* undone;  // the text after Undo join; nullptr: it refuses and changes nothing
};

[[maybe_unused]] void PrintTo(const JoinEdit& c, std::ostream* os) { *os << c.name; }

class JoinEditTest : public JoinTest, public ::testing::WithParamInterface<JoinEdit> {};

TEST_P(JoinEditTest, UndoJoinTakesBackOnlyWhatHoldsNoneOfTheUsersText) {
  if (GetParam().at == JoinAt::Inside) {
    Play(2);  // "and then "
    face.sourceBox.SetSelection(29, 29);
  }
  panel.RunSearch();
  if (GetParam().at != JoinAt::Fresh) Play(2);
  for (const BoxEdit& e : GetParam().edits)
    face.sourceBox.UserReplace(e.start, e.end, e.text, e.cause);
  const std::string before = SourceText();
  if (GetParam().undone == nullptr) {
    ASSERT_FALSE(panel.UndoJoin());
    EXPECT_EQ(LastMessage(), kJoinEditedText);
    EXPECT_EQ(face.messages.shown.back().second, kUndoJoinCaption);
    EXPECT_EQ(SourceText(), before);
    EXPECT_EQ(Joins(), 1u);
    return;
  }
  ASSERT_TRUE(panel.UndoJoin());
  EXPECT_EQ(SourceText(), GetParam().undone);
  EXPECT_EQ(Joins(), 0u);
  EXPECT_EQ(Fault(), "");
}

constexpr ChangeCause kRestore = ChangeCause::Restore;
const JoinEdit kJoinEdits[] = {
    {"OneCharTypedRightAfterTheJoin", JoinAt::Fresh, {{29, 29, u"x"}}, nullptr},
    {"OneCharTypedAfterThePlayedText", JoinAt::End, {{35, 35, u"x"}}, nullptr},
    {"OneCharTypedAtTheJoinsFirstUnit", JoinAt::Inside, {{29, 29, u"x"}}, nullptr},
    {"UndoneAndRedoneByTheBox", JoinAt::End,
     {{30, 35, u"", kRestore}, {30, 30, u"past ", kRestore}}, nullptr},
    {"TypedOverTheJoinsEnd", JoinAt::Inside, {{34, 36, u"x"}}, nullptr},
    {"TypedOverTextEndingAtTheJoinsStart", JoinAt::Inside, {{26, 29, u"ds! "}},
     "The cat sat by the old roads! and then "},
    {"TypedBeforeTheJoin", JoinAt::End, {{0, 3, u"A"}}, "A cat sat by the old road, "},
    {"TypedThenDeletedAgain", JoinAt::End, {{35, 35, u"my own words "}, {35, 48, u""}},
     "The cat sat by the old road, "},
};

INSTANTIATE_TEST_SUITE_P(Edges, JoinEditTest, ::testing::ValuesIn(kJoinEdits),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(JoinTest, RetryJoinSearchesAgainAtTheSamePlace) {
  panel.RunSearch();
  Play(3);
  face.random.values = {1};
  ASSERT_TRUE(panel.RetryJoin());
  EXPECT_EQ(panel.pattern(), "The cat sat by the old road, ");
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

// A join over [10, 20) and one change of the box: where its range goes.
JoinRecord Joined(std::int32_t start, std::int32_t end) {
  JoinRecord join;
  join.start = start;
  join.end = end;
  return join;
}

TEST(JoinHistory, FollowsChangesAtItsEdges) {
  const struct {
    const char* name;
    TextChange change;
    std::int32_t start, end;
  } cases[] = {
      {"insert before", {5, 0, 2}, 12, 22},     {"insert at the start", {10, 0, 2}, 10, 22},
      {"insert at the end", {20, 0, 2}, 10, 22}, {"insert after", {21, 0, 2}, 10, 20},
      {"replace up to the start", {7, 3, 1}, 8, 18},
      {"replace across the start", {8, 4, 1}, 8, 17},
      {"replace across the end", {18, 4, 1}, 10, 19},
      {"remove the range", {10, 10, 0}, 10, 10}, {"remove around it", {5, 20, 0}, 5, 5},
  };
  for (const auto& c : cases) {
    JoinHistory history;
    history.Push(Joined(10, 20));
    history.Follow(c.change);
    EXPECT_EQ(history.back().start, c.start) << c.name;
    EXPECT_EQ(history.back().end, c.end) << c.name;
  }
}

TEST(JoinHistory, KeepsTheNewestJoinsUpToItsBound) {
  JoinHistory history;
  const auto most = static_cast<std::int32_t>(kMaxJoins);
  for (std::int32_t i = 0; i <= most; ++i) history.Push(Joined(i, i));
  ASSERT_EQ(history.size(), kMaxJoins);
  EXPECT_EQ(history.joins().front().start, 1);
  EXPECT_EQ(history.Pop().start, most);
  EXPECT_EQ(history.back().start, most - 1);
}

}  // namespace
}  // namespace plinvaro::testing
