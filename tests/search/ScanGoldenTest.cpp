// Golden cases of the continuation scan, run through every scan kernel, with and without match case.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <sstream>

#include "ScanTestSupport.h"

namespace plinvaro {
namespace {

using testing::NamedPart;
using testing::TempDir;

constexpr const char* kSubdir = "<subdirectory>";

// A string literal with every byte in it, NULs included.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

struct GoldenCase {
  const char* name;
  std::map<std::string, std::string> files;  // name -> bytes, or kSubdir
  std::string pattern;
  using Found = std::map<std::string, std::vector<std::pair<int, int>>>;
  Found found;  // per file, in found order
  std::optional<Found> foldedFound = std::nullopt;  // regardless of case, when that differs
};

const std::vector<GoldenCase>& Cases() {
  static const std::vector<GoldenCase> cases = {
      {"LetterCaseMatters", {{"a.txt", "The cat sat"}}, "the cat", {{"a.txt", {{6, 7}}}},
       GoldenCase::Found{{"a.txt", {{7, 7}}}}},
      {"StartOfFileIsABoundary", {{"a.txt", "cat sat"}}, "the cat", {{"a.txt", {{3, 3}}}}},
      {"PunctBeforeMatchIsABoundary", {{"a.txt", "(cat) ran"}}, "the cat", {{"a.txt", {{3, 4}}}}},
      {"PunctInsideTheWordIsASeparator", {{"a.txt", "xdon't see"}}, "we don't",
       {{"a.txt", {{5, 6}}}}},
      {"WordInsideAnotherWordIsNotAMatch", {{"a.txt", "a bobcat ran, the cats ran"}}, "the cat",
       {}},
      {"LastMatchFollowedOnlyBySeparatorsEndsTheFile",
       {{"a.txt", "the cat sat. Is it the cat?\n"}}, "the cat", {}},
      {"SingleByteLastWordNeedsTheWordBefore", {{"a.txt", "a b. x a b"}}, "x a",
       {{"a.txt", {{3, 8}}}}},
      {"SingleBytePatternFindsNothing", {{"a.txt", "a b a c"}}, "a", {}},
      {"EmptyPatternFindsNothing", {{"a.txt", "some text here"}}, "", {}},
      {"PartsOfEqualLengthKeepFileOrderHigherOffsetFirst",
       {{"a.txt", "so cat one, cat two; cat three"}}, "the cat",
       {{"a.txt", {{4, 24}, {4, 15}, {4, 6}}}}},
      {"MatchesNeverOverlap", {{"a.txt", "the the the the end"}}, "the the",
       {{"a.txt", {{7, 15}, {7, 7}}}}},
      {"EmptyFileAndSubdirectoryAreSkipped",
       {{"a.txt", ""}, {"b.txt", kSubdir}, {"c.txt", "I saw the cat run."}}, "the cat",
       {{"c.txt", {{7, 13}}}}},
      {"HighBytesAndNulAreWordBytes",
       {{"a.txt", Bytes("x\xe9t\xe9 \0cat ran. \xe9t\xe9 cat go")}}, "\xe9t\xe9 cat",
       {{"a.txt", {{7, 22}}}}},
      {"CrLfSeparatesWords", {{"a.txt", "go home\r\nnow. go home\r\nthen"}}, "we go home",
       {{"a.txt", {{8, 21}, {7, 7}}}}},
      {"MatchRunningBackToTheFirstByte", {{"a.txt", "he cat, yes"}}, "the cat",
       {{"a.txt", {{6, 6}}}}},
      {"WholeShortFileMatched", {{"a.txt", "cat, then"}}, "big cat", {{"a.txt", {{3, 3}}}}},
      {"MatchStartingWithASeparatorRightBehindTheNextOne", {{"a.txt", "q ab ab cd"}}, "x ab",
       {{"a.txt", {{3, 7}, {3, 4}}}}},
  };
  return cases;
}

using GoldenParam = std::tuple<std::size_t, testing::ScanSetup, bool>;  // case, setup, match case

class ScanGolden : public ::testing::TestWithParam<GoldenParam> {};

TEST_P(ScanGolden, MatchesTheExpectedParts) {
  const GoldenCase& c = Cases()[std::get<0>(GetParam())];
  const bool matchCase = std::get<2>(GetParam());
  const GoldenCase::Found& found = !matchCase && c.foldedFound ? *c.foldedFound : c.found;
  TempDir dir;
  for (const auto& [name, bytes] : c.files) {
    if (bytes == kSubdir)
      dir.MakeSubdir(name);
    else
      dir.Write(name, bytes);
  }
  TextSearcher searcher;
  searcher.SetMatchCase(matchCase);
  const auto parts = testing::Search(searcher, dir.path(), c.pattern, std::get<1>(GetParam()));
  std::vector<NamedPart> expected;
  for (const std::string& path : searcher.files()) {
    const auto it = found.find(testing::BaseName(path));
    if (it == found.end()) continue;
    for (auto [m, o] : it->second) expected.push_back({m, o, it->first});
  }
  std::stable_sort(expected.begin(), expected.end(),
                   [](const NamedPart& a, const NamedPart& b) { return a.matchLength > b.matchLength; });
  EXPECT_EQ(parts, expected);
  EXPECT_EQ(parts, testing::OracleParts(searcher, c.pattern));
}

std::vector<GoldenParam> AllCombinations() {
  std::vector<GoldenParam> all;
  for (std::size_t i = 0; i < Cases().size(); ++i)
    for (const testing::ScanSetup& setup : testing::AvailableSetups())
      for (const bool matchCase : {true, false}) all.emplace_back(i, setup, matchCase);
  return all;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScanGolden, ::testing::ValuesIn(AllCombinations()),
    [](const ::testing::TestParamInfo<GoldenParam>& param) {
      return std::string(Cases()[std::get<0>(param.param)].name) + "_" +
             KernelName(std::get<1>(param.param).kernel) + "_" + std::get<1>(param.param).reading +
             (std::get<2>(param.param) ? "" : "_folded");
    });

std::string Repeat(const std::string& unit, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += unit;
  return out;
}

TEST(ScanLimit, SixtyMatchesInOneFileGiveTheFiftyOneNearestTheEnd) {
  TempDir dir;
  dir.Write("a.txt", Repeat("the cat ran. ", 60));
  dir.Write("b.txt", Repeat("the cat sat. ", 5));
  TextSearcher searcher;
  for (ScanKernel kernel : testing::AvailableKernels()) {
    const auto parts = testing::Search(searcher, dir.path(), "the cat", kernel);
    ASSERT_EQ(parts.size(), 51u);
    const bool aFirst = testing::BaseName(searcher.files()[0]) == "a.txt";
    const std::string full = aFirst ? "a.txt" : "b.txt";
    if (aFirst) {
      EXPECT_EQ(searcher.stats().filesScanned, 1);  // no later entry is opened
      for (int i = 0; i < 51; ++i) EXPECT_EQ(parts[i], (NamedPart{7, 13 * (59 - i) + 7, "a.txt"}));
    } else {
      EXPECT_EQ(std::count_if(parts.begin(), parts.end(),
                              [](const NamedPart& p) { return p.file == "b.txt"; }), 5);
    }
  }
}

TEST(ScanLimit, TwoFilesOfThirtyGiveThirtyAndTwentyOne) {
  TempDir dir;
  dir.Write("a.txt", Repeat("the cat ran. ", 30));
  dir.Write("b.txt", Repeat("the cat sat. ", 30));
  TextSearcher searcher;
  for (ScanKernel kernel : testing::AvailableKernels()) {
    const auto parts = testing::Search(searcher, dir.path(), "the cat", kernel);
    ASSERT_EQ(parts.size(), 51u);
    const std::string first = testing::BaseName(searcher.files()[0]);
    EXPECT_EQ(std::count_if(parts.begin(), parts.end(),
                            [&](const NamedPart& p) { return p.file == first; }), 30);
    EXPECT_EQ(parts, testing::OracleParts(searcher, "the cat"));
  }
}

TEST(ScanSkips, EmptyFileNoLongerHidesTheFilesAfterIt) {
  TempDir dir;
  for (int i = 0; i < 6; ++i) dir.Write("e" + std::to_string(i) + ".txt", "");
  for (int i = 0; i < 6; ++i) dir.Write("t" + std::to_string(i) + ".txt", "x the cat " + std::to_string(i) + " y");
  dir.MakeSubdir("dir.txt");
  TextSearcher searcher;
  const auto parts = testing::Search(searcher, dir.path(), "the cat");
  EXPECT_EQ(parts.size(), 6u);
  EXPECT_EQ(searcher.stats().filesSkipped, 7);
  EXPECT_EQ(searcher.stats().filesScanned, 6);
}

}  // namespace
}  // namespace plinvaro
