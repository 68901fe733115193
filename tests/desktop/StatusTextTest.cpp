// What each Search comes to: the outcome the panel keeps and reports, its status text, and the start hint.
#include <ostream>
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
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

constexpr std::int32_t kCaretAtEnd = -1;

class SearchOutcomeTest : public PanelTest {
 protected:
  void SetUp() override { panel.SetObserver(&recorder); }
  void TearDown() override { panel.SetObserver(nullptr); }

  // Presses Search once with `text` in the source box and the caret at `caret`.
  const SearchOutcome& SearchFrom(std::string_view text, std::int32_t caret = kCaretAtEnd) {
    SetSourceText(text);
    const auto at = caret == kCaretAtEnd ? static_cast<std::int32_t>(text.size()) : caret;
    face.sourceBox.SetSelection(at, at);
    panel.RunSearch();
    return panel.lastSearch();
  }

  OutcomeRecorder recorder;
};

// One Search and what it comes to. The directory box names `folder` (nullptr: left empty),
// made with `files` in it when there are any, missing otherwise. In `text`, DIR stands
// for the folder and REASON for the reason the outcome gives.
struct OutcomeCase {
  const char* name;
  const char* folder;
  std::vector<std::pair<const char*, const char*>> files;  // name, bytes
  const char* source;
  SearchOutcomeKind kind;
  const char* text;
  std::int32_t parts = 0;
  std::int32_t fileCount = 0;
  std::int32_t caret = kCaretAtEnd;
};

void PrintTo(const OutcomeCase& c, std::ostream* os) { *os << c.name; }

std::string Filled(std::string text, std::string_view key, std::string_view value) {
  const std::size_t at = text.find(key);
  return at == std::string::npos ? text : text.replace(at, key.size(), value);
}

class SearchOutcomeCases : public SearchOutcomeTest,
                           public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(SearchOutcomeCases, KeepsTheOutcomeAndItsStatusText) {
  const OutcomeCase& c = GetParam();
  std::string folder;
  if (c.folder != nullptr) {
    folder = c.files.empty() ? dir.Join(c.folder) : dir.MakeSubdir(c.folder);
    for (const auto& [name, bytes] : c.files) dir.Write(std::string(c.folder) + "/" + name, bytes);
    face.controls.directory = folder;
  }
  const SearchOutcome& outcome = SearchFrom(c.source, c.caret);
  ASSERT_EQ(outcome.kind, c.kind);
  EXPECT_EQ(SearchOutcomeText(outcome), Filled(Filled(c.text, "DIR", folder), "REASON", outcome.reason));
  EXPECT_EQ(outcome.reason.empty(), c.kind != SearchOutcomeKind::CannotRead);
  EXPECT_EQ(outcome.parts, c.parts);
  EXPECT_EQ(outcome.files, c.fileCount);
}

using enum SearchOutcomeKind;
const std::vector<std::pair<const char*, const char*>> kRoad = {{"a.txt", "the old road"}};

INSTANTIATE_TEST_SUITE_P(
    Searches, SearchOutcomeCases,
    ::testing::Values(
        OutcomeCase{"EmptyDirectoryBox", nullptr, {}, "the old road", NoDirectory,
                    "no directory chosen: type one into \"Base directory\" or pick it with \"...\""},
        OutcomeCase{"NoTextBeforeTheCaret", "corpus", kRoad, "", NoPattern,
                    "nothing to search for: no text before the caret"},
        OutcomeCase{"TextOnlyAfterTheCaret", "corpus", kRoad, "words after the caret", NoPattern,
                    "nothing to search for: no text before the caret", 0, 0, 0},
        OutcomeCase{"MissingDirectory", "absent", {}, "the old road", CannotRead,
                    "DIR cannot be read: REASON"},
        OutcomeCase{"DirectoryWithoutTextFiles", "notes", {{"readme.md", "the old road"}},
                    "the old road", NoTextFiles, "no .txt files in DIR"},
        OutcomeCase{"TextFilesWithoutAPart", "corpus", {{"a.txt", "nothing alike in here"}},
                    "the old road", NoMatch, "no match"},
        OutcomeCase{"PartsCountedWithTheFilesTheyLieIn", "corpus",
                    {{"a.txt", "by the old road. Then the old road bent."},
                     {"b.txt", "along the old road it went"},
                     {"c.txt", "no such words"}},
                    "down the old road", Found, "3 parts in 2 files", 3, 2},
        OutcomeCase{"OnePartInTheSingular", "corpus", {{"a.txt", "along the old road it went"}},
                    "down the old road", Found,
                    "1 part in 1 file", 1, 1}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(SearchOutcomeTest, EmptyDirectoryBoxStartsNothingAndReadsNoPattern) {
  ChooseBaseWith("the old road went on");
  const std::size_t timerCalls = face.timer.calls.size();
  SearchFrom("the old road");
  EXPECT_EQ(face.timer.calls.size(), timerCalls);
  EXPECT_EQ(panel.pattern(), "");
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
    void SearchReported(const SearchOutcome&) override { playing = panel.playing(); }
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
