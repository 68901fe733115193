// The seam views' data: tooltips, source totals, found-part rows, "Show source", choosing a part by row, the menu table.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "PanelFixture.h"
#include "panel/SeamMenu.h"
#include "provenance/SeamTexts.h"

namespace plinvaro::testing {
namespace {

constexpr const char* kBase = kRoadBase;
constexpr const char* kHill = kRoadHill;

class SeamViewTest : public RoadPanelTest {
 protected:
  void SetUp() override {
    RoadPanelTest::SetUp();
    panel.StartPlayback();
    for (int i = 0; i < 7; ++i) panel.PlaybackTick();  // "The cat sat by the old road, "
  }
};

TEST_F(SeamViewTest, TooltipNamesTheFileTheByteAndTheSharedWords) {
  panel.RunSearch();
  panel.PlaybackTick();
  panel.PlaybackTick();  // " past "
  EXPECT_EQ(SpanTooltip(panel.provenance(), 4), "base.txt\nbyte 4\nshared: -");
  EXPECT_EQ(SpanTooltip(panel.provenance(), 31), "hill.txt\nbyte 31\nshared:  the old road");
  face.sourceBox.TypeOver(u"x");
  EXPECT_EQ(SpanTooltip(panel.provenance(), 35), "Typed or pasted");
  EXPECT_EQ(SpanTooltip(panel.provenance(), 36), "");
}

// Seams are where joins brought text in; typing into a file's text splits it but is none.
TEST_F(SeamViewTest, SeamsAreTheJoinsNotEverySpanStart) {
  auto seams = [this] {
    std::vector<std::int32_t> starts;
    for (const ProvenanceSpan& span : panel.provenance().spans())
      if (StartsAtSeam(span)) starts.push_back(span.start);
    return starts;
  };
  EXPECT_TRUE(seams().empty());
  face.sourceBox.SetSelection(3, 3);
  face.sourceBox.TypeOver(u"x");  // base, typed, base
  face.sourceBox.SetSelection(30, 30);
  EXPECT_TRUE(seams().empty());
  panel.RunSearch();
  panel.PlaybackTick();
  EXPECT_EQ(seams(), std::vector<std::int32_t>{30});
  ASSERT_TRUE(panel.UndoJoin());
  EXPECT_TRUE(seams().empty());
}

TEST_F(SeamViewTest, SourceTotalsGiveEachFilesBytesAndShare) {
  panel.RunSearch();
  panel.PlaybackTick();
  panel.PlaybackTick();
  face.sourceBox.TypeOver(u"abcdef");  // 29 + 6 + 6 = 41 units
  const std::vector<SourceTotal> totals = SourceTotals(panel.provenance());
  ASSERT_EQ(totals.size(), 2u);
  EXPECT_EQ(totals[0].path, base);
  EXPECT_EQ(totals[0].bytes, 29);
  EXPECT_EQ(totals[1].path, hill);
  EXPECT_EQ(totals[1].bytes, 6);
  EXPECT_DOUBLE_EQ(totals[1].share, 6.0 / 41);
  EXPECT_EQ(ShareText(totals[1].share), "14.6 %");
  EXPECT_EQ(ShareText(2.0), "100.0 %");
  EXPECT_TRUE(SourceTotals(ProvenanceMap()).empty());
}

TEST_F(SeamViewTest, FoundPartRowsFollowTheListAndChoosingOneIsLikeStepping) {
  dir.Write("corpus/farm.txt", "Down the old road,\tto  the\r\nfarm we went on foot today at noon.");
  face.controls.onTheFly = false;
  panel.RunSearch();
  const std::vector<FoundPartRow> rows = FoundPartRows(panel.results());
  ASSERT_EQ(rows.size(), 2u);
  for (const FoundPartRow& row : rows) {
    EXPECT_EQ(row.shared, std::string(" the old road").substr(13 - row.matchLength));
  }
  EXPECT_GE(rows[0].matchLength, rows[1].matchLength);
  const std::string farmWords = ", to the farm we went on foot";
  EXPECT_TRUE(rows[0].continuation == farmWords || rows[1].continuation == farmWords);

  panel.ShowPartAt(1);
  EXPECT_EQ(panel.CurrentPartIndex(), 1);
  EXPECT_EQ(face.previewBox.lastScroll(), ScrollRequest::Top);
  EXPECT_EQ(face.controls.Buttons(), (ButtonStates{true, false, true, true}));
  panel.PreviousPart();
  EXPECT_EQ(panel.CurrentPartIndex(), 0);
  panel.ShowPartAt(5);  // no such row
  EXPECT_EQ(panel.CurrentPartIndex(), 0);
}

TEST_F(SeamViewTest, ShowSourceLoadsTheFileAtTheSpanAndSelectsItsBytes) {
  panel.RunSearch();
  panel.PlaybackTick();
  panel.PlaybackTick();
  ASSERT_TRUE(panel.ShowSpanSource(30));
  EXPECT_EQ(PreviewText(), std::string(kHill).substr(29));
  EXPECT_EQ(face.previewBox.GetSelection().start, 0);
  EXPECT_EQ(face.previewBox.GetSelection().end, 6);
  EXPECT_FALSE(face.timer.running);
  face.sourceBox.TypeOver(u"x");
  EXPECT_FALSE(panel.ShowSpanSource(35));
  EXPECT_FALSE(panel.ShowSpanSource(-1));
}

TEST(SeamMenuTable, ItemsHaveDistinctTextsAndKeysAndOnlyTogglesStayInTheFace) {
  std::set<std::string_view> texts, keys;
  for (const SeamMenuItem& item : SeamMenuTable()) {
    EXPECT_TRUE(texts.insert(item.text).second) << item.text;
    if (!item.key.empty()) {
      EXPECT_TRUE(keys.insert(item.key).second) << item.key;
    }
    EXPECT_TRUE(item.menu == "File" || item.menu == "Edit" || item.menu == "View");
    EXPECT_EQ(item.checkable, item.menu == "View") << item.text;
  }
  EXPECT_EQ(CurrentRunText(1), "Run: 1 word since the last join");
  EXPECT_EQ(CurrentRunText(12), "Run: 12 words since the last join");
}

}  // namespace
}  // namespace plinvaro::testing
