// TextSearcher: a three-file corpus, listing and paths, results lifecycle, loading of part text.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <map>

#include "ScanTestSupport.h"

namespace plinvaro {
namespace {

using testing::NamedPart;
using testing::TempDir;

class ThreeFileCorpus : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("f0.txt", "I saw the cat run. A bobcat ran. Then a cat sat. The cats slept.");
    dir.Write("f1.txt", "Where is the cat?\n");
    dir.Write("f2.txt", "So the cat.\nAnd the cat ate.");
  }
  TempDir dir;
  TextSearcher searcher;
};

TEST_F(ThreeFileCorpus, FindsAndSortsThePartsOfTheThreeFiles) {
  const std::map<std::string, std::vector<NamedPart>> foundPerFile = {
      {"f0.txt", {{4, 43, "f0.txt"}, {7, 13, "f0.txt"}}},
      {"f1.txt", {}},
      {"f2.txt", {{7, 23, "f2.txt"}, {7, 10, "f2.txt"}}},
  };
  for (ScanKernel kernel : testing::AvailableKernels()) {
    const auto parts = testing::Search(searcher, dir.path(), "the cat", kernel);
    ASSERT_EQ(searcher.files().size(), 3u);
    // Found order follows the listing; the sort is stable on matchLength.
    std::vector<NamedPart> expected;
    for (const std::string& path : searcher.files())
      for (const NamedPart& p : foundPerFile.at(testing::BaseName(path))) expected.push_back(p);
    std::stable_sort(expected.begin(), expected.end(),
                     [](const NamedPart& a, const NamedPart& b) { return a.matchLength > b.matchLength; });
    EXPECT_EQ(parts, expected) << KernelName(kernel);
    EXPECT_EQ(searcher.minMatchLength(), 3);
    for (const auto& part : searcher.parts())
      EXPECT_EQ(part->fileSize, testing::BaseName(searcher.FilePath(part->fileIndex)) == "f0.txt" ? 64 : 28);
  }
}

TEST_F(ThreeFileCorpus, TrailingSeparatorOfTheDirectoryIsKeptInPaths) {
  searcher.EnumerateFiles(dir.path() + "/", "the cat");
  ASSERT_EQ(searcher.files().size(), 3u);
  for (const std::string& path : searcher.files()) EXPECT_EQ(path.rfind(dir.path() + "/f", 0), 0u);
  const auto withSlash = testing::NamedParts(searcher);
  searcher.ClearResults();
  searcher.EnumerateFiles(dir.path(), "the cat");
  const std::string joined = dir.path() + kPathSeparator + "f";
  for (const std::string& path : searcher.files()) EXPECT_EQ(path.rfind(joined, 0), 0u);
  EXPECT_EQ(testing::NamedParts(searcher), withSlash);
}

TEST_F(ThreeFileCorpus, EnumeratingTwiceAppendsTheSecondListing) {
  searcher.EnumerateFiles(dir.path(), "the cat");
  searcher.EnumerateFiles(dir.path(), "the cat");
  EXPECT_EQ(searcher.files().size(), 6u);
  searcher.ClearResults();
  EXPECT_TRUE(searcher.files().empty());
  EXPECT_EQ(searcher.PartCount(), 0);
  EXPECT_TRUE(searcher.currentPart == searcher.EndPart());
}

#ifndef _WIN32
TEST(TextSearcher, BackslashIsAnOrdinaryNameByteOnThisPlatform) {
  TempDir dir;
  const std::string odd = dir.MakeSubdir("odd\\");
  std::ofstream(odd + "/a.txt") << "I saw the cat run.";
  TextSearcher searcher;
  searcher.EnumerateFiles(odd, "the cat");
  ASSERT_EQ(searcher.files().size(), 1u);
  EXPECT_EQ(searcher.files()[0], odd + "/a.txt");
  EXPECT_EQ(searcher.PartCount(), 1);
}
#endif

