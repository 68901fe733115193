// What each Search comes to: the outcome the panel keeps and reports, its status text, and the start hint.
#include <ostream>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PanelFixture.h"
#include "desktop/StartHint.h"
#include "desktop/StatusLine.h"

namespace plinvaro::testing {
namespace {

class OutcomeRecorder : public PanelObserver {
 public:
  void SearchReported(const SearchOutcome& outcome) override { reported.push_back(outcome); }
  std::vector<SearchOutcome> reported;
};

class SearchOutcomeTest : public PanelTest {
 protected:
  void SetUp() override { panel.SetObserver(&recorder); }
  void TearDown() override { panel.SetObserver(nullptr); }

  // Presses Search once with `text` in the source box (caret at its end).
  const SearchOutcome& SearchFrom(std::string_view text) {
    SetSourceText(text);
    face.sourceBox.SetSelection(static_cast<std::int32_t>(text.size()),
                                static_cast<std::int32_t>(text.size()));
    panel.RunSearch();
    return panel.lastSearch();
  }

  OutcomeRecorder recorder;
};

TEST_F(SearchOutcomeTest, EmptyDirectoryBoxSaysSoAndStartsNothing) {
  ChooseBaseWith("the old road went on");
  const std::size_t timerCalls = face.timer.calls.size();
  const SearchOutcome& outcome = SearchFrom("the old road");
  EXPECT_EQ(outcome.kind, SearchOutcomeKind::NoDirectory);
  EXPECT_EQ(SearchOutcomeText(outcome),
            "no directory chosen: type one into \"Base directory\" or pick it with \"...\"");
  EXPECT_EQ(face.timer.calls.size(), timerCalls);
  EXPECT_EQ(panel.searchPattern, "");
}

TEST_F(SearchOutcomeTest, NoTextBeforeTheCaretIsNothingToSearchFor) {
  CorpusWith("a.txt", "the old road");
  EXPECT_EQ(SearchFrom("").kind, SearchOutcomeKind::NoPattern);
  SetSourceText("words after the caret");
  face.sourceBox.SetSelection(0, 0);
  panel.RunSearch();
  EXPECT_EQ(panel.lastSearch().kind, SearchOutcomeKind::NoPattern);
  EXPECT_EQ(SearchOutcomeText(panel.lastSearch()),
            "nothing to search for: no text before the caret");
}

TEST_F(SearchOutcomeTest, MissingDirectoryCannotBeReadAndSaysWhy) {
  face.controls.directory = dir.Join("absent");
  const SearchOutcome& outcome = SearchFrom("the old road");
  ASSERT_EQ(outcome.kind, SearchOutcomeKind::CannotRead);
  EXPECT_FALSE(outcome.reason.empty());
  EXPECT_EQ(SearchOutcomeText(outcome), dir.Join("absent") + " cannot be read: " + outcome.reason);
}

TEST_F(SearchOutcomeTest, DirectoryWithoutTextFilesNamesItself) {
  face.controls.directory = dir.MakeSubdir("notes");
  dir.Write("notes/readme.md", "the old road");
  const SearchOutcome& outcome = SearchFrom("the old road");
  EXPECT_EQ(outcome.kind, SearchOutcomeKind::NoTextFiles);
  EXPECT_EQ(SearchOutcomeText(outcome), "no .txt files in " + dir.Join("notes"));
}

TEST_F(SearchOutcomeTest, TextFilesWithoutAPartAreNoMatch) {
  CorpusWith("a.txt", "nothing alike in here");
  const SearchOutcome& outcome = SearchFrom("the old road");
  EXPECT_EQ(outcome.kind, SearchOutcomeKind::NoMatch);
  EXPECT_EQ(SearchOutcomeText(outcome), "no match");
}

TEST_F(SearchOutcomeTest, FoundCountsPartsAndTheFilesTheyLieIn) {
  CorpusWith("a.txt", "by the old road. Then the old road bent.");
  dir.Write("corpus/b.txt", "along the old road it went");
  dir.Write("corpus/c.txt", "no such words");
  const SearchOutcome& outcome = SearchFrom("down the old road");
  ASSERT_EQ(outcome.kind, SearchOutcomeKind::Found);
  EXPECT_EQ(outcome.parts, panel.searcher.PartCount());
  EXPECT_EQ(outcome.parts, 3);
  EXPECT_EQ(outcome.files, 2);
  EXPECT_EQ(SearchOutcomeText(outcome), "3 parts in 2 files");
}

TEST_F(SearchOutcomeTest, OnePartIsCountedInTheSingular) {
  CorpusWith("a.txt", "along the old road it went");
  EXPECT_EQ(SearchOutcomeText(SearchFrom("down the old road")), "1 part in 1 file");
}

TEST_F(SearchOutcomeTest, EverySearchIsReportedOnceAndKeptAsTheLast) {
  EXPECT_EQ(panel.lastSearch().kind, SearchOutcomeKind::NotRun);
  EXPECT_EQ(SearchOutcomeText(panel.lastSearch()), "");
  SearchFrom("the old road");  // no directory
  CorpusWith("a.txt", "along the old road it went");
  SearchFrom("the old road");
  SearchFrom("");
  ASSERT_EQ(recorder.reported.size(), 3u);
  EXPECT_EQ(recorder.reported[0].kind, SearchOutcomeKind::NoDirectory);
  EXPECT_EQ(recorder.reported[1].kind, SearchOutcomeKind::Found);
  EXPECT_EQ(recorder.reported[2].kind, SearchOutcomeKind::NoPattern);
  EXPECT_EQ(panel.lastSearch().kind, SearchOutcomeKind::NoPattern);
}

TEST_F(SearchOutcomeTest, ReportComesAfterTheSearchHasActed) {
  // The observer sees the panel as the Search left it: in On The Fly Mode, playing the found file.
  struct StateAtReport : PanelObserver {
    explicit StateAtReport(MainPanel& p) : panel(p) {}
    void SearchReported(const SearchOutcome&) override { playing = panel.isPlaying; }
    MainPanel& panel;
    bool playing = false;
  } state(panel);
  panel.SetObserver(&state);
  face.controls.onTheFly = true;
  CorpusWith("a.txt", "along the old road it went");
  SearchFrom("down the old road");
  EXPECT_TRUE(state.playing);
}

TEST_F(SearchOutcomeTest, ShortFormsNameTheDirectoryByItsLastNameAndKeepTheAdviceBrief) {
  const std::string deep = dir.Join("a/long/way/down/texts");
  const struct {
    SearchOutcome outcome;
    std::string shortForm;
  } cases[] = {
      {{SearchOutcomeKind::NoDirectory, "", "", 0, 0}, "no directory chosen: pick one with \"...\""},
      {{SearchOutcomeKind::CannotRead, deep + "/", "No such file or directory", 0, 0},
       "texts: No such file or directory"},
      {{SearchOutcomeKind::NoTextFiles, deep, "", 0, 0}, "no .txt files in texts"},
      {{SearchOutcomeKind::Found, deep, "", 3, 2}, "3 parts in 2 files"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SearchOutcomeStatus(c.outcome, StatusForm::Short), c.shortForm);
    EXPECT_EQ(SearchOutcomeStatus(c.outcome, StatusForm::Whole), SearchOutcomeText(c.outcome));
  }
}

struct HintCase {
  const char* name;
  const char* baseFile;
  const char* directory;
  std::vector<const char*> mentions;       // by both forms
  std::vector<const char*> wholeMentions;  // by the whole one only
};

TEST(StartHintTest, NamesTheKeysAndWhatIsStillToChoose) {
  const std::vector<HintCase> cases = {
      {"nothing chosen", "", "", {"Open...", "F2", "F4"}, {}},
      {"a base file only", "harbour.txt", "", {"F2", "F4", "\"...\""}, {}},
      {"both", "/home/writer/samples/harbour.txt", "/home/writer/samples", {"F2", "F4", "samples"},
       {"/home/writer/samples", "\"On The Fly Mode\""}},
  };
  for (const HintCase& c : cases) {
    const std::string brief = StartHint(c.baseFile, c.directory);
    const std::string whole = StartHint(c.baseFile, c.directory, StatusForm::Whole);
    EXPECT_LT(brief.size(), whole.size()) << c.name;
    for (const std::string& hint : {brief, whole}) {
      EXPECT_EQ(hint.find('\n'), std::string::npos) << c.name;
      for (const char* word : c.mentions)
        EXPECT_NE(hint.find(word), std::string::npos) << c.name << ": " << word << " in " << hint;
    }
    for (const char* word : c.wholeMentions) {
      EXPECT_NE(whole.find(word), std::string::npos) << c.name << ": " << word << " in " << whole;
      EXPECT_EQ(brief.find(word), std::string::npos) << c.name << ": " << word << " in " << brief;
    }
  }
}

}  // namespace
}  // namespace plinvaro::testing
