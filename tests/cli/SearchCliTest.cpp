// plinvaro-cli search: output format, pattern handling, exit codes and messages.
#include <gtest/gtest.h>

#include <sstream>
#include <utility>

#include "CliProcess.h"
#include "TempDir.h"

namespace plinvaro {
namespace {

using testing::TempDir;

struct CliResult {
  int exitCode;
  std::string out;
  std::string err;
};

CliResult RunCli(std::vector<std::string> args) {
  TempDir scratch;
  args.insert(args.begin(), PLINVARO_CLI_PATH);
  testing::CliRun run = testing::RunProgram(std::move(args), scratch);
  return {run.status, std::move(run.out), std::move(run.err)};
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
  // A pattern that matches the text for more than 63 bytes still matches 63.
  const std::string phrase =
      "then the long grey road ran on past the mill and down to the old harbour wall";
  TempDir road;
  road.Write("road.txt", phrase + " at dusk");
  const CliResult tail = RunCli({"search", road.path(), phrase});
  EXPECT_EQ(tail.out, "63\t" + std::to_string(phrase.size()) + "\t0\t" +
                          std::to_string(phrase.size() + 8) + "\t" + road.path() + "/road.txt\n");
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

// `text` with every `name` replaced by `value`.
std::string Substituted(std::string text, const std::string& name, const std::string& value) {
  for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + value.size()))
    text.replace(at, name.size(), value);
  return text;
}

// The try-help line every refused call of `search` ends with.
std::string Refused(const std::string& why) {
  return "plinvaro-cli search: " + why + "\nTry 'plinvaro-cli search --help'.\n";
}

struct EdgeCall {
  const char* name;
  std::vector<std::string> args;  // "DIR" stands for the test directory
  int exitCode;
  std::string out;                // "PATH" stands for the directory's file
  std::string err;
};

// Argument edges with the exact outcome: `--` ends the options, a lone `-` is a
// name, the last of a repeated option counts.
TEST_F(SearchCli, ArgumentEdgesGiveExactlyTheseOutcomes) {
  const std::string parts = "8\t23\t0\t28\tPATH\n8\t10\t0\t28\tPATH\n";
  const std::string other = dir.Write("other.pat", "is the cat");
  const std::string none = dir.Write("none.pat", "zebra crossing");
  const std::vector<EdgeCall> calls = {
      {"double dash makes an option the pattern", {"search", "--", "DIR", "--stats"}, 0, "", ""},
      {"double dash before the directory", {"search", "--", "DIR", "is the cat"}, 0, parts, ""},
      {"option after double dash is a third name", {"search", "DIR", "--", "x", "--stats"}, 2, "",
       Refused("too many arguments")},
      {"lone dash is a directory name", {"search", "-", "the cat"}, 2, "",
       "plinvaro-cli search: cannot read directory '-': No such file or directory\n"},
      {"trailing slash joins without a second one", {"search", "DIR/", "is the cat"}, 0, parts, ""},
      {"lone dash as pattern finds nothing", {"search", "DIR", "-"}, 0, "", ""},
      {"empty pattern finds nothing", {"search", "DIR", ""}, 0, "", ""},
      {"short unknown option", {"search", "-x", "DIR", "y"}, 2, "", Refused("unknown option -x")},
      {"option with a value attached", {"search", "--stats=1", "DIR", "y"}, 2, "",
       Refused("unknown option --stats=1")},
      {"options are case sensitive", {"search", "--STATS", "DIR", "y"}, 2, "",
       Refused("unknown option --STATS")},
      {"pattern file without its file", {"search", "DIR", "--pattern-file"}, 2, "",
       Refused("--pattern-file needs a file")},
      {"third name", {"search", "DIR", "a", "b"}, 2, "", Refused("too many arguments")},
      {"last pattern file counts", {"search", "--pattern-file", none, "--pattern-file", other, "DIR"},
       0, parts, ""},
      {"empty pattern file name is no pattern file", {"search", "--pattern-file", "", "DIR"}, 2, "",
       Refused("missing PATTERN")},
      {"pattern file given as a directory", {"search", "--pattern-file", "DIR", "DIR"}, 2, "",
       "plinvaro-cli search: cannot read pattern file 'DIR': not a regular file\n"},
  };
  const std::string path = dir.path() + "/only.txt";
  for (const EdgeCall& call : calls) {
    std::vector<std::string> args;
    for (std::string a : call.args) {
      if (a.rfind("DIR", 0) == 0) a = dir.path() + a.substr(3);
      args.push_back(a);
    }
    const std::string out = Substituted(Substituted(call.out, "PATH", path), "DIR", dir.path());
    const std::string err = Substituted(call.err, "DIR", dir.path());
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, call.exitCode) << call.name;
    EXPECT_EQ(r.out, out) << call.name;
    EXPECT_EQ(r.err, err) << call.name;
  }
}

