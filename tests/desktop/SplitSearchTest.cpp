// Search in three steps: a scan on another thread gives what RunSearch gives; a dropped scan changes nothing; the gate while searching.
#include <gtest/gtest.h>

#include <iterator>
#ifndef _WIN32
#endif

#include "OtherThread.h"
#include "PanelFixture.h"
#include "desktop/SearchGate.h"
#include "window/Command.h"

namespace plinvaro::testing {
namespace {

// What a Search leaves behind, as far as a user or the next command can tell.
struct SearchState {
  std::vector<std::pair<std::int32_t, std::int32_t>> parts;  // match length, offset
  std::ptrdiff_t current = -1;
  std::string foundPath;
  std::int32_t foundPosition = 0;
  PlaybackSource playing = PlaybackSource::None;
  bool timerRunning = false;
  std::string title;
  std::string pattern;
  std::string source;
  TextSelection selection;
  std::string preview;
  SearchOutcomeKind outcome = SearchOutcomeKind::NotRun;
  bool operator==(const SearchState& o) const {
    return parts == o.parts && current == o.current && foundPath == o.foundPath &&
           foundPosition == o.foundPosition && playing == o.playing &&
           timerRunning == o.timerRunning && title == o.title && pattern == o.pattern &&
           source == o.source && selection.start == o.selection.start &&
           selection.end == o.selection.end && preview == o.preview && outcome == o.outcome;
  }
};

// Two panels on two faces over one corpus, fed the same random draws.
class SplitSearch : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    const std::string corpus = dir.MakeSubdir("corpus");
    dir.Write("corpus/a.txt", "she walked down the old road. The old road went on and on.");
    dir.Write("corpus/b.txt", "an old road, and then the old road ended at the water.");
    dir.Write("corpus/c.txt", "nothing of that kind here at all");
    dir.Write("base.txt", "along the old road slowly home");
    for (RecordingPlatform* face : {&syncFace, &asyncFace}) {
      face->controls.directory = corpus;
      face->controls.onTheFly = GetParam();
      face->random.values = {5, 2, 7};
      face->dialogs.openAnswers.push_back(dir.Join("base.txt"));
    }
    syncPanel.OpenBaseFile();
    asyncPanel.OpenBaseFile();
    for (MainPanel* panel : {&syncPanel, &asyncPanel}) {
      panel->StartPlayback();
      for (int i = 0; i < 3; ++i) panel->PlaybackTick();
    }
  }

  static SearchState StateOf(MainPanel& panel, RecordingPlatform& face) {
    SearchState state;
    for (const auto& part : panel.results().parts()) state.parts.push_back({part->matchLength, part->offset});
    state.current = panel.CurrentPartIndex();
    state.foundPath = panel.found().path;
    state.foundPosition = panel.found().position;
    state.playing = panel.playingFrom();
    state.timerRunning = face.timer.running;
    state.title = face.controls.title();
    state.pattern = panel.pattern();
    state.source = Narrow(face.sourceBox.text());
    state.selection = face.sourceBox.GetSelection();
    state.preview = Narrow(face.previewBox.text());
    state.outcome = panel.lastSearch().kind;
    return state;
  }

  TempDir dir;
  RecordingPlatform syncFace;
  RecordingPlatform asyncFace;
  MainPanel syncPanel{syncFace.platform()};
  MainPanel asyncPanel{asyncFace.platform()};
};

TEST_P(SplitSearch, AScanOnAnotherThreadEndsAsRunSearchEnds) {
  for (int round = 0; round < 3; ++round) {
    syncPanel.RunSearch();
    const std::optional<SearchRequest> request = asyncPanel.PrepareSearch();
    ASSERT_TRUE(request.has_value());
    TextSearcher scanned;
    RunOnAnotherThread([&] { asyncPanel.ScanRequest(*request, scanned); });
    asyncPanel.FinishSearch(*request, scanned);
    EXPECT_EQ(StateOf(asyncPanel, asyncFace), StateOf(syncPanel, syncFace)) << "round " << round;
    EXPECT_EQ(asyncPanel.lastSearch().parts, syncPanel.lastSearch().parts);
    ASSERT_EQ(syncPanel.lastSearch().kind, SearchOutcomeKind::Found);
    for (MainPanel* panel : {&syncPanel, &asyncPanel}) {
      panel->StartPlayback();
      panel->PlaybackTick();
    }
  }
}

TEST_P(SplitSearch, ADroppedScanChangesNothing) {
  syncPanel.RunSearch();  // parts and a found source to keep
  if (!GetParam()) syncPanel.NextPart();
  const SearchState before = StateOf(syncPanel, syncFace);
  const std::optional<SearchRequest> request = syncPanel.PrepareSearch();
  ASSERT_TRUE(request.has_value());
  TextSearcher scanned;
  syncPanel.ScanRequest(*request, scanned);
  EXPECT_GT(scanned.PartCount(), 0);
  EXPECT_EQ(StateOf(syncPanel, syncFace), before);
}

INSTANTIATE_TEST_SUITE_P(Modes, SplitSearch, ::testing::Values(true, false),
                         [](const auto& param) { return param.param ? "OnTheFly" : "Preview"; });

TEST_F(PanelTest, NothingToScanIsFinishedAndReportedByPrepareSearch) {
  EXPECT_FALSE(panel.PrepareSearch().has_value());
  EXPECT_EQ(panel.lastSearch().kind, SearchOutcomeKind::NoDirectory);
  face.controls.directory = dir.MakeSubdir("corpus");
  EXPECT_FALSE(panel.PrepareSearch().has_value());
  EXPECT_EQ(panel.lastSearch().kind, SearchOutcomeKind::NoPattern);
}

