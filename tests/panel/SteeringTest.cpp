// The steering options on the real controller: weighted picks, parts left out, the pick that avoids playback's place, the wander every N words.
#include <filesystem>
#include <map>
#include <set>

#include "PanelFixture.h"
#include "panel/SeededRandom.h"
#include "provenance/SeamTexts.h"

namespace plinvaro::testing {
namespace {

class SteeringTest : public PanelTest {
 protected:
  // Files a.txt to d.txt in corpus/, each going on from "the old road" once.
  void FourFiles() {
    corpus = dir.MakeSubdir("corpus");
    face.controls.directory = corpus;
    for (const char* name : {"a", "b", "c", "d"})
      dir.Write(std::string("corpus/") + name + ".txt", std::string("so the old road to ") + name + " went on");
  }
  // Picks from a box holding "the old road"; the picked file's name.
  std::string Pick() {
    SetSourceText("the old road");
    panel.RunSearch();
    return panel.foundFile().empty() ? "" : BaseNameOf(panel.foundFile());
  }
  std::string corpus;
};

TEST_F(SteeringTest, SeededPicksFollowTheWeightsAndNeverTakeALeftOutFile) {
  FourFiles();
  const std::map<std::string, int> weights = {{"a.txt", 1}, {"b.txt", 3}, {"c.txt", 0}, {"d.txt", 6}};
  for (const auto& [name, weight] : weights) ASSERT_TRUE(panel.SetSourceWeight(corpus, name, weight));
  constexpr int kPicks = 4000;
  SeededRandom seeded;
  seeded.Seed(29);
  for (int i = 0; i < kPicks; ++i) face.random.values.push_back(seeded.Next());
  std::map<std::string, int> picked;
  for (int i = 0; i < kPicks; ++i) ++picked[Pick()];
  for (const auto& [name, weight] : weights)
    EXPECT_NEAR(picked[name] / double(kPicks), weight / 10.0, 0.025) << name;
  EXPECT_EQ(picked["c.txt"], 0);
  EXPECT_EQ(SearchOutcomeText(panel.lastSearch()), "4 parts in 4 files, 1 left out");
}

TEST_F(SteeringTest, WeightsRefuseValuesOutOfRangeAndAllLeftOutPicksNothing) {
  FourFiles();
  EXPECT_FALSE(panel.SetSourceWeight(corpus, "a.txt", 11));
  EXPECT_FALSE(panel.SetSourceWeight(corpus, "a.txt", -1));
  EXPECT_FALSE(panel.SetSourceWeight(corpus, "", 2));
  for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"}) panel.SetSourceWeight(corpus + "/", name, 0);
  EXPECT_EQ(Pick(), "");
  EXPECT_EQ(panel.lastSearch().kind, SearchOutcomeKind::AllLeftOut);
  EXPECT_EQ(SearchOutcomeText(panel.lastSearch()), "4 parts, all in files of weight 0");
  EXPECT_EQ(panel.CurrentPartIndex(), -1);
}

TEST_F(SteeringTest, PreviewStepsPastPartsOfLeftOutFiles) {
  FourFiles();
  panel.SetSourceWeight(corpus, "b.txt", 0);
  panel.SetSourceWeight(corpus, "c.txt", 0);
  PreviewSearch("the old road");
  ASSERT_EQ(panel.results().PartCount(), 4);
  const auto shown = [this] { return BaseNameOf(panel.results().FilePath(panel.currentFoundPart()->fileIndex)); };
  std::set<std::string> seen = {shown()};
  while (face.controls.IsPartButtonEnabled(PartButton::Prev)) panel.PreviousPart();
  seen.insert(shown());
  int steps = 0;
  for (; face.controls.IsPartButtonEnabled(PartButton::Next); ++steps) {
    panel.NextPart();
    seen.insert(shown());
  }
  EXPECT_EQ(seen, (std::set<std::string>{"a.txt", "d.txt"}));
  EXPECT_EQ(steps, 1);
  int i = 0;
  for (const auto& part : panel.results().parts()) {
    const std::string name = BaseNameOf(panel.results().FilePath(part->fileIndex));
    EXPECT_EQ(panel.PartLeftOut(i++), name == "b.txt" || name == "c.txt") << name;
  }
}

// The base file lies in the corpus and playback stands right behind
// "on the old road ": base.txt's part is that place, other.txt's is not.
TEST_F(SteeringTest, ThePickAvoidsWherePlaybackStandsWhileAnotherPartExists) {
  const std::string base = CorpusWith("base.txt", "on the old road we went");
  const std::string other = dir.Write("corpus/other.txt", "up the old road they ran");
  ChooseBase(base);
  const auto searchFromBase = [this](std::int32_t draw) {
    panel.StopPlayback();
    SetSourceText("");
    panel.StartPlayback();
    for (int i = 0; i < 4; ++i) panel.PlaybackTick();
    face.random.values.push_back(draw);
    panel.RunSearch();
    return BaseNameOf(panel.foundFile());
  };
  for (const bool avoids : {false, true}) {
    panel.SetPickAvoidsCurrentPlace(avoids);
    int inPlace = 0;
    for (std::int32_t draw = 0; draw < 4; ++draw) inPlace += searchFromBase(draw) == "base.txt";
    EXPECT_EQ(inPlace, avoids ? 0 : 2) << avoids;
  }
  std::filesystem::remove(other);
  EXPECT_EQ(searchFromBase(1), "base.txt");  // the place itself is all there is
}

TEST_F(SteeringTest, WanderSearchesByItselfAfterNWordsInOnTheFlyModeOnly) {
  EXPECT_FALSE(panel.SetWanderWords(kMinWanderWords - 1));
  EXPECT_FALSE(panel.SetWanderWords(kMaxWanderWords + 1));
  ChooseBaseWith("one two three four five six seven eight nine ten");
  CorpusWith("hill.txt", "so one two three went on");
  EXPECT_EQ(panel.WordsUntilWander(), std::nullopt);  // off by default
  ASSERT_TRUE(panel.SetWanderWords(3));
  panel.SetWanders(true);
  panel.StartPlayback();
  panel.PlaybackTick();
  panel.PlaybackTick();
  EXPECT_EQ(panel.WordsUntilWander(), 1);
  EXPECT_EQ(panel.lastSearch().kind, SearchOutcomeKind::NotRun);
  panel.PlaybackTick();  // "three ": the third word
  EXPECT_EQ(panel.lastSearch().kind, SearchOutcomeKind::Found);
  EXPECT_EQ(panel.foundFile(), dir.Join("corpus/hill.txt"));
  EXPECT_EQ(panel.WordsUntilWander(), 3);
  face.controls.onTheFly = false;
  EXPECT_EQ(panel.WordsUntilWander(), std::nullopt);
}

}  // namespace
}  // namespace plinvaro::testing
