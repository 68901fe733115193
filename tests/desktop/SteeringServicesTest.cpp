// The desktop's steering services: the stored weights, the Sources dock's rows and the steering status text.
#include <gtest/gtest.h>

#include "PanelFixture.h"
#include "desktop/SourceRows.h"
#include "desktop/StatusLine.h"
#include "desktop/WeightStore.h"

namespace plinvaro::testing {
namespace {

TEST(WeightStoreTest, EveryNameComesBackAndMalformedEntriesAreRefused) {
  SourceWeights weights;
  const std::string odd = "100%\tsure\nor\r\xC3\xA4.txt";
  ASSERT_TRUE(weights.Set("/texts/", odd, 0) && weights.Set("/my%20dir", "b.txt", 10));
  ASSERT_TRUE(weights.Set("/texts", "c.txt", 1));  // the default: not kept
  SourceWeights back;
  for (const std::string& entry : WeightEntries(weights)) {
    const std::optional<WeightEntry> parsed = ParseWeightEntry(entry);
    ASSERT_TRUE(parsed) << entry;
    back.Set(parsed->directory, parsed->name, parsed->weight);
  }
  EXPECT_EQ(back.all(), weights.all());
  EXPECT_EQ(back.Of("/texts", odd), 0);
  for (const char* bad : {"", "3", "3\t/d", "11\t/d\ta.txt", "-1\t/d\ta.txt", " 3\t/d\ta.txt", "3\t\ta.txt",
                          "3\t/d\t", "3\t/d\ta%2", "3\t/d\ta%zz.txt", "3\t/d\ta\tb"})
    EXPECT_FALSE(ParseWeightEntry(bad)) << bad;
}

class SourceRowsTest : public RoadPanelTest {};

TEST_F(SourceRowsTest, FilesInUseComeFirstThenTheDirectorysOthersByNameEachWithItsWeight) {
  panel.StartPlayback();
  for (int i = 0; i < 7; ++i) panel.PlaybackTick();  // "The cat sat by the old road, "
  panel.RunSearch();
  panel.PlaybackTick();
  const std::string corpus = dir.Join("corpus");
  dir.Write("corpus/zoo.txt", "z");
  dir.Write("corpus/ant.txt", "a");
  panel.SetSourceWeight(corpus, "zoo.txt", 0);
  panel.SetSourceWeight(corpus, "hill.txt", 4);
  const std::vector<SourceRow> rows =
      SourceRows(panel.provenance(), corpus + "/", {"zoo.txt", "hill.txt", "ant.txt"}, panel.weights());
  const auto summary = [](const SourceRow& row) {
    return row.name + (row.inUse() ? " used " : " ") + (row.weight ? std::to_string(*row.weight) : "-");
  };
  std::vector<std::string> shown;
  for (const SourceRow& row : rows) shown.push_back(summary(row));
  // In use, the base file outside the directory has no weight; the rest by name.
  EXPECT_EQ(shown, (std::vector<std::string>{"base.txt used -", "hill.txt used 4", "ant.txt 1", "zoo.txt 0"}));
  EXPECT_GT(rows[1].bytes, 0);
}

TEST_F(SourceRowsTest, TheStatusNamesEachOptionThatChangesTheNextSearch) {
  const std::string corpus = dir.Join("corpus");
  EXPECT_EQ(ComposeStatus(panel, face.controls).steering, "");
  panel.SetWanderWords(5);
  panel.SetWanders(true);
  panel.SetMatchCase(false);
  for (const auto& [name, weight] : {std::pair{"hill.txt", 0}, {"a.txt", 3}, {"b.txt", 2}})
    panel.SetSourceWeight(corpus, name, weight);
  panel.SetSourceWeight(dir.path(), "base.txt", 0);  // another directory
  EXPECT_EQ(SteeringText(panel, corpus), "wander in 5 words, case ignored, 1 file left out, 2 files weighted");
  face.controls.onTheFly = false;
  panel.SetMatchCase(true);
  EXPECT_EQ(SteeringText(panel, dir.path()), "1 file left out");
}

}  // namespace
}  // namespace plinvaro::testing
