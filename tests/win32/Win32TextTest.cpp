// The Win32 file layer's own cases: 260-byte path buffers, the writer's fallback, the ANSI code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TempDir.h"
#include "text/AnsiConversion.h"
#include "text/FileAccess.h"
#include "text/FileWriter.h"

namespace plinvaro {
namespace {

using testing::ReadAll;
using testing::TempDir;

// A folder inside `dir` whose path is exactly `length` bytes long.
std::string MakeFolderOfLength(const TempDir& dir, std::size_t length) {
  std::string path = dir.path();
  while (path.size() < length) {
    const std::size_t room = length - path.size() - 1;  // less the backslash
    path += '\\' + std::string(std::min<std::size_t>(room, 60), 'd');
    ::CreateDirectoryA(path.c_str(), nullptr);
  }
  return path;
}

TEST(LongPaths, AreRefusedAsNotOpenableNeverCut) {
  TempDir dir;
  const std::string longName = dir.Join(std::string(300, 'n') + ".txt");
  FileView view;
  EXPECT_EQ(view.Open(longName), FileOpenError::CannotOpen);
  unsigned char buffer[4];
  EXPECT_EQ(ReadFileAt(longName, 0, 4, buffer).status, ReadResult::Status::CannotOpen);
  EXPECT_EQ(ReplaceFileContent(longName, "text"), SaveStatus::CannotCreate);
  const DirectoryListing listing = ListTextFileNames(dir.Join(std::string(255, 'd')));
  EXPECT_NE(listing.status, ListStatus::Ok);
  EXPECT_FALSE(listing.errorText.empty());
  // 259 bytes still fit the buffer.
  const std::string folder = MakeFolderOfLength(dir, 250);
  const std::string fits = folder + "\\" + std::string(259 - folder.size() - 1, 'f');
  ASSERT_EQ(fits.size(), 259u);
  EXPECT_EQ(ReplaceFileContent(fits, "kept"), SaveStatus::Ok);
  EXPECT_EQ(view.Open(fits), FileOpenError::Ok);
  EXPECT_EQ(view.size(), 4);
}

class WriterTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::size_t EntriesIn(const std::string& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++n;
    return n;
  }
};

TEST_F(WriterTest, ReplacesTheTargetAndLeavesNoTemporaryFile) {
  const std::string target = dir.Write("out.txt", "an older and longer content");
  EXPECT_EQ(ReplaceFileContent(target, "new"), SaveStatus::Ok);
  EXPECT_EQ(ReadAll(target), "new");
  EXPECT_EQ(ReplaceFileContent(dir.Join("fresh"), ""), SaveStatus::Ok);
  EXPECT_TRUE(std::filesystem::exists(dir.Join("fresh")));
  EXPECT_EQ(EntriesIn(dir.path()), 2u);
}

TEST_F(WriterTest, RefusesReadOnlyFilesFoldersAndMissingFolders) {
  const std::string locked = dir.Write("locked.txt", "keep");
  ::SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(ReplaceFileContent(locked, "lost"), SaveStatus::CannotCreate);
  ::SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadAll(locked), "keep");
  EXPECT_EQ(ReplaceFileContent(dir.MakeSubdir("folder"), "x"), SaveStatus::CannotCreate);
  EXPECT_EQ(ReplaceFileContent(dir.Join("missing\\out.txt"), "x"), SaveStatus::CannotCreate);
  EXPECT_EQ(ReplaceFileContent(dir.path() + "\\", "x"), SaveStatus::CannotCreate);
}

// No temporary name fits beside a target this deep: the target is written in place.
TEST_F(WriterTest, WritesInPlaceWhenNoTemporaryFileFitsBesideTheTarget) {
  const std::string folder = MakeFolderOfLength(dir, 250);
  const std::string target = folder + "\\t.txt";
  EXPECT_EQ(ReplaceFileContent(target, "first"), SaveStatus::Ok);
  EXPECT_EQ(ReplaceFileContent(target, "2nd"), SaveStatus::Ok);
  EXPECT_EQ(ReadAll(target), "2nd");
  EXPECT_EQ(EntriesIn(folder), 1u);
}

// Held open by another handle: with no sharing at all, or read-only sharing as a playing file is.
TEST_F(WriterTest, ALockedTargetCannotBeSavedAndStaysAsItWas) {
  const std::string deep = MakeFolderOfLength(dir, 250);
  for (const std::string& folder : {dir.MakeSubdir("atomic"), deep}) {
    for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
      SCOPED_TRACE(folder.size() > 200 ? "in place" : "atomic");
      SCOPED_TRACE(share == 0 ? "no sharing" : "read sharing");
      const std::string target = folder + "\\t.txt";
      ASSERT_EQ(ReplaceFileContent(target, "old content"), SaveStatus::Ok);
      HANDLE lock = ::CreateFileA(target.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(lock, INVALID_HANDLE_VALUE);
      EXPECT_EQ(ReplaceFileContent(target, "new"), SaveStatus::CannotCreate);
      ::CloseHandle(lock);
      EXPECT_EQ(ReadAll(target), "old content");
      EXPECT_EQ(EntriesIn(folder), 1u);
    }
  }
}

TEST(AnsiCodePage, ConvertsWithTheSystemCodePageOneUnitPerByte) {
  if (::GetACP() != 1252) GTEST_SKIP() << "code page " << ::GetACP();
  const unsigned char bytes[] = {'a', 0x80, 0xE9, '\r', '\n'};
  EXPECT_EQ(AnsiToWide(bytes, 5), u"a\u20AC\u00E9\r\n");
  EXPECT_EQ(WideToAnsi(u"a\u20AC\u00E9", 3), "a\x80\xE9");
  EXPECT_EQ(WideToAnsi(u"\u4E00x", 2), "?x");  // not in the code page
  EXPECT_EQ(WideToAnsi(u"ab", 4), std::string("ab\0\0", 4));
}

}  // namespace
}  // namespace plinvaro
