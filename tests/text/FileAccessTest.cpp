// File access: whole-file views that stay stable, the *.txt listing, positioned reads.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "TempDir.h"
#include "text/FileAccess.h"

namespace plinvaro {
namespace {

using testing::TempDir;

TEST(FileView, OpensWholeFileByteExact) {
  TempDir dir;
  const std::string bytes("a\r\nb\0c\xff\x80 ", 9);
  const std::string path = dir.Write("x.txt", bytes);
  FileView view;
  ASSERT_EQ(view.Open(path), FileOpenError::Ok);
  ASSERT_TRUE(view.IsOpen());
  ASSERT_EQ(view.size(), 9);
  EXPECT_EQ(std::memcmp(view.data(), bytes.data(), bytes.size()), 0);
}

TEST(FileView, RefusesWhatCannotBeMappedWhole) {
  TempDir dir;
  FileView view;
  EXPECT_EQ(view.Open(dir.Join("missing.txt")), FileOpenError::CannotOpen);
  EXPECT_EQ(view.Open(dir.Write("empty.txt", "")), FileOpenError::CannotOpen);
  EXPECT_EQ(view.Open(dir.MakeSubdir("sub.txt")), FileOpenError::CannotOpen);
  EXPECT_FALSE(view.IsOpen());
  EXPECT_EQ(view.size(), 0);
  EXPECT_EQ(view.data(), nullptr);
}

#ifndef _WIN32
TEST(FileView, RefusesAFifoWithoutBlocking) {
  TempDir dir;
  const std::string path = dir.Join("pipe.txt");
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  FileView view;
  EXPECT_EQ(view.Open(path), FileOpenError::CannotOpen);
  unsigned char buffer[4];
  EXPECT_EQ(ReadFileAt(path, 0, 4, buffer).status, ReadResult::Status::ReadFailed);
}
#endif

TEST(FileView, RefusesFilesOfTwoGibibytesOrMore) {
  TempDir dir;
  const std::string path = dir.Join("huge.txt");
  {
    std::ofstream out(path, std::ios::binary);
  }
  std::filesystem::resize_file(path, kMaxFileSize + 1);  // sparse, costs no disk
  FileView view;
  EXPECT_EQ(view.Open(path), FileOpenError::CannotOpen);
  EXPECT_FALSE(view.IsOpen());
}

#ifdef _WIN32
// Here the view keeps the file open with shared reading only: nobody can change it meanwhile.
TEST(FileView, KeepsWritersOutUntilClosed) {
  TempDir dir;
  const std::string path = dir.Write("played.txt", std::string(100000, 'q'));
  FileView view;
  ASSERT_EQ(view.Open(path), FileOpenError::Ok);
  EXPECT_FALSE(std::ofstream(path, std::ios::binary | std::ios::trunc).is_open());
  ASSERT_EQ(view.size(), 100000);
  EXPECT_TRUE(std::all_of(view.data(), view.data() + view.size(),
                          [](unsigned char b) { return b == 'q'; }));
  view.Close();
  EXPECT_TRUE(std::ofstream(path, std::ios::binary | std::ios::trunc).is_open());
}
#else
TEST(FileView, StaysStableWhenTheFileIsTruncatedOrRewritten) {
  TempDir dir;
  const std::string original(100000, 'q');
  const std::string path = dir.Write("played.txt", original);
  FileView view;
  ASSERT_EQ(view.Open(path), FileOpenError::Ok);
  ASSERT_EQ(::truncate(path.c_str(), 0), 0);
  dir.Write("played.txt", "short");
  ASSERT_EQ(view.size(), 100000);
  // Touch every byte: a view that followed the file would fault or change here.
  EXPECT_TRUE(std::all_of(view.data(), view.data() + view.size(),
                          [](unsigned char b) { return b == 'q'; }));
}
#endif

TEST(FileView, ReopeningReleasesTheEarlierFile) {
  TempDir dir;
  FileView view;
  ASSERT_EQ(view.Open(dir.Write("a.txt", "first file")), FileOpenError::Ok);
  ASSERT_EQ(view.Open(dir.Write("b.txt", "2nd")), FileOpenError::Ok);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(view.data()), 3), "2nd");
  EXPECT_EQ(view.Open(dir.Join("gone.txt")), FileOpenError::CannotOpen);
  EXPECT_FALSE(view.IsOpen());
}

TEST(ListTextFileNames, KeepsTxtInAnyCaseAndSubdirectories) {
  TempDir dir;
  dir.Write("a.txt", "x");
  dir.Write("B.TXT", "x");
  dir.Write("c.Txt", "x");
  dir.Write("notes.md", "x");
  dir.Write("txt", "x");
  dir.Write("d.txt.bak", "x");
  dir.MakeSubdir("folder.txt");
  DirectoryListing listing = ListTextFileNames(dir.path());
  ASSERT_EQ(listing.status, ListStatus::Ok);
  std::sort(listing.names.begin(), listing.names.end());
  EXPECT_EQ(listing.names, (std::vector<std::string>{"B.TXT", "a.txt", "c.Txt", "folder.txt"}));
}

TEST(ListTextFileNames, NameRulesAtTheirEdges) {
  const struct {
    const char* name;
    bool listed;
  } cases[] = {
      {".txt", true},     {"a.TXT", true},     {"a..txt", true},   {"b.tXt", true},
      {"a.txt~", false},  {"a.txt.bak", false}, {"atxt", false},   {"a.tx", false},
      {"a_txt", false},   {"a.txu", false},     {"a txt", false},
  };
  TempDir dir;
  std::vector<std::string> expected;
  for (const auto& c : cases) {
    dir.Write(c.name, "x");
    if (c.listed) expected.emplace_back(c.name);
  }
  dir.MakeSubdir("x.txt");  // listed; the scan is what skips it
  expected.emplace_back("x.txt");
  DirectoryListing listing = ListTextFileNames(dir.path());
  ASSERT_EQ(listing.status, ListStatus::Ok);
  std::sort(listing.names.begin(), listing.names.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(listing.names, expected);
}

TEST(ListTextFileNames, ReportsWhyADirectoryCannotBeListed) {
  TempDir dir;
  EXPECT_EQ(ListTextFileNames(dir.Join("nope")).status, ListStatus::NotFound);
  const DirectoryListing file = ListTextFileNames(dir.Write("plain.txt", "x"));
  EXPECT_EQ(file.status, ListStatus::NotDirectory);
  EXPECT_FALSE(file.errorText.empty());
}

TEST(ReadFileAt, ReadsFromOffsetAndStopsAtTheEnd) {
  TempDir dir;
  const std::string path = dir.Write("r.txt", "0123456789");
  unsigned char buffer[8];
  std::memset(buffer, 0xAA, sizeof buffer);
  ReadResult r = ReadFileAt(path, 6, 8, buffer);
  EXPECT_EQ(r.status, ReadResult::Status::Ok);
  EXPECT_EQ(r.bytesRead, 4);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 4), "6789");
  r = ReadFileAt(path, 20, 8, buffer);
  EXPECT_EQ(r.status, ReadResult::Status::Ok);
  EXPECT_EQ(r.bytesRead, 0);
  EXPECT_EQ(ReadFileAt(dir.Join("missing"), 0, 8, buffer).status,
            ReadResult::Status::CannotOpen);
}

}  // namespace
}  // namespace plinvaro
