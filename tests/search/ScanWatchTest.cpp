// The scan's watch: progress per committed file, cancelling between files and within a file, block edges.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "ScanTestSupport.h"

namespace plinvaro {
namespace {

using testing::TempDir;

class WatchedScan : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 4; ++i)
      dir.Write("f" + std::to_string(i) + ".txt", "the old road and the old road again ");
  }
  TempDir dir;
  TextSearcher searcher;
  std::vector<ScanProgress> seen;
};

TEST_F(WatchedScan, ReportsTheListingThenEachFileWithItsBytes) {
  searcher.SetScanOptions({1, 512 * 1024});
  searcher.SetScanWatch({[this](const ScanProgress& p) { seen.push_back(p); }, nullptr});
  searcher.EnumerateFiles(dir.path(), "old road");
  ASSERT_EQ(seen.size(), 5u);
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].filesListed, 4);
    EXPECT_EQ(seen[i].filesDone, static_cast<std::int32_t>(i));
    EXPECT_EQ(seen[i].bytesDone, 36 * static_cast<std::int64_t>(i));
  }
  EXPECT_FALSE(searcher.cancelled());
  EXPECT_GT(searcher.PartCount(), 0);
}

TEST_F(WatchedScan, ACancelBetweenFilesEndsTheScanAndSaysSo) {
  std::atomic<bool> cancel{false};
  searcher.SetScanOptions({1, 512 * 1024});
  searcher.SetScanWatch({[&](const ScanProgress& p) {
                           if (p.filesDone == 1) cancel = true;
                         },
                         &cancel});
  searcher.EnumerateFiles(dir.path(), "old road");
  EXPECT_TRUE(searcher.cancelled());
  EXPECT_LT(searcher.stats().filesScanned, 4);
  // A new scan without the flag set runs to the end.
  cancel = false;
  searcher.SetScanWatch({});
  searcher.ClearResults();
  searcher.EnumerateFiles(dir.path(), "old road");
  EXPECT_FALSE(searcher.cancelled());
  EXPECT_EQ(searcher.stats().filesScanned, 4);
}

TEST_F(WatchedScan, ASetFlagStopsWithinOneLargeFile) {
  TempDir big;
  big.Write("big.txt", std::string(static_cast<std::size_t>(3 * kScanBlockBytes), 'x') + " old road ");
  std::atomic<bool> cancel{true};
  searcher.SetScanWatch({nullptr, &cancel});
  for (const std::string pattern : {"old road", "road "}) {
    searcher.ClearResults();
    searcher.EnumerateFiles(big.path(), pattern);
    EXPECT_TRUE(searcher.cancelled()) << pattern;
    EXPECT_EQ(searcher.PartCount(), 0) << pattern;
  }
}

// Needles that lie across the edges of the scan's blocks are found as the oracle finds them.
TEST(ScanBlocks, MatchesAcrossBlockEdgesAreAllFound) {
  TempDir dir;
  const std::string word = "quillwind";
  std::string text(static_cast<std::size_t>(2 * kScanBlockBytes + 4096), 'a');
  for (std::int64_t edge : {kScanBlockBytes, 2 * kScanBlockBytes}) {
    // Offsets are taken from the file's end, where the blocks start.
    const std::int64_t end = static_cast<std::int64_t>(text.size()) - edge;
    for (std::int64_t shift = -12; shift <= 12; shift += 3) {
      const auto at = static_cast<std::size_t>(end + shift);
      text.replace(at - 1, word.size() + 2, " " + word + " ");
    }
  }
  dir.Write("edges.txt", text);
  TextSearcher searcher;
  for (ScanKernel kernel : testing::AvailableKernels()) {
    const auto parts = testing::Search(searcher, dir.path(), "old " + word, kernel);
    EXPECT_EQ(parts, testing::OracleParts(searcher, "old " + word)) << KernelName(kernel);
    EXPECT_FALSE(parts.empty());
  }
}

TEST(ScanResults, TakeResultsMovesPartsFilesAndPatternAndEmptiesTheGiver) {
  TempDir dir;
  dir.Write("a.txt", "the cat sat. the cat ran.");
  TextSearcher from;
  from.EnumerateFiles(dir.path(), "the cat");
  const auto parts = testing::NamedParts(from);
  ASSERT_FALSE(parts.empty());
  TextSearcher into;
  into.TakeResults(from);
  EXPECT_EQ(testing::NamedParts(into), parts);
  EXPECT_EQ(into.pattern(), "the cat");
  EXPECT_EQ(into.files().size(), 1u);
  EXPECT_EQ(into.currentPart, into.EndPart());
  EXPECT_EQ(from.PartCount(), 0);
  EXPECT_TRUE(from.files().empty());
}

TEST(ScanResults, ValuesCarryAScanWholeAndDropPartsThatPointNowhere) {
  TempDir dir;
  dir.Write("a.txt", "the cat sat. the cat ran.");
  dir.Write("b.txt", "a cat sat. the cat slept.");
  TextSearcher from;
  from.EnumerateFiles(dir.path(), "the cat");
  ScanResults values = from.ExportResults();
  ASSERT_GT(values.parts.size(), 1u);
  TextSearcher into;
  into.AdoptResults(values);
  EXPECT_EQ(testing::NamedParts(into), testing::NamedParts(from));
  EXPECT_EQ(into.minMatchLength(), from.minMatchLength());
  EXPECT_EQ(into.stats().bytesScanned, from.stats().bytesScanned);
  EXPECT_EQ(into.currentPart, into.EndPart());

  const std::size_t kept = values.parts.size();
  values.parts.push_back({7, 0, 2, 10});   // no third file
  values.parts.push_back({7, -1, 0, 10});  // before the file
  into.AdoptResults(values);
  EXPECT_EQ(into.PartCount(), static_cast<std::int32_t>(kept));
}

}  // namespace
}  // namespace plinvaro
