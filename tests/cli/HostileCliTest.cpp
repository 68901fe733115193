// plinvaro-cli under hostile arguments and inputs: clear messages and exit codes, no crash, no hang.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CliProcess.h"
#include "TempDir.h"

namespace plinvaro::testing {
namespace {

// Runs plinvaro-cli in a child process, ended by force after the watchdog.
class HostileCli : public ::testing::Test {
 protected:
  CliRun Run(std::vector<std::string> args, CliOutput output = CliOutput::File,
             bool unprivileged = false) {
    args.insert(args.begin(), PLINVARO_CLI_PATH);
    return RunProgram(std::move(args), scratch, {.output = output, .unprivileged = unprivileged});
  }

  std::string samples = PLINVARO_SAMPLES_DIR;
  TempDir scratch;
};

struct BadNumber {
  const char* option;
  const char* value;
};

class ComposeBadNumber : public HostileCli, public ::testing::WithParamInterface<BadNumber> {};

TEST_P(ComposeBadNumber, IsRefusedWithExitTwoNamingTheOption) {
  const CliRun run = Run({"compose", "--base", samples + "/harbour.txt", "--dir", samples,
                          GetParam().option, GetParam().value});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find(std::string(GetParam().option) + " needs a whole number"),
            std::string::npos)
      << run.err;
  EXPECT_TRUE(run.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, ComposeBadNumber,
    ::testing::Values(BadNumber{"--words", "-1"}, BadNumber{"--words", "abc"},
                      BadNumber{"--words", ""}, BadNumber{"--words", "2147483648"},
                      BadNumber{"--words", "99999999999999999999999"},
                      BadNumber{"--words", "12abc"}, BadNumber{"--search-every", "0"},
                      BadNumber{"--search-every", "-7"}, BadNumber{"--seed", "-1"},
                      BadNumber{"--seed", "18446744073709551616"}, BadNumber{"--seed", "0x10"}));

TEST_F(HostileCli, LargestWordCountEndsWhenTheTextRunsOut) {
  const CliRun run = Run({"compose", "--base", samples + "/harbour.txt", "--dir", samples,
                          "--words", "2147483647", "--seed", "5"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("ended after"), std::string::npos) << run.err;
  EXPECT_FALSE(run.out.empty());
}

TEST_F(HostileCli, TraceThatCannotBeCreatedIsRefusedBeforeAnythingIsPlayed) {
  const std::string fifo = scratch.Join("trace.pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& trace : {scratch.Join("missing/dir/trace.jsonl"), scratch.path(), fifo}) {
    const CliRun run = Run({"compose", "--base", samples + "/harbour.txt", "--dir", samples,
                            "--trace", trace});
    EXPECT_EQ(run.status, 2) << trace;
    EXPECT_NE(run.err.find("cannot create trace file"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
  }
}

TEST_F(HostileCli, OutputPipeClosedEarlyIsReportedWithExitOne) {
  const CliRun compose = Run(
      {"compose", "--base", samples + "/harbour.txt", "--dir", samples, "--words", "40"},
      CliOutput::ClosedPipe);
  EXPECT_EQ(compose.status, 1);
  EXPECT_NE(compose.err.find("cannot write the text to stdout"), std::string::npos)
      << compose.err;
  const CliRun search = Run({"search", samples, "the"}, CliOutput::ClosedPipe);
  EXPECT_EQ(search.status, 1);
  EXPECT_NE(search.err.find("cannot write the parts to stdout"), std::string::npos)
      << search.err;
}

TEST_F(HostileCli, PatternFileMustBeARegularFile) {
  const std::string fifo = scratch.Join("pattern.pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& file : {fifo, std::string("/dev/zero"), scratch.path()}) {
    const CliRun run = Run({"search", "--pattern-file", file, samples});
    EXPECT_EQ(run.status, 2) << file;
    EXPECT_NE(run.err.find("not a regular file"), std::string::npos) << run.err;
  }
  const CliRun missing = Run({"search", "--pattern-file", scratch.Join("none"), samples});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("no such file"), std::string::npos) << missing.err;
}

TEST_F(HostileCli, PatternFileGivesItsLast63Bytes) {
  const std::string tail = "she walked down the old road";
  const std::string file = scratch.Write("pattern", std::string(5000, '#') + tail);
  const CliRun fromFile = Run({"search", "--pattern-file", file, samples});
  const CliRun direct = Run({"search", samples, std::string(5000, '#') + tail});
  ASSERT_EQ(fromFile.status, 0) << fromFile.err;
  EXPECT_FALSE(fromFile.out.empty());
  EXPECT_EQ(fromFile.out, direct.out);
}

// Root reads everything, so the search runs as an unprivileged user.
TEST_F(HostileCli, EntryTheUserCannotReadIsSkippedAndTheRestScanned) {
  std::filesystem::permissions(scratch.path(), std::filesystem::perms(0755));
  const std::string dir = scratch.MakeSubdir("corpus");
  std::filesystem::permissions(dir, std::filesystem::perms(0755));
  const std::string secret = scratch.Write("corpus/secret.txt", "the old road went north");
  scratch.Write("corpus/open.txt", "the old road went south");
  ASSERT_EQ(::chmod(secret.c_str(), 0), 0);
  const CliRun run = Run({"search", "--stats", dir, "the old road"}, CliOutput::File, true);
  ::chmod(secret.c_str(), 0644);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("2 listed, 1 scanned, 1 skipped"), std::string::npos) << run.err;
  // One part, in the readable file: match length, offset, file size and path.
  EXPECT_EQ(run.out.rfind("12\t12\t", 0), 0u) << run.out;
  const std::string tail = "\t23\t" + dir + "/open.txt\n";
  ASSERT_GE(run.out.size(), tail.size());
  EXPECT_EQ(run.out.substr(run.out.size() - tail.size()), tail);
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
}

TEST_F(HostileCli, TwentyThousandFilesStillGiveAtMost51Parts) {
  const std::string dir = scratch.MakeSubdir("many");
  for (int i = 0; i < 20000; ++i)
    scratch.Write("many/f" + std::to_string(i) + ".txt", "by the old road. And on it went.");
  const CliRun run = Run({"search", "--stats", dir, "the old road"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::istringstream lines(run.out);
  int count = 0;
  for (std::string line; std::getline(lines, line);) ++count;
  EXPECT_EQ(count, 51);
  EXPECT_NE(run.err.find("20000 listed"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("parts: 51"), std::string::npos) << run.err;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMeasuresMemory = false;  // the sanitizer's own bookkeeping dwarfs the figure
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kMeasuresMemory = false;
#else
constexpr bool kMeasuresMemory = true;
#endif
#else
constexpr bool kMeasuresMemory = true;
#endif

TEST_F(HostileCli, FiftyMegabytesWithoutWhiteSpacePlayAsOneChunk) {
  constexpr std::size_t kSize = 50u * 1000 * 1000;
  std::string word(kSize, 'w');
  for (std::size_t i = 0; i < kSize; i += 997) word[i] = static_cast<char>('a' + i % 26);
  const std::string base = scratch.Write("word.txt", word);
  const CliRun run = Run({"compose", "--base", base, "--dir", scratch.path(), "--words", "1"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  EXPECT_TRUE(run.out == word) << "output of " << run.out.size() << " bytes differs";
  const double multiple = static_cast<double>(run.maxRssKb) * 1024 / kSize;
  std::printf("peak memory: %ld KiB, %.1f times the file\n", run.maxRssKb, multiple);
  RecordProperty("peak_rss_kib", std::to_string(run.maxRssKb));
  if (kMeasuresMemory) {
    EXPECT_LT(multiple, 7.0);
  }
}

}  // namespace
}  // namespace plinvaro::testing
