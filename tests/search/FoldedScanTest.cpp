// The scan regardless of case: a table of English and German UTF-8 cases, cut patterns, letters of other lengths, blocks.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "ScanTestSupport.h"
#include "search/FoldedFinder.h"
#include "search/PatternText.h"

namespace plinvaro {
namespace {

using testing::NamedPart;
using testing::TempDir;

struct FoldedCase {
  const char* name;
  std::string text;     // one file
  std::string pattern;  // as the Search command passes it (last 63 bytes, trimmed)
  std::vector<std::pair<int, int>> found;  // (matchLength in file bytes, offset), final order
};

// A pattern cut the way the caret's last 63 bytes cut it: `bytes` from the end.
std::string Tail(const std::string& text, std::size_t bytes) { return text.substr(text.size() - bytes); }

const std::vector<FoldedCase>& Cases() {
  static const std::vector<FoldedCase> cases = {
      {"AsciiCaseIgnored", "THE CAT sat. The Cat ran.", "the cat", {{7, 20}, {7, 7}}},
      {"MixedCaseWordInsideAWordStillNoMatch", "a BOBCAT ran, the Cats ran", "the cat", {}},
      {"FoldedMatchNeedsTheWordEnd", "The Cats slept. THE CAT woke", "the cat", {{7, 23}}},
      {"UmlautUpperMatchesLower", "Das MÄDCHEN lief. Das Mädchen lief.", "das mädchen",
       {{12, 31}, {12, 12}}},
      {"UmlautLowerMatchesUpper", "über die Brücke ging sie.", "ÜBER DIE BRÜCKE", {{17, 17}}},
      {"AcuteAccentBothWays", "Élan. CAFÉ noir, café au lait", "un café", {{6, 24}, {6, 12}}},
      {"SharpSIsItsOwnFold", "Die STRASSE. Die Straße. Die STRAẞE war.", "die straße",
       {{12, 38}, {11, 24}}},
      {"SharpSNeverMatchesSs", "die strasse geht", "straße", {}},
      {"LongSAndKelvinSignFoldToAscii", "des Waſſers. 3 \xE2\x84\xAA" "elvin.", "wassers",
       {{9, 13}}},
      {"KelvinSignInThePattern", "three kelvin. Kelvin was", "3 \xE2\x84\xAA" "elvin",
       {{7, 20}, {7, 12}}},
      {"GreekFinalSigmaIsSigma", "ΟΔΟΣ και οδος, η ΟΔΟΣ ήταν", "η οδοσ", {{11, 37}, {9, 24}, {8, 8}}},
      {"CutInsideAnUmlautMatchesItsTail", "Ein Mädchen. Ein MäDCHEN lief", Tail("Mädchen", 6),
       {{6, 26}, {6, 12}}},
      {"CutUmlautTailIsComparedAsBytes", "Ein MÄDCHEN lief", Tail("Mädchen", 6), {}},
      {"CutInsideThreeBytesWithWordsBefore", "so der Weg \xE2\x80\x94 gehen WIR heim",
       Tail("\xE2\x80\x94 gehen wir", 11), {{11, 24}}},
      {"InvalidBytesCompareAsThemselves", "x\xC3 Haus \xE9t\xE9 HAUS ja", "\xE9t\xE9 haus",
       {{8, 16}, {5, 7}}},
      {"TruncatedSequenceAtTheFileEnd", "ein HAUS ist\xC3", "ein haus", {{8, 8}}},
  };
  return cases;
}

class FoldedScan : public ::testing::TestWithParam<std::tuple<std::size_t, testing::ScanSetup>> {};

TEST_P(FoldedScan, FindsTheExpectedPartsAsTheReferenceDoes) {
  const FoldedCase& c = Cases()[std::get<0>(GetParam())];
  TempDir dir;
  dir.Write("a.txt", c.text);
  TextSearcher searcher;
  searcher.SetMatchCase(false);
  const auto parts = testing::Search(searcher, dir.path(), c.pattern, std::get<1>(GetParam()));
  std::vector<NamedPart> expected;
  for (auto [m, o] : c.found) expected.push_back({m, o, "a.txt"});
  EXPECT_EQ(parts, expected);
  EXPECT_EQ(parts, testing::OracleParts(searcher, c.pattern));
  // Every part's offset is a byte of the file right after the matched text.
  for (const NamedPart& p : parts) ASSERT_LE(p.offset, static_cast<int>(c.text.size()));
}

std::vector<std::tuple<std::size_t, testing::ScanSetup>> AllCombinations() {
  std::vector<std::tuple<std::size_t, testing::ScanSetup>> all;
  for (std::size_t i = 0; i < Cases().size(); ++i)
    for (const testing::ScanSetup& setup : testing::AvailableSetups()) all.emplace_back(i, setup);
  return all;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FoldedScan, ::testing::ValuesIn(AllCombinations()),
    [](const ::testing::TestParamInfo<std::tuple<std::size_t, testing::ScanSetup>>& param) {
      return std::string(Cases()[std::get<0>(param.param)].name) + "_" +
             KernelName(std::get<1>(param.param).kernel) + "_" + std::get<1>(param.param).reading;
    });

// Tokens of mixed case and length: ASCII, Latin-1 letters in UTF-8, the
// letters with a case of another length, separators, broken sequences.
const std::vector<std::string>& Tokens() {
  static const std::vector<std::string> tokens = {
      "a", "A", "s", "S", "k", "K", "\xC5\xBF", "\xE2\x84\xAA", "\xC3\xA4", "\xC3\x84",
      "\xC3\x9F", "\xE1\xBA\x9E", "\xC3\xA9", "\xC3\x89", "\xCF\x82", "\xCF\x83", "\xCE\xA3", " ",
      " ", " ", ".", ",", "\n", "'", "\xE9", "\x84", "\xE2\x84", "\xF0\x9F\x98\x80", "t", "T"};
  return tokens;
}

std::string RandomTokens(std::mt19937& rng, std::size_t count) {
  std::uniform_int_distribution<std::size_t> pick(0, Tokens().size() - 1);
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += Tokens()[pick(rng)];
  return text;
}

class FoldedDifferential : public ::testing::TestWithParam<testing::ScanSetup> {};

TEST_P(FoldedDifferential, AgreesWithTheReferenceOnRandomUtf8) {
  std::mt19937 rng(4242u + static_cast<unsigned>(GetParam().kernel));
  for (int round = 0; round < 60; ++round) {
    TempDir dir;
    std::vector<std::string> texts;
    for (int f = 0; f < 3; ++f) {
      texts.push_back(RandomTokens(rng, std::uniform_int_distribution<std::size_t>(1, 900)(rng)));
      dir.Write("f" + std::to_string(f) + ".txt", texts.back());
    }
    TextSearcher searcher;
    searcher.SetMatchCase(false);
    for (int p = 0; p < 8; ++p) {
      // A cut anywhere in some file's text, so patterns start inside characters too.
      const std::string& source = texts[static_cast<std::size_t>(p) % texts.size()];
      const std::size_t end = std::uniform_int_distribution<std::size_t>(1, source.size())(rng);
      const std::size_t length = std::uniform_int_distribution<std::size_t>(1, std::min<std::size_t>(end, 40))(rng);
      const std::string pattern = TrimSeparators(PatternTail(source.substr(end - length, length)));
      const auto parts = testing::Search(searcher, dir.path(), pattern, GetParam());
      ASSERT_EQ(parts, testing::OracleParts(searcher, pattern))
          << "round " << round << " pattern '" << pattern << "'";
    }
  }
}

TEST_P(FoldedDifferential, LettersOfAnotherLengthNearBlockEdges) {
  // Long s and the Kelvin sign around the finder's block edges, where the
  // filter changes, and matches that straddle them.
  const std::int64_t block = FoldedFinder::kBlockBytes;
  std::mt19937 rng(99u + static_cast<unsigned>(GetParam().kernel));
  for (int round = 0; round < 6; ++round) {
    std::string text;
    while (static_cast<std::int64_t>(text.size()) < 3 * block) {
      const auto edge = static_cast<std::int64_t>(text.size()) % block;
      const bool nearEdge = edge < 24 || edge > block - 24;
      text += nearEdge ? (rng() % 2 ? "WAſſER " : "ſee \xE2\x84\xAA" "eel ") : (rng() % 3 ? "wasser " : "see keel. ");
    }
    TempDir dir;
    dir.Write("long.txt", text);
    TextSearcher searcher;
    searcher.SetMatchCase(false);
    for (const std::string pattern : {"wasser", "see keel", "ſee", "\xE2\x84\xAA" "eel", "WAſſER ſee"}) {
      const auto parts = testing::Search(searcher, dir.path(), pattern, GetParam());
      ASSERT_EQ(parts, testing::OracleParts(searcher, pattern)) << "pattern '" << pattern << "'";
    }
  }
}

// Where a letter matched a case of another UTF-8 length, each part names the
// pattern's bytes it matched, also once its results were carried as values.
TEST(FoldedScanPattern, PartsKeepThePatternBytesTheyMatched) {
  const std::string k = "\xE2\x84\xAA";  // the Kelvin sign
  for (const auto& [text, pattern, matched] : std::vector<std::array<std::string, 3>>{
           {"three kelvin. Kelvin was", "3 " + k + "elvin", " " + k + "elvin"},
           {"so 3 " + k + "elvin. cold", "we saw 3 kelvin", " 3 kelvin"},
           {"Die STRA\xE1\xBA\x9E" "E war", "die stra\xC3\x9F" "e", "die stra\xC3\x9F" "e"}}) {
    TempDir dir;
    dir.Write("a.txt", text);
    TextSearcher searcher, carried;
    searcher.SetMatchCase(false);
    ASSERT_FALSE(testing::Search(searcher, dir.path(), pattern).empty()) << pattern;
    carried.AdoptResults(searcher.ExportResults());
    for (const TextSearcher* held : {&searcher, &carried})
      for (const auto& part : held->parts()) EXPECT_EQ(held->MatchedPattern(*part), matched) << pattern;
  }
}

INSTANTIATE_TEST_SUITE_P(Kernels, FoldedDifferential,
                         ::testing::ValuesIn(testing::AvailableSetups()),
                         testing::SetupParamName());

}  // namespace
}  // namespace plinvaro
