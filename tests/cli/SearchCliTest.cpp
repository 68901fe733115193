// plinvaro-cli search: output format, pattern handling, exit codes and messages.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "TempDir.h"

namespace plinvaro {
namespace {

using testing::TempDir;

struct CliResult {
  int exitCode;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& arg) {
  std::string q = "'";
  for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

CliResult RunCli(const std::vector<std::string>& args) {
  TempDir scratch;
  std::string command = Quote(PLINVARO_CLI_PATH);
  for (const std::string& a : args) command += " " + Quote(a);
  command += " >" + Quote(scratch.Join("out")) + " 2>" + Quote(scratch.Join("err")) + " </dev/null";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, testing::ReadAll(scratch.Join("out")),
          testing::ReadAll(scratch.Join("err"))};
}

class SearchCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("only.txt", "So the cat.\nAnd the cat ate.");
  }
  TempDir dir;
};

TEST_F(SearchCli, PrintsOneTabSeparatedLinePerPartLongestFirst) {
  const CliResult r = RunCli({"search", dir.path(), "Where is the cat"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const std::string path = dir.path() + "/only.txt";
  // " the cat" matches, 8 bytes; the file's "So" differs from "is".
  EXPECT_EQ(r.out, "8\t23\t0\t28\t" + path + "\n8\t10\t0\t28\t" + path + "\n");
}

TEST_F(SearchCli, TrimsTrailingSeparatorsAndKeepsTheLast63Bytes) {
  const std::string longPattern = std::string(100, 'z') + " the cat?! ";
  const CliResult r = RunCli({"search", dir.path(), longPattern});
  EXPECT_EQ(r.exitCode, 0);
  // Only the tail "z...z the cat" is searched; " the cat" matches, 8 bytes.
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2);
  EXPECT_EQ(r.out.substr(0, 5), "8\t23\t");
}

TEST_F(SearchCli, PatternFileGivesRawBytes) {
  TempDir other;
  other.Write("bytes.txt", std::string("x \xff\x01 cat, y", 11));
  const std::string patternFile = dir.Write("pattern.bin", std::string("\xff\x01 cat\n", 7));
  const CliResult r = RunCli({"search", "--pattern-file", patternFile, other.path()});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "6\t8\t0\t11\t" + other.path() + "/bytes.txt\n");
}

TEST_F(SearchCli, NothingFoundIsSuccessWithNoOutput) {
  const CliResult r = RunCli({"search", dir.path(), "no such words"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "");
}

TEST_F(SearchCli, StatsGoToStandardError) {
  const CliResult r = RunCli({"search", "--stats", dir.path(), "the cat"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.err.find("files: 1 listed, 1 scanned, 0 skipped"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("bytes scanned: 28"), std::string::npos);
  EXPECT_NE(r.err.find("elapsed: "), std::string::npos);
}

struct BadCall {
  const char* name;
  std::vector<std::string> args;  // "DIR" stands for the test directory
  const char* message;
};

TEST_F(SearchCli, BadCallsExitWithTwoAndSayWhy) {
  const std::vector<BadCall> calls = {
      {"missing directory", {"search", "DIR/absent", "the cat"}, "cannot read directory"},
      {"directory is a file", {"search", "DIR/only.txt", "the cat"}, "cannot read directory"},
      {"no pattern", {"search", "DIR"}, "missing PATTERN"},
      {"no arguments", {"search"}, "missing DIR"},
      {"unknown option", {"search", "--fast", "DIR", "x"}, "unknown option"},
      {"unreadable pattern file", {"search", "--pattern-file", "DIR/none", "DIR"},
       "cannot read pattern file"},
      {"both pattern kinds", {"search", "--pattern-file", "DIR/only.txt", "DIR", "x"}, "either"},
  };
  for (const BadCall& call : calls) {
    std::vector<std::string> args;
    for (std::string a : call.args) {
      if (a.rfind("DIR", 0) == 0) a = dir.path() + a.substr(3);
      args.push_back(a);
    }
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, 2) << call.name;
    EXPECT_EQ(r.out, "") << call.name;
    EXPECT_NE(r.err.find(call.message), std::string::npos) << call.name << ": " << r.err;
  }
}

TEST(SearchCliHelp, DocumentsTheOutputAndExitStatus) {
  const CliResult r = RunCli({"search", "--help"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("matchLength<TAB>offset<TAB>fileIndex<TAB>fileSize<TAB>path"), std::string::npos);
  EXPECT_NE(r.out.find("--pattern-file"), std::string::npos);
  EXPECT_NE(r.out.find("--stats"), std::string::npos);
}

TEST(CliVersion, PrintsTheProjectVersionAndNothingElse) {
  const CliResult r = RunCli({"--version"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "plinvaro-cli " PLINVARO_VERSION "\n");
  EXPECT_EQ(r.err, "");
}

TEST(SearchCliSamples, FindsContinuationsInTheBundledTexts) {
  const CliResult r = RunCli({"search", PLINVARO_SAMPLES_DIR, "walked along the river"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_FALSE(r.out.empty());
}

}  // namespace
}  // namespace plinvaro
