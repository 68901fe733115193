// The recovery copy: where it lives, that it follows unsaved text, and that a restore gives the bytes back.
#include <gtest/gtest.h>

#include <filesystem>

#include "OtherThread.h"
#include "PanelFixture.h"
#include "ProvenanceCheck.h"
#include "provenance/RecoveredSpans.h"
#include "desktop/RecoveryStore.h"

namespace plinvaro::testing {
namespace {

TEST(RecoveryDirectory, PrefersAnAbsoluteStateHomeElseFallsBackUnderHome) {
  const struct {
    const char* state;
    const char* home;
    std::string expected;
  } cases[] = {
      {"/s", "/h", "/s/plinvaro"},
      {nullptr, "/h", "/h/.local/state/plinvaro"},
      {"", "/h", "/h/.local/state/plinvaro"},
      {"relative", "/h", "/h/.local/state/plinvaro"},
      {nullptr, nullptr, ""},
      {nullptr, "h", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RecoveryDirectory(c.state, c.home), c.expected) << (c.state ? c.state : "(unset)");
}

class RecoveryStoreTest : public PanelTest {
 protected:
  std::string stateDir = dir.Join("state/plinvaro");  // neither level exists yet
  RecoveryStore store{stateDir};
};

TEST_F(RecoveryStoreTest, CopyExistsExactlyWhileTextIsUnsaved) {
  EXPECT_TRUE(store.Sync(panel));  // nothing unsaved: nothing written
  EXPECT_FALSE(std::filesystem::exists(store.path()));
  SetSourceText("one\r\ntwo \xe9");
  ASSERT_TRUE(store.Sync(panel));
  EXPECT_EQ(ReadAll(store.path()), "one\r\ntwo \xe9");
  EXPECT_EQ(store.Load(), std::optional<std::string>("one\r\ntwo \xe9"));
  face.dialogs.saveAnswers.push_back(dir.Join("saved.txt"));
  panel.SaveSourceAs();
  EXPECT_TRUE(store.Sync(panel));
  EXPECT_FALSE(std::filesystem::exists(store.path()));
  EXPECT_EQ(store.Load(), std::nullopt);
}

TEST_F(RecoveryStoreTest, AnIdleWindowReadsNothingButEveryChangeIsCopied) {
  SetSourceText("words");
  ASSERT_TRUE(store.Sync(panel));
  const int reads = face.sourceBox.rangeReads();
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(store.Sync(panel));
  EXPECT_EQ(face.sourceBox.rangeReads(), reads);
  face.sourceBox.TypeOver(u" more");
  ASSERT_TRUE(store.Sync(panel));
  EXPECT_EQ(ReadAll(store.path()), "words more");
  // A box that does not report the user's edits is read at every Sync.
  face.sourceBox.SetReportsUserChanges(false);
  face.sourceBox.TypeOver(u"!");
  ASSERT_TRUE(store.Sync(panel));
  EXPECT_EQ(ReadAll(store.path()), "words more!");
}

// A sync in steps, its write on another thread: the copy holds the text as it
// was when taken, the box reads it once, and the next change is copied again.
TEST_F(RecoveryStoreTest, AWriteOnAnotherThreadCopiesTheTextAsTaken) {
  SetSourceText("first words");
  ASSERT_TRUE(store.NeedsSync(panel));
  const RecoverySnapshot snapshot = store.TakeSnapshot(panel);
  const int reads = face.sourceBox.rangeReads();
  face.sourceBox.TypeOver(u" and more");  // while the worker writes
  RecoveryOutcome outcome;
  RunOnAnotherThread([&] { outcome = store.WriteSnapshot(snapshot); });
  EXPECT_EQ(face.sourceBox.rangeReads(), reads);
  ASSERT_TRUE(store.FinishSync(snapshot, outcome));
  EXPECT_EQ(ReadAll(store.path()), "first words");
  ASSERT_TRUE(store.NeedsSync(panel));
  ASSERT_TRUE(store.Sync(panel));
  EXPECT_EQ(ReadAll(store.path()), "first words and more");
  EXPECT_FALSE(store.NeedsSync(panel));
  // Saved meanwhile: the next write removes the copy.
  face.dialogs.saveAnswers.push_back(dir.Join("saved.txt"));
  panel.SaveSourceAs();
  const RecoverySnapshot saved = store.TakeSnapshot(panel);
  EXPECT_TRUE(store.FinishSync(saved, store.WriteSnapshot(saved)));
  EXPECT_FALSE(std::filesystem::exists(store.path()));
}

TEST_F(RecoveryStoreTest, RestoreGivesBackTheBytesAsUnsavedTextAndDiscardRemovesTheCopy) {
  SetSourceText("old words");
  ASSERT_TRUE(store.Sync(panel));
  const std::optional<std::string> copy = store.Load();
  ASSERT_TRUE(copy);
  SetSourceText("");
  panel.RestoreSourceText(*copy);
  EXPECT_EQ(SourceText(), "old words");
  EXPECT_EQ(face.sourceBox.GetSelection().start, 9);
  EXPECT_TRUE(panel.HasUnsavedText());
  store.Discard();
  EXPECT_EQ(store.Load(), std::nullopt);
}

TEST_F(RecoveryStoreTest, RestoredTextKeepsTheFileSpansThatStillMatchTheirFiles) {
  const std::string base = ChooseBaseWith("one two three");
  panel.StartPlayback();
  panel.PlaybackTick();
  panel.PlaybackTick();
  ASSERT_TRUE(store.Sync(panel));
  ASSERT_EQ(store.LoadSpans(), (std::vector<RecoveredSpan>{{SpanKind::Base, 0, 8, 0, base}}));

  RecordingPlatform next;
  MainPanel restored{next.platform()};
  restored.RestoreSourceText(*store.Load(), store.LoadSpans());
  EXPECT_EQ(next.sourceBox.text(), u"one two ");
  ASSERT_EQ(restored.provenance().spans().size(), 1u);
  const ProvenanceSpan& span = restored.provenance().spans().front();
  EXPECT_EQ(span.kind, SpanKind::Base);
  EXPECT_EQ(span.length, 8);
  EXPECT_EQ(restored.provenance().FilePath(span), base);
}

TEST(RecoveredSpans, LinesRoundTripAnyPathAndStopAtTheFirstBadLine) {
  ProvenanceMap map;
  map.Replace(0, 0, 3, SpanOrigin(SpanKind::Typed));
  map.Replace(3, 0, 5, SpanOrigin(SpanKind::Found, "a b\nc.txt", 70));
  map.Replace(8, 0, 2, SpanOrigin(SpanKind::Accepted, "x", 0));
  const std::string text = "1 3 5 70 9 a b\nc.txt\n2 8 2 0 1 x\n";
  EXPECT_EQ(FormatSpans(map), text);
  const std::vector<RecoveredSpan> spans{{SpanKind::Found, 3, 5, 70, "a b\nc.txt"},
                                         {SpanKind::Accepted, 8, 2, 0, "x"}};
  EXPECT_EQ(ParseSpans(text), spans);
  EXPECT_EQ(ParseSpans(text + "1 0 1 0 99 short\n"), spans);        // path runs past the end
  EXPECT_EQ(ParseSpans(text + "4 0 1 0 1 x\n"), spans);             // a kind without a file
  EXPECT_EQ(ParseSpans(text + "0 -1 1 0 1 x\n"), spans);            // a negative start
  EXPECT_EQ(ParseSpans("0 0 1 0 1 xy\n" + text), std::vector<RecoveredSpan>{});
}

// Which written spans of "one three" still hold, with a.txt "one two" and b.txt "xx three more".
TEST_F(PanelTest, RestoredSpansHoldOnlyInOrderInsideTheTextAndOnTheirFilesBytes) {
  const std::string a = dir.Write("a.txt", "one two");
  const std::string b = dir.Write("b.txt", "xx three more");
  const RecoveredSpan one{SpanKind::Base, 0, 4, 0, a};
  const RecoveredSpan three{SpanKind::Found, 4, 5, 3, b};
  const struct {
    const char* name;
    std::vector<RecoveredSpan> written, held;
  } cases[] = {
      {"adjacent", {one, three}, {one, three}},
      {"out of order", {three, one}, {three}},
      {"overlapping", {one, {SpanKind::Found, 3, 6, 2, b}}, {one}},
      {"past the text's end", {{SpanKind::Found, 4, 6, 3, b}}, {}},
      {"empty", {{SpanKind::Base, 0, 0, 0, a}}, {}},
      {"other bytes in the file", {{SpanKind::Base, 0, 4, 0, b}}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SpansThatHold("one three", c.written), c.held) << c.name;
  panel.RestoreSourceText("one three", {one, three});
  ASSERT_EQ(panel.provenance().spans().size(), 2u);
  EXPECT_EQ(panel.provenance().spans()[1].start, 4);
  EXPECT_EQ(ProvenanceFault(panel.provenance(), SourceText()), "");
}

// Declining an earlier run's copy discards it; the text in the box is still unsaved.
TEST_F(RecoveryStoreTest, ADiscardedCopyIsWrittenAgainAtTheNextSync) {
  SetSourceText("words");
  ASSERT_TRUE(store.Sync(panel));
  store.Discard();
  EXPECT_EQ(store.Load(), std::nullopt);
  ASSERT_TRUE(store.Sync(panel));
  EXPECT_EQ(store.Load(), std::optional<std::string>("words"));
}

TEST_F(RecoveryStoreTest, AnEarlierRunsCopySurvivesUntilThisRunWritesOrDiscards) {
  RecoveryStore earlier{stateDir};
  SetSourceText("from before");
  ASSERT_TRUE(earlier.Sync(panel));
  SetSourceText("");
  EXPECT_TRUE(store.Sync(panel));  // nothing unsaved here, but the copy is not this store's
  EXPECT_EQ(store.Load(), std::optional<std::string>("from before"));
  SetSourceText("new");
  ASSERT_TRUE(store.Sync(panel));
  EXPECT_EQ(store.Load(), std::optional<std::string>("new"));
  std::filesystem::remove(store.path());
  EXPECT_TRUE(store.Sync(panel));  // unchanged text is not written again
  EXPECT_FALSE(std::filesystem::exists(store.path()));
  SetSourceText("newer");
  ASSERT_TRUE(store.Sync(panel));
  EXPECT_EQ(store.Load(), std::optional<std::string>("newer"));
}

TEST_F(RecoveryStoreTest, UnwritableDirectoryIsReportedAndAnEmptyPathNeverWrites) {
  SetSourceText("text");
  RecoveryStore blocked(dir.Write("a-file", "x") + "/plinvaro");
  EXPECT_FALSE(blocked.Sync(panel));
  const int reads = face.sourceBox.rangeReads();
  EXPECT_FALSE(blocked.Sync(panel));  // still failing, but tried again only after a change
  EXPECT_EQ(face.sourceBox.rangeReads(), reads);
  RecoveryStore nowhere{std::string()};
  EXPECT_FALSE(nowhere.Sync(panel));
  EXPECT_EQ(nowhere.Load(), std::nullopt);
}

}  // namespace
}  // namespace plinvaro::testing
