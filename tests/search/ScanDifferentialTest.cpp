// The production scan against the plain oracle on many random corpora and patterns, per kernel, with and without match case.
#include <gtest/gtest.h>

#include <random>

#include "ScanTestSupport.h"
#include "search/PatternText.h"

namespace plinvaro {
namespace {

using testing::TempDir;

// Few distinct bytes, so that words and matches repeat often; includes every
// kind of separator, a NUL, a high byte and a letter in both cases.
constexpr char kAlphabet[] = "aabbbBcd    ..,'\n\r\t?-\xe9";
constexpr std::size_t kAlphabetSize = sizeof kAlphabet - 1;

std::string RandomText(std::mt19937& rng, std::size_t size) {
  std::uniform_int_distribution<std::size_t> pick(0, kAlphabetSize);  // one past: NUL
  std::string text(size, '\0');
  for (char& c : text) {
    const std::size_t i = pick(rng);
    c = i == kAlphabetSize ? '\0' : kAlphabet[i];
  }
  return text;
}

std::size_t Uniform(std::mt19937& rng, std::size_t lo, std::size_t hi) {
  return std::uniform_int_distribution<std::size_t>(lo, hi)(rng);
}

// A pattern as the Search command builds it: a cut of some file's text, its
// last 63 bytes, trailing separators dropped. Now and then left untrimmed or
// random, to drive the rarely used paths too.
std::string MakePattern(std::mt19937& rng, const std::vector<std::string>& texts) {
  const std::string& source = texts[Uniform(rng, 0, texts.size() - 1)];
  std::string raw;
  if (!source.empty() && Uniform(rng, 0, 9) != 0) {
    const std::size_t end = Uniform(rng, 1, source.size());
    const std::size_t length = Uniform(rng, 1, std::min<std::size_t>(end, 80));
    raw = source.substr(end - length, length);
  } else {
    raw = RandomText(rng, Uniform(rng, 0, 12));
  }
  const int mode = static_cast<int>(Uniform(rng, 0, 19));
  if (mode == 0) return raw;  // untrimmed
  return TrimSeparators(PatternTail(raw));
}

class ScanDifferential : public ::testing::TestWithParam<testing::ScanSetup> {};

TEST_P(ScanDifferential, AgreesWithTheOracleOnRandomCorpora) {
  std::mt19937 rng(20261207u + static_cast<unsigned>(GetParam().kernel));
  for (int round = 0; round < 120; ++round) {
    TempDir dir;
    std::vector<std::string> texts;
    const std::size_t fileCount = Uniform(rng, 1, 6);
    for (std::size_t f = 0; f < fileCount; ++f) {
      const int kind = static_cast<int>(Uniform(rng, 0, 11));
      const std::string name = "f" + std::to_string(f) + (f % 3 == 0 ? ".TXT" : ".txt");
      if (kind == 0) {
        dir.Write(name, "");
        continue;
      }
      if (kind == 1) {
        dir.MakeSubdir(name);
        continue;
      }
      const std::size_t size = kind < 5 ? Uniform(rng, 1, 70) : Uniform(rng, 100, 4000);
      texts.push_back(RandomText(rng, size));
      dir.Write(name, texts.back());
    }
    dir.Write("ignored.md", "the same text that is not listed");
    if (texts.empty()) texts.push_back("a b");
    TextSearcher searcher;
    for (int p = 0; p < 8; ++p) {
      const std::string pattern = MakePattern(rng, texts);
      for (const bool matchCase : {true, false}) {
        searcher.SetMatchCase(matchCase);
        const auto parts = testing::Search(searcher, dir.path(), pattern, GetParam());
        ASSERT_EQ(parts, testing::OracleParts(searcher, pattern))
            << "round " << round << " pattern '" << pattern << "' match case " << matchCase;
      }
    }
  }
}

TEST_P(ScanDifferential, AgreesOnManyMatchesAcrossBlockBoundaries) {
  // Long runs of one short word put matches at every offset relative to the
  // SIMD blocks, and make the part limit bite.
  std::mt19937 rng(7u + static_cast<unsigned>(GetParam().kernel));
  for (int round = 0; round < 40; ++round) {
    TempDir dir;
    std::string text;
    const std::size_t words = Uniform(rng, 1, 400);
    for (std::size_t w = 0; w < words; ++w) {
      if (Uniform(rng, 0, 3) == 0)
        text += Uniform(rng, 0, 1) == 0 ? "ab" : "aB";
      else
        text += "b";
      text += Uniform(rng, 0, 5) == 0 ? ". " : " ";
    }
    dir.Write("one.txt", text);
    dir.Write("two.txt", text.substr(Uniform(rng, 0, text.size() - 1)));
    TextSearcher searcher;
    for (const std::string pattern : {"ab b", "b ab", "b b", "ab", "b. ab", "ab ab b", "AB b"}) {
      for (const bool matchCase : {true, false}) {
        searcher.SetMatchCase(matchCase);
        const auto parts = testing::Search(searcher, dir.path(), pattern, GetParam());
        ASSERT_EQ(parts, testing::OracleParts(searcher, pattern))
            << "pattern '" << pattern << "' match case " << matchCase;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Kernels, ScanDifferential,
                         ::testing::ValuesIn(testing::AvailableSetups()),
                         testing::SetupParamName());

}  // namespace
}  // namespace plinvaro