TEST(TextSearcher, RootDirectoryIsListedAsItselfWithOneSlashBeforeEachName) {
  TextSearcher searcher;
  searcher.EnumerateFiles("/", "zq xj");
  EXPECT_EQ(searcher.listStatus(), ListStatus::Ok) << searcher.listErrorText();
  const DirectoryListing listing = ListTextFileNames("/");
  ASSERT_EQ(searcher.files().size(), listing.names.size());
  for (std::size_t i = 0; i < listing.names.size(); ++i)
    EXPECT_EQ(searcher.files()[i], "/" + listing.names[i]);
}

TEST(TextSearcher, MissingDirectoryListsNothing) {
  TempDir dir;
  TextSearcher searcher;
  searcher.EnumerateFiles(dir.Join("absent"), "the cat");
  EXPECT_TRUE(searcher.files().empty());
  EXPECT_EQ(searcher.PartCount(), 0);
  EXPECT_EQ(searcher.listStatus(), ListStatus::NotFound);
}

TEST(TextSearcher, ClearResultsOnEmptySearcher) {
  TextSearcher searcher;
  searcher.ClearResults();
  EXPECT_EQ(searcher.PartCount(), 0);
  EXPECT_TRUE(searcher.currentPart == searcher.EndPart());
  EXPECT_TRUE(searcher.FilePath(0).empty());
  EXPECT_TRUE(searcher.FilePath(-1).empty());
}

class PartText : public ::testing::Test {
 protected:
  // One part at offset 7 of a 20-byte file: "the cat" then 13 bytes.
  void SetUp() override {
    path = dir.Write("p.txt", "the cat, then more.");
    searcher.EnumerateFiles(dir.path(), "the cat");
    ASSERT_EQ(searcher.PartCount(), 1);
    part = searcher.parts().front();
    ASSERT_EQ(part->offset, 7);
    ASSERT_EQ(part->fileSize, 19);
  }
  std::string Text() const { return std::string(part->text->begin(), part->text->end()); }

  TempDir dir;
  std::string path;
  TextSearcher searcher;
  boost::shared_ptr<FoundPart> part;
};

TEST_F(PartText, NothingIsLoadedUntilAsked) {
  EXPECT_FALSE(part->text.has_value());
  EXPECT_EQ(part->textLength, 0);
  EXPECT_EQ(part->TextBytes(), 0);
}

TEST_F(PartText, LoadReachingPastTheEndKeepsOnlyTheBytesRead) {
  part->textLength = 1024;
  searcher.LoadPartText(part);
  ASSERT_TRUE(part->text.has_value());
  EXPECT_EQ(Text(), ", then more.");
  EXPECT_EQ(part->TextBytes(), 12);
  EXPECT_EQ(part->textLength, 1024);
}

TEST_F(PartText, LoadingAgainReadsAfreshFromTheOffset) {
  part->textLength = 3;
  searcher.LoadPartText(part);
  EXPECT_EQ(Text(), ", t");
  part->textLength = 6;
  searcher.LoadPartText(part);
  EXPECT_EQ(Text(), ", then");
}

TEST_F(PartText, ShrunkFileNeverExposesUnreadBytes) {
  part->textLength = 10;
  dir.Write("p.txt", "the cat, t");
  searcher.LoadPartText(part);
  EXPECT_EQ(Text(), ", t");
  EXPECT_EQ(part->TextBytes(), 3);
}

TEST_F(PartText, DeletedFileKeepsTheOldTextAndItsTrueSize) {
  part->textLength = 5;
  searcher.LoadPartText(part);
  ASSERT_EQ(Text(), ", the");
  ASSERT_EQ(::unlink(path.c_str()), 0);
  part->textLength = 1029;
  searcher.LoadPartText(part);
  EXPECT_EQ(Text(), ", the");
  EXPECT_EQ(part->TextBytes(), 5);
}

#ifndef _WIN32  // a directory cannot even be opened as a file there
TEST_F(PartText, FileTurnedIntoADirectoryLeavesNoText) {
  part->textLength = 5;
  searcher.LoadPartText(part);
  ASSERT_EQ(::unlink(path.c_str()), 0);
  dir.MakeSubdir("p.txt");
  searcher.LoadPartText(part);  // opens, but reading a directory fails
  EXPECT_FALSE(part->text.has_value());
  EXPECT_EQ(part->TextBytes(), 0);
}
#endif

}  // namespace
}  // namespace plinvaro
