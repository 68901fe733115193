// plinvaro-cli when there is nothing to search (empty DIR, no *.txt entry) and a pattern read from a pipe.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

#include "CliProcess.h"
#include "TempDir.h"

namespace plinvaro::testing {
namespace {

constexpr int kNothingToSearch = 3;

// Runs plinvaro-cli with `input` written to its standard input through a pipe.
class PipedCli : public ::testing::Test {
 protected:
  CliRun Run(std::vector<std::string> args, const std::string& input = {}) {
    args.insert(args.begin(), PLINVARO_CLI_PATH);
    return RunProgram(std::move(args), scratch, {.input = input});
  }

  TempDir scratch;
  const std::string samples = PLINVARO_SAMPLES_DIR;
};

TEST_F(PipedCli, PatternFromStandardInputMatchesTheSameBytesGivenDirectly) {
  const CliRun piped = Run({"search", "--pattern-file", "-", samples}, "walked down the old road");
  const CliRun direct = Run({"search", samples, "walked down the old road"});
  ASSERT_EQ(piped.status, 0) << piped.err;
  EXPECT_FALSE(piped.out.empty());
  EXPECT_EQ(piped.out, direct.out);
}

TEST_F(PipedCli, LongInputKeepsOnlyItsLast63Bytes) {
  // Megabytes of one byte, then the words: only the tail decides the search.
  const std::string tail = std::string(40, '#') + " she walked down the old road";
  const std::string input = std::string(3 * 1024 * 1024 + 17, 'x') + tail;
  const CliRun piped = Run({"search", "--pattern-file", "-", samples}, input);
  const CliRun direct = Run({"search", samples, tail.substr(tail.size() - 63)});
  ASSERT_EQ(piped.status, 0) << piped.err;
  EXPECT_FALSE(piped.out.empty());
  EXPECT_EQ(piped.out, direct.out);
}

TEST_F(PipedCli, RawBytesAndEmptyInputAreTakenAsTheyCome) {
  scratch.Write("corpus.txt", std::string("x \xff\x01 cat, y", 11));
  const CliRun bytes = Run({"search", "--pattern-file", "-", scratch.path()},
                           std::string("\0\xff\x01 cat\n", 7));
  ASSERT_EQ(bytes.status, 0) << bytes.err;
  EXPECT_EQ(bytes.out, "6\t8\t0\t11\t" + scratch.Join("corpus.txt") + "\n");
  const CliRun empty = Run({"search", "--pattern-file", "-", scratch.path()});
  EXPECT_EQ(empty.status, 0) << empty.err;
}

TEST_F(PipedCli, PipeGivenByNameIsStillRefused) {
  const CliRun run = Run({"search", "--pattern-file", "/dev/stdin", samples}, "the cat");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("not a regular file"), std::string::npos) << run.err;
}

TEST_F(PipedCli, SearchInADirectoryWithoutTextFilesSaysSoWithStatusThree) {
  const std::string notes = scratch.MakeSubdir("notes");
  scratch.Write("notes/readme.md", "the old road");
  const CliRun run = Run({"search", notes, "the old road"});
  EXPECT_EQ(run.status, kNothingToSearch);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("no .txt files in " + notes), std::string::npos) << run.err;
  // --stats still says what was looked at.
  const CliRun counted = Run({"search", "--stats", notes, "the old road"});
  EXPECT_EQ(counted.status, kNothingToSearch);
  EXPECT_NE(counted.err.find("files: 0 listed, 0 scanned, 0 skipped"), std::string::npos)
      << counted.err;
}

TEST_F(PipedCli, EmptyDirectoryArgumentIsRefusedWithStatusTwo) {
  const CliRun run = Run({"search", "", "the old road"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("DIR is empty"), std::string::npos) << run.err;
}

TEST_F(PipedCli, ComposeIntoADirectoryWithoutTextFilesPlaysNothing) {
  const std::string base = scratch.Write("base.md", "the old road went on");
  const std::string notes = scratch.MakeSubdir("notes");
  const CliRun run = Run({"compose", "--base", base, "--dir", notes});
  EXPECT_EQ(run.status, kNothingToSearch);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("no .txt files in " + notes), std::string::npos) << run.err;
}

TEST_F(PipedCli, HelpDocumentsStatusThreeAndStandardInput) {
  const CliRun search = Run({"search", "--help"});
  EXPECT_NE(search.out.find("3 when\nDIR holds no *.txt entry"), std::string::npos) << search.out;
  EXPECT_NE(search.out.find("'-' reads"), std::string::npos);
  const CliRun compose = Run({"compose", "--help"});
  EXPECT_NE(compose.out.find("3 when DIR holds no *.txt entry"), std::string::npos) << compose.out;
}

}  // namespace
}  // namespace plinvaro::testing