// The root directory is listed as itself: nothing found, or no .txt entry there at all.
TEST(SearchCliRoot, ListsTheRootDirectoryAsItself) {
  const CliResult r = RunCli({"search", "/", "zq xj"});
  EXPECT_EQ(r.out, "");
  if (r.exitCode == 3) {
    EXPECT_EQ(r.err, "plinvaro-cli search: no .txt files in /\n");
  } else {
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
  }
}

// A pattern file or standard input of 62 or 63 bytes is taken whole; of a
// longer one only the last 63 bytes count.
TEST(SearchCliPatternFile, TakesAtMostTheLast63Bytes) {
  std::string words;
  while (words.size() < 63) words += "word ";
  words.resize(63);  // ends in "wor", a word found only at its end
  TempDir corpus;
  corpus.Write("c.txt", "Z" + words + " tail");
  const std::string path = corpus.path() + "/c.txt";
  const struct {
    std::string bytes;
    std::string out;
  } cases[] = {
      {words.substr(1), "62\t64\t0\t69\t" + path + "\n"},
      {words, "63\t64\t0\t69\t" + path + "\n"},
      {"Z" + words, "63\t64\t0\t69\t" + path + "\n"},
      {"Q" + words, "63\t64\t0\t69\t" + path + "\n"},  // the 64th byte from the end is never read
  };
  TempDir scratch;
  for (const auto& c : cases) {
    const std::string file = scratch.Write("pattern", c.bytes);
    const CliResult r = RunCli({"search", "--pattern-file", file, corpus.path()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, c.out) << c.bytes.size() << " bytes";
    const testing::CliRun piped =
        testing::RunProgram({PLINVARO_CLI_PATH, "search", "--pattern-file", "-", corpus.path()},
                            scratch, {.input = c.bytes});
    EXPECT_EQ(piped.out, c.out) << c.bytes.size() << " bytes on standard input";
  }
}

TEST_F(SearchCli, NulInThePatternFileIsAWordByteAndCutsNothing) {
  // Cut at the NUL the pattern would be "cat", found as 3-byte parts.
  const std::string file = dir.Write("nul.pat", std::string("cat\0 the cat", 12));
  const CliResult r = RunCli({"search", "--pattern-file", file, dir.path()});
  const std::string path = dir.path() + "/only.txt";
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "8\t23\t0\t28\t" + path + "\n8\t10\t0\t28\t" + path + "\n");
}

TEST(CliEntry, CommandsHelpAndUnknownCommands) {
  const CliResult none = RunCli({});
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err.rfind("Usage: plinvaro-cli COMMAND [OPTIONS]\n", 0), 0u) << none.err;
  for (const char* help : {"--help", "-h", "help"}) {
    const CliResult r = RunCli({help});
    EXPECT_EQ(r.exitCode, 0) << help;
    EXPECT_EQ(r.out, none.err) << help;
    EXPECT_EQ(r.err, "") << help;
  }
  const CliResult unknown = RunCli({"serch", "DIR", "x"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_EQ(unknown.err, "plinvaro-cli: unknown command 'serch'\n\n" + none.err);
  const CliResult caseDiffers = RunCli({"Search"});
  EXPECT_EQ(caseDiffers.exitCode, 2);
  EXPECT_EQ(caseDiffers.err.rfind("plinvaro-cli: unknown command 'Search'", 0), 0u);
}

TEST(SearchCliHelp, DocumentsTheOutputAndExitStatus) {
  for (const char* option : {"--help", "-h"}) {
    const CliResult r = RunCli({"search", option});
    EXPECT_EQ(r.exitCode, 0) << option;
    EXPECT_NE(r.out.find("matchLength<TAB>offset<TAB>fileIndex<TAB>fileSize<TAB>path"),
              std::string::npos)
        << option;
    EXPECT_NE(r.out.find("--pattern-file"), std::string::npos);
    EXPECT_NE(r.out.find("--stats"), std::string::npos);
  }
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
