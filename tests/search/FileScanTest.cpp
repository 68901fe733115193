// The ordered file scan: commit order, early stop and the rescan of a file that shrinks while mapped.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "search/FileScan.h"
#include "text/FileAccess.h"

namespace plinvaro {

// Reading options print readably in test output.
inline void PrintTo(const ScanOptions& options, std::ostream* os) {
  *os << options.threads << " thread(s), mapped from " << options.mapFromBytes << " bytes";
}

namespace {

using testing::TempDir;

// One hit per file: its first byte as the match length, so that a commit
// shows which bytes the scan saw.
void FirstByteScan(const unsigned char* bytes, std::int32_t size, std::size_t limit,
                   std::vector<ScanHit>& hits) {
  if (limit > 0) hits.push_back({bytes[0], size});
}

class OrderedScan : public ::testing::TestWithParam<ScanOptions> {
 protected:
  // Files "a0".."a<n-1>" whose first bytes are 'A' + i; every third one empty.
  std::vector<std::string> MakeFiles(const TempDir& dir, int n) {
    std::vector<std::string> paths;
    for (int i = 0; i < n; ++i) {
      const std::string text = i % 3 == 2 ? "" : std::string(1, static_cast<char>('A' + i)) + " text";
      paths.push_back(dir.Write("a" + std::to_string(i) + ".txt", text));
    }
    return paths;
  }
};

TEST_P(OrderedScan, CommitsEveryFileInOrder) {
  TempDir dir;
  const auto paths = MakeFiles(dir, 20);
  std::vector<std::int32_t> order;
  std::vector<int> firstBytes;
  ScanFilesInOrder(paths, GetParam(), 100, FirstByteScan, [&](std::int32_t i, FileScanResult& r) {
    order.push_back(i);
    EXPECT_EQ(r.openError != FileOpenError::Ok, i % 3 == 2) << "file " << i;
    if (!r.hits.empty()) firstBytes.push_back(r.hits[0].matchLength);
    return std::size_t{100};
  });
  ASSERT_EQ(order.size(), 20u);
  for (std::int32_t i = 0; i < 20; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
  ASSERT_EQ(firstBytes.size(), 14u);
  EXPECT_TRUE(std::is_sorted(firstBytes.begin(), firstBytes.end()));
}

TEST_P(OrderedScan, NothingIsCommittedAfterTheCommitThatEndsTheScan) {
  TempDir dir;
  const auto paths = MakeFiles(dir, 30);
  std::vector<std::int32_t> order;
  ScanFilesInOrder(paths, GetParam(), 5, FirstByteScan, [&](std::int32_t i, FileScanResult&) {
    order.push_back(i);
    return i == 7 ? std::size_t{0} : std::size_t{5};
  });
  EXPECT_EQ(order, (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_P(OrderedScan, LimitOfTheLastCommitBoundsTheHits) {
  TempDir dir;
  const std::vector<std::string> paths = {dir.Write("x.txt", "abc"), dir.Write("y.txt", "def")};
  const ByteScan everyByte = [](const unsigned char*, std::int32_t size, std::size_t limit,
                                std::vector<ScanHit>& hits) {
    for (std::int32_t i = size - 1; i >= 0 && hits.size() < limit; --i) hits.push_back({1, i});
  };
  std::vector<std::size_t> counts;
  ScanFilesInOrder(paths, GetParam(), 2, everyByte, [&](std::int32_t, FileScanResult& r) {
    counts.push_back(r.hits.size());
    return std::size_t{1};
  });
  // The second file may be scanned before the first is committed, with the
  // first limit; it is never given fewer hits than the commit asked for.
  ASSERT_EQ(counts.size(), 2u);
  EXPECT_EQ(counts[0], 2u);
  EXPECT_GE(counts[1], 1u);
  EXPECT_LE(counts[1], 2u);
}

#ifndef _WIN32
TEST_P(OrderedScan, NeverHoldsTwoFilesOverTheSlackAtOnce) {
  TempDir dir;
  std::vector<std::string> paths;
  for (int i = 0; i < 4; ++i) {
    const std::string path = dir.Write("big" + std::to_string(i) + ".txt", "x");
    ASSERT_EQ(::truncate(path.c_str(), kScanMemorySlack + 4096), 0);  // sparse
    paths.push_back(path);
    paths.push_back(dir.Write("small" + std::to_string(i) + ".txt", "small"));
  }
  std::mutex m;
  int bigHeld = 0;
  int mostBigHeld = 0;
  const ByteScan countBig = [&](const unsigned char* bytes, std::int32_t size, std::size_t,
                                std::vector<ScanHit>& hits) {
    const bool big = size > kScanMemorySlack;
    if (big) {
      std::lock_guard<std::mutex> lock(m);
      mostBigHeld = std::max(mostBigHeld, ++bigHeld);
    }
    hits.push_back({bytes[size / 2], size});
    if (big) {
      std::lock_guard<std::mutex> lock(m);
      --bigHeld;
    }
  };
  std::vector<std::int32_t> sizes;
  ScanFilesInOrder(paths, GetParam(), 10, countBig, [&](std::int32_t, FileScanResult& r) {
    sizes.push_back(r.fileSize);
    return std::size_t{10};
  });
  ASSERT_EQ(sizes.size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(sizes[i], i % 2 == 0 ? kScanMemorySlack + 4096 : 5);
  EXPECT_EQ(mostBigHeld, 1);
}

TEST_P(OrderedScan, FileThatShrinksWhileScannedIsScannedAgainAsItIsNow) {
  TempDir dir;
  const std::string big(3 * 1024 * 1024, 'q');
  const std::string path = dir.Write("big.txt", big);
  std::mutex m;
  int passes = 0;
  const ByteScan shrinkOnFirstPass = [&](const unsigned char* bytes, std::int32_t size,
                                         std::size_t, std::vector<ScanHit>& hits) {
    int pass;
    {
      std::lock_guard<std::mutex> lock(m);
      pass = ++passes;
    }
    if (pass == 1) {
      ASSERT_EQ(::truncate(path.c_str(), 5000), 0);
    }
    // Touch every byte, past the new end too: a fault here would end the test.
    std::int32_t qs = 0;
    for (std::int32_t i = 0; i < size; ++i) qs += bytes[i] == 'q' ? 1 : 0;
    hits.push_back({qs, size});
  };
  FileScanResult seen;
  ScanFilesInOrder({path}, GetParam(), 10, shrinkOnFirstPass, [&](std::int32_t, FileScanResult& r) {
    seen = r;
    return std::size_t{10};
  });
  ASSERT_EQ(seen.openError, FileOpenError::Ok);
  ASSERT_EQ(seen.hits.size(), 1u);
  // A mapped file is scanned twice, the second time as it is now; a copied
  // one keeps the bytes of the moment it was read.
  const bool mapped = GetParam().mapFromBytes <= static_cast<std::int32_t>(big.size());
  EXPECT_EQ(passes, mapped ? 2 : 1);
  EXPECT_EQ(seen.fileSize, mapped ? 5000 : 3 * 1024 * 1024);
  EXPECT_EQ(seen.hits[0].matchLength, seen.fileSize);
}

TEST(PassView, ReadsPastTheNewEndOfAShrunkMappedFileAsZeros) {
  TempDir dir;
  const std::string path = dir.Write("p.txt", std::string(1 << 20, 'z'));
  PassView view;
  ASSERT_EQ(view.Open(path), FileOpenError::Ok);
  ASSERT_EQ(view.Load(1), FileOpenError::Ok);
  ASSERT_EQ(::truncate(path.c_str(), 10000), 0);
  EXPECT_EQ(view.data()[9999], 'z');
  EXPECT_EQ(view.data()[(1 << 20) - 1], 0);
  EXPECT_TRUE(view.Shrank());
  view.Close();
  // The guard is free again for the next file.
  ASSERT_EQ(view.Open(path), FileOpenError::Ok);
  ASSERT_EQ(view.Load(1), FileOpenError::Ok);
  EXPECT_EQ(view.size(), 10000);
  EXPECT_FALSE(view.Shrank());
}

TEST(PassView, CopiesSmallFilesAndRefusesWhatFileViewRefuses) {
  TempDir dir;
  PassView view;
  ASSERT_EQ(view.Open(dir.Write("s.txt", "small")), FileOpenError::Ok);
  ASSERT_EQ(view.Load(INT32_MAX), FileOpenError::Ok);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(view.data()), 5), "small");
  EXPECT_EQ(view.Open(dir.Write("e.txt", "")), FileOpenError::CannotOpen);
  EXPECT_EQ(view.Open(dir.MakeSubdir("d.txt")), FileOpenError::CannotOpen);
  EXPECT_EQ(view.Open(dir.Join("missing.txt")), FileOpenError::CannotOpen);
  EXPECT_EQ(view.data(), nullptr);
}

TEST(PassView, SecondViewOnTheSameThreadCopiesInsteadOfMapping) {
  TempDir dir;
  const std::string path = dir.Write("m.txt", std::string(100000, 'm'));
  PassView first;
  PassView second;
  ASSERT_EQ(first.Open(path), FileOpenError::Ok);
  ASSERT_EQ(first.Load(1), FileOpenError::Ok);
  ASSERT_EQ(second.Open(path), FileOpenError::Ok);
  ASSERT_EQ(second.Load(1), FileOpenError::Ok);
  // The second is an unguarded copy, which a truncation cannot touch.
  ASSERT_EQ(::truncate(path.c_str(), 0), 0);
  EXPECT_EQ(second.data()[99999], 'm');
  EXPECT_FALSE(second.Shrank());
  EXPECT_EQ(first.data()[99999], 0);
  EXPECT_TRUE(first.Shrank());
}
#endif

std::string OptionsName(const ::testing::TestParamInfo<ScanOptions>& info) {
  return (info.param.threads == 1 ? std::string("OneThread") : std::string("TwoThreads")) +
         (info.param.mapFromBytes == 1 ? "Mapped" : "Copied");
}

INSTANTIATE_TEST_SUITE_P(Readings, OrderedScan,
                         ::testing::Values(ScanOptions{1, INT32_MAX}, ScanOptions{1, 1},
                                           ScanOptions{2, INT32_MAX}, ScanOptions{2, 1}),
                         OptionsName);

}  // namespace
}  // namespace plinvaro