// Commands that would start a search or change the directory, the sources or the
// source box wait; Stop cancels; the rest run. One row per command.
TEST(SearchGate, EachCommandRunsWaitsOrCancels) {
  using enum WhileSearching;
  using enum Command;
  constexpr std::pair<Command, WhileSearching> kRules[] = {
      {Browse, Waits},        {Start, Waits},           {Pause, Runs},         {Search, Waits},
      {ToSrc, Waits},         {Stop, Cancels},          {Prev, Runs},          {Next, Runs},
      {Accept, Waits},        {OnTheFly, Runs},         {More, Runs},          {Open, Waits},
      {SaveAs, Runs},         {Exit, Runs},             {Copy, Runs},          {Cut, Waits},
      {Paste, Waits},         {SelectAll, Runs},        {ViewHotkeys, Runs},   {About, Runs},
      {SlowDown, Runs},       {SpeedUp, Runs},          {FocusSourceBox, Runs}, {FocusPreviewBox, Runs},
      {SwitchMode, Runs},     {ExportSources, Runs},    {UndoJoin, Waits},     {RetryJoin, Waits},
      {ToggleTint, Runs},     {ToggleSources, Runs},    {ToggleFoundParts, Runs}};
  static_assert(std::size(kRules) == kCommandCount);
  for (const auto& [command, rule] : kRules) {
    EXPECT_EQ(WhileSearchingFor(command), rule) << static_cast<int>(command);
  }
}

// The gate's queue: what runs, waits, is refused or dropped, and in which order.
class SearchGateQueue : public ::testing::Test {
 protected:
  WhileSearching Offer(Command command) {
    return gate.Route(command, [this, command] {
      ran.push_back(command);
      if (command == Command::Search) gate.Begin();
    });
  }
  SearchGate gate;
  std::vector<Command> ran;
};

TEST_F(SearchGateQueue, WithNoSearchEveryCommandRunsAtOnce) {
  for (const Command command : {Command::Stop, Command::Start, Command::Paste}) {
    EXPECT_EQ(Offer(command), WhileSearching::Runs);
  }
  EXPECT_EQ(ran, (std::vector<Command>{Command::Stop, Command::Start, Command::Paste}));
}

TEST_F(SearchGateQueue, HeldCommandsRunInOrderUntilOneSearchesAgain) {
  gate.Begin();
  EXPECT_EQ(Offer(Command::Pause), WhileSearching::Runs);
  EXPECT_EQ(Offer(Command::Start), WhileSearching::Waits);
  EXPECT_EQ(Offer(Command::Search), WhileSearching::Waits);
  EXPECT_EQ(gate.RouteChange([this] { ran.push_back(Command::Browse); }), WhileSearching::Waits);
  EXPECT_EQ(gate.waitingCount(), 3);
  gate.End(false);
  EXPECT_EQ(ran, (std::vector<Command>{Command::Pause, Command::Start, Command::Search}));
  EXPECT_TRUE(gate.searching());
  EXPECT_EQ(gate.waitingCount(), 1) << "the change waits for the new search";
  gate.End(false);
  EXPECT_EQ(ran.back(), Command::Browse);
}

TEST_F(SearchGateQueue, StopOrACancelledSearchDropsWhatWaited) {
  gate.Begin();
  Offer(Command::Start);
  EXPECT_EQ(Offer(Command::Stop), WhileSearching::Cancels);
  EXPECT_EQ(gate.waitingCount(), 0);
  Offer(Command::Accept);
  gate.End(true);
  EXPECT_TRUE(ran.empty());
  EXPECT_FALSE(gate.searching());
}

TEST_F(SearchGateQueue, ARepeatedCommandOrAFullQueueIsRefused) {
  gate.Begin();
  EXPECT_EQ(Offer(Command::Search), WhileSearching::Waits);
  EXPECT_EQ(Offer(Command::Search), WhileSearching::Refused) << "a held key repeats";
  for (int i = 1; i < kMaxWaiting; ++i) gate.RouteChange([] {});
  EXPECT_EQ(Offer(Command::Start), WhileSearching::Refused);
  EXPECT_EQ(gate.RouteChange([] {}), WhileSearching::Refused);
  EXPECT_EQ(gate.waitingCount(), kMaxWaiting);
}

TEST(SearchGate, ProgressTextCountsFilesBytesAndWaitingCommands) {
  EXPECT_EQ(SearchProgressText(46, 240, 41'200'000, 314'600'000, 0), "searching 46/240 files, 41/315 MB");
  EXPECT_EQ(SearchProgressText(3, 50, 9'960'000, 10'000'000, 0), "searching 3/50 files, 10/10 MB");
  EXPECT_EQ(SearchProgressText(3, 50, 1'250'000, 9'940'000, 0), "searching 3/50 files, 1.2/9.9 MB");
  EXPECT_EQ(SearchProgressText(0, 1, 0, 0, 1), "searching 0/1 files, 0.0/0.0 MB; 1 command waits");
  EXPECT_EQ(SearchProgressText(1, 2, 1, 2, 3), "searching 1/2 files, 0.0/0.0 MB; 3 commands wait");
}

}  // namespace
}  // namespace plinvaro::testing
