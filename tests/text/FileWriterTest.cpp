// Saving: the atomic replace where it works, the in-place fallback where it cannot, and nothing lost on failure.
#include <gtest/gtest.h>

#include <cerrno>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "TempDir.h"
#include "text/FileWriter.h"

namespace plinvaro {
namespace {

using testing::ReadAll;
using testing::RunUnprivileged;
using testing::TempDir;

ino_t InodeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

std::vector<std::string> Entries(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    names.push_back(entry.path().filename().string());
  return names;
}

// A scratch directory the unprivileged child can enter, holding `locked`: a
// directory where it may create nothing, with `locked/out.txt` it may write.
class LockedDirectory : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    locked = dir.MakeSubdir("locked");
    target = dir.Write("locked/out.txt", "old content of the target");
    ASSERT_TRUE(testing::GiveToUnprivileged(target));
    ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
    inode = InodeOf(target);
  }
  void TearDown() override { ::chmod(locked.c_str(), 0755); }

  TempDir dir;
  std::string locked;
  std::string target;
  ino_t inode = 0;
};

TEST_F(LockedDirectory, ExistingTargetIsWrittenInPlaceWhenNoNewFileCanBeMade) {
  const std::string text(3000, 'n');
  const int status = RunUnprivileged([&] {
    // A new file really cannot be made there, so the fallback is what is tested.
    if (::open((locked + "/probe").c_str(), O_WRONLY | O_CREAT, 0644) >= 0) return 3;
    return ReplaceFileContent(target, text) == SaveStatus::Ok ? 0 : 4;
  });
  ASSERT_EQ(status, 0);
  EXPECT_EQ(ReadAll(target), text);
  EXPECT_EQ(InodeOf(target), inode);
  EXPECT_EQ(Entries(locked), std::vector<std::string>{"out.txt"});
}

TEST_F(LockedDirectory, ShorterTextCutsTheTargetInPlace) {
  ASSERT_EQ(RunUnprivileged([&] { return ReplaceFileContent(target, "new") == SaveStatus::Ok ? 0 : 4; }),
            0);
  EXPECT_EQ(ReadAll(target), "new");
}

TEST_F(LockedDirectory, FailedInPlaceWriteRestoresTheOldBytes) {
  const int status = RunUnprivileged([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
    // The reason is the failed write's, not one the restore left behind.
    const SaveResult result = ReplaceFileContent(target, std::string(64 * 1024, 'x'));
    return result == SaveStatus::CannotWrite && result.error == EFBIG ? 0 : 4;
  });
  ASSERT_EQ(status, 0);
  EXPECT_EQ(ReadAll(target), "old content of the target");
}

TEST_F(LockedDirectory, MissingTargetInSuchADirectoryCannotBeCreated) {
  const std::string missing = locked + "/new.txt";
  ASSERT_EQ(RunUnprivileged([&] {
              return ReplaceFileContent(missing, "x") == SaveStatus::CannotCreate ? 0 : 4;
            }),
            0);
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(FileWriter, AtomicReplaceStaysTheRuleWhereItWorks) {
  TempDir dir;
  const std::string target = dir.Write("out.txt", "old");
  const ino_t before = InodeOf(target);
  ASSERT_EQ(ReplaceFileContent(target, "new text"), SaveStatus::Ok);
  EXPECT_EQ(ReadAll(target), "new text");
  EXPECT_NE(InodeOf(target), before);  // a new file was renamed over the old one
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"out.txt"});
}

TEST(FileWriter, AFailureCarriesTheSystemsReason) {
  TempDir dir;
  EXPECT_EQ(ReplaceFileContent(dir.path(), "x").error, EISDIR);
  EXPECT_EQ(ReplaceFileContent(dir.Join("no/such/out.txt"), "x").error, ENOENT);
  EXPECT_EQ(ReplaceFileContent(dir.Join("out.txt"), "x").error, 0);
}

TEST(FileWriter, PipeWithAReaderReceivesTheBytesAndOneWithoutFailsAtOnce) {
  TempDir dir;
  const std::string fifo = dir.Join("pipe.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const SaveResult noReader = ReplaceFileContent(fifo, "lost");  // no hang
  EXPECT_EQ(noReader, SaveStatus::CannotCreate);
  EXPECT_EQ(noReader.error, ENXIO);

  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  ASSERT_EQ(ReplaceFileContent(fifo, "through the pipe"), SaveStatus::Ok);
  char buffer[64] = {};
  const ssize_t got = ::read(reader, buffer, sizeof buffer);
  ::close(reader);
  EXPECT_EQ(std::string(buffer, got > 0 ? static_cast<std::size_t>(got) : 0), "through the pipe");
  struct stat info {};
  ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

}  // namespace
}  // namespace plinvaro
