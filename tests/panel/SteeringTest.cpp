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
  // Files a.txt to d.txt in corpus/, each going on from "the old road" once,
  // weighing `weights` in order.
  void FourFiles(const std::vector<int>& weights) {
    corpus = dir.MakeSubdir("corpus");
    face.controls.directory = corpus;
    for (std::size_t i = 0; i < 4; ++i) {
      const std::string name = std::string(1, static_cast<char>('a' + i)) + ".txt";
      dir.Write("corpus/" + name, "so the old road to " + name + " went on");
      ASSERT_TRUE(panel.SetSourceWeight(corpus, name, weights[i]));
    }
  }
  // The name of the file part `part` lies in.
  std::string NameOf(const FoundPart* part) { return part ? BaseNameOf(panel.results().FilePath(part->fileIndex)) : ""; }
  std::string corpus;
};

TEST_F(SteeringTest, SeededPicksFollowTheWeightsAndNeverTakeALeftOutFile) {
  FourFiles({1, 3, 0, 6});
  constexpr int kPicks = 4000;
  PinnedRandom seeded(29);
  for (int i = 0; i < kPicks; ++i) face.random.values.push_back(seeded.Next());
  std::map<std::string, int> picked;
  for (int i = 0; i < kPicks; ++i) {
    SetSourceText("the old road");
    panel.RunSearch();
    ++picked[NameOf(panel.currentFoundPart())];
  }
  EXPECT_EQ(picked["c.txt"], 0);
  for (const auto& [name, weight] : std::map<std::string, int>{{"a.txt", 1}, {"b.txt", 3}, {"d.txt", 6}})
    EXPECT_NEAR(picked[name] / double(kPicks), weight / 10.0, 0.025) << name;
  EXPECT_EQ(SearchOutcomeText(panel.lastSearch()), "4 parts in 4 files, 1 left out");
  EXPECT_FALSE(panel.SetSourceWeight(corpus, "a.txt", 11) || panel.SetSourceWeight(corpus, "a.txt", -1) ||
               panel.SetSourceWeight(corpus, "", 2));
  for (const char* name : {"a.txt", "b.txt", "d.txt"}) panel.SetSourceWeight(corpus + "/", name, 0);
  panel.RunSearch();
  EXPECT_EQ(SearchOutcomeText(panel.lastSearch()), "4 parts, all in files of weight 0");
  EXPECT_EQ(panel.CurrentPartIndex(), -1);
}

TEST_F(SteeringTest, PreviewStepsPastPartsOfLeftOutFiles) {
  FourFiles({1, 0, 0, 1});
  PreviewSearch("the old road");
  ASSERT_EQ(panel.results().PartCount(), 4);
  std::vector<std::string> seen = {NameOf(panel.currentFoundPart())};
  while (face.controls.IsPartButtonEnabled(PartButton::Prev)) panel.PreviousPart();
  for (seen.push_back(NameOf(panel.currentFoundPart())); face.controls.IsPartButtonEnabled(PartButton::Next);)
    panel.NextPart(), seen.push_back(NameOf(panel.currentFoundPart()));
  EXPECT_EQ(std::set<std::string>(seen.begin(), seen.end()), (std::set<std::string>{"a.txt", "d.txt"}));
  EXPECT_EQ(seen.size(), 3u);  // the pick, the first kept part, one step to the last
  int i = 0;
  for (const auto& part : panel.results().parts())
    EXPECT_EQ(panel.PartLeftOut(i++), NameOf(part.get()) == "b.txt" || NameOf(part.get()) == "c.txt");
}

// The base file lies in the corpus and playback stands right behind
// "on the old road ": base.txt's part is that place, other.txt's is not.
#ifndef _WIN32  // the test removes a file while it is played, which Windows refuses
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
#endif

TEST_F(SteeringTest, WanderSearchesByItselfAfterNWordsInOnTheFlyModeOnly) {
  EXPECT_FALSE(panel.SetWanderWords(kMinWanderWords - 1) || panel.SetWanderWords(kMaxWanderWords + 1));
  ChooseBaseWith("one two three four five six seven eight nine ten");
  CorpusWith("hill.txt", "so one two three went on");
  EXPECT_EQ(panel.WordsUntilWander(), std::nullopt);  // off by default
  ASSERT_TRUE(panel.SetWanderWords(3));
  panel.SetWanders(true);
  panel.StartPlayback();
  for (int i = 0; i < 2; ++i) panel.PlaybackTick();
  EXPECT_TRUE(panel.WordsUntilWander() == 1 && panel.lastSearch().kind == SearchOutcomeKind::NotRun);
  panel.PlaybackTick();  // "three ": the third word
  EXPECT_EQ(panel.foundFile(), dir.Join("corpus/hill.txt"));
  EXPECT_EQ(panel.WordsUntilWander(), 3);  // counted afresh
  face.controls.onTheFly = false;
  EXPECT_EQ(panel.WordsUntilWander(), std::nullopt);
}

}  // namespace
}  // namespace plinvaro::testing
