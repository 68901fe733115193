// plinvaro-cli compose end to end: determinism, a trace that agrees with the files, escaping, errors.
#include <ostream>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CliProcess.h"
#include "TempDir.h"
#include "cli/CliCommands.h"
#include "cli/ComposeTrace.h"
#include "panel/Platform.h"
#include "search/PatternText.h"
#include "text/CharClass.h"

namespace plinvaro::testing {
namespace {

class ComposeCliTest : public ::testing::Test {
 protected:
  CliRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {PLINVARO_CLI_PATH, "compose"});
    return RunProgram(std::move(args), scratch);
  }

  TempDir scratch;
  const std::string samples = PLINVARO_SAMPLES_DIR;
};

// A flat JSON object: keys in order, values as raw bytes (strings decoded,
// numbers as written).
using JsonFields = std::vector<std::pair<std::string, std::string>>;

bool ParseString(const std::string& line, std::size_t& i, std::string& out) {
  if (line[i++] != '"') return false;
  while (i < line.size() && line[i] != '"') {
    char c = line[i++];
    if (c == '\\') {
      c = line[i++];
      if (c == 'u') {
        out += static_cast<char>(std::stoi(line.substr(i, 4), nullptr, 16));
        i += 4;
        continue;
      }
    }
    out += c;
  }
  return i++ < line.size();
}

JsonFields ParseObject(const std::string& line) {
  JsonFields fields;
  std::size_t i = 1;
  while (i < line.size() && line[i] != '}') {
    std::string key, value;
    if (!ParseString(line, i, key) || line[i++] != ':') return {};
    if (line[i] == '"') {
      if (!ParseString(line, i, value)) return {};
    } else {
      while (i < line.size() && line[i] != ',' && line[i] != '}') value += line[i++];
    }
    fields.emplace_back(key, value);
    if (line[i] == ',') ++i;
  }
  return fields;
}

std::vector<std::string> Keys(const JsonFields& fields) {
  std::vector<std::string> keys;
  for (const auto& field : fields) keys.push_back(field.first);
  return keys;
}

std::string Field(const JsonFields& fields, const std::string& key) {
  for (const auto& field : fields)
    if (field.first == key) return field.second;
  return {};
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

// What the trace's provenance spans say the text is, read from the files; "" and
// a failure when the spans do not follow each other from 0 to the length.
std::string SpansText(const std::string& tracePath) {
  std::ifstream trace(tracePath, std::ios::binary);
  std::string line, text, length;
  while (std::getline(trace, line)) {
    if (line.rfind("\"base_directory\":", 0) == 0) {
      length = line.substr(line.find("\"length\":") + 9);
      length = length.substr(0, length.find(','));
    }
    if (line.rfind("{\"start\":", 0) != 0) continue;
    const JsonFields fields = ParseObject(line);
    EXPECT_EQ(Keys(fields), (std::vector<std::string>{"start", "end", "kind", "file", "offset",
                                                      "shared"}))
        << line;
    EXPECT_EQ(std::stoul(Field(fields, "start")), text.size()) << line;
    const auto n = std::stoul(Field(fields, "end")) - std::stoul(Field(fields, "start"));
    text += ReadAll(Field(fields, "file")).substr(std::stoul(Field(fields, "offset")), n);
  }
  EXPECT_EQ(length, std::to_string(text.size()));
  return text;
}

// What a trace holds beside the chunks' bytes.
struct TraceCounts {
  int chunks = 0;
  int searches = 0;
  bool endsWithChunk = false;  // the last event before "end" is a chunk
  std::string weights;         // the weights event's line, if any
  std::map<std::string, int> picks;  // found searches by the picked file
};

// Checks every trace event against the files, and, for a run that searches
// every `searchEvery` chunks, that a search after fewer chunks came from a
// stop at a file's end; returns the chunks' bytes in order.
std::string ReplayTrace(const std::string& tracePath, TraceCounts& counts, int searchEvery = 0) {
  int& chunkCount = counts.chunks;
  int& searchCount = counts.searches;
  int sinceSearch = 0;
  bool lastAtFileEnd = false;
  std::string resumeFile;  // where a found search said playback goes on
  long resumeAt = -1;
  const std::vector<std::string> chunkKeys{"event", "source", "file", "offset", "length"};
  const std::vector<std::string> searchKeys{"event", "pattern_hex", "parts", "file",
                                            "offset", "match_length", "position"};
  std::ifstream trace(tracePath, std::ios::binary);
  std::string line, replayed;
  bool ended = false;
  while (std::getline(trace, line)) {
    for (const char c : line) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << line;
    if (line == "{\"event\":\"end\"}],") ended = true;
    if (line.rfind("{\"event\":", 0) != 0 || ended) continue;
    EXPECT_EQ(line.back(), ',') << line;
    if (line.rfind("{\"event\":\"weights\",", 0) == 0) {
      EXPECT_EQ(chunkCount + searchCount, 0) << "the weights come first";
      counts.weights = line;
      continue;
    }
    const JsonFields fields = ParseObject(line);
    const std::string file = ReadAll(Field(fields, "file"));
    counts.endsWithChunk = Field(fields, "event") == "chunk";
    if (Field(fields, "event") == "chunk") {
      EXPECT_EQ(Keys(fields), chunkKeys) << line;
      ++chunkCount;
      const auto chunkOffset = std::stoul(Field(fields, "offset"));
      const auto chunkLength = std::stoul(Field(fields, "length"));
      if (resumeAt >= 0) {
        EXPECT_EQ(Field(fields, "file"), resumeFile) << line;
        EXPECT_EQ(static_cast<long>(chunkOffset), resumeAt) << line;
        resumeAt = -1;
      }
      replayed += file.substr(chunkOffset, chunkLength);
      ++sinceSearch;
      lastAtFileEnd = chunkOffset + chunkLength == file.size();
      continue;
    }
    EXPECT_EQ(Keys(fields), searchKeys) << line;
    ++searchCount;
    if (searchEvery > 0 && sinceSearch != searchEvery) {
      EXPECT_TRUE(lastAtFileEnd) << sinceSearch << " chunks before " << line;
    }
    sinceSearch = 0;
    const int offset = std::stoi(Field(fields, "offset"));
    if (offset < 0) continue;
    ++counts.picks[Field(fields, "file")];
    resumeFile = Field(fields, "file");
    resumeAt = std::stol(Field(fields, "position"));
    const std::string trimmed = TrimSeparators(FromHex(Field(fields, "pattern_hex")));
    const auto matched = std::stoul(Field(fields, "match_length"));
    EXPECT_EQ(file.substr(offset - matched, matched), trimmed.substr(trimmed.size() - matched));
    const auto position = std::stoul(Field(fields, "position"));
    for (std::size_t p = static_cast<std::size_t>(offset); p < position; ++p)
      EXPECT_TRUE(IsSeparator(static_cast<unsigned char>(file[p]))) << line;
  }
  EXPECT_TRUE(ended) << "no end event";
  return replayed;
}

TEST_F(ComposeCliTest, SameSeedGivesTheSameText) {
  const std::vector<std::string> args{"--base", samples + "/harbour.txt", "--dir", samples,
                                      "--words", "150", "--seed", "5"};
  const CliRun first = Run(args);
  const CliRun second = Run(args);
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_FALSE(first.out.empty());
  EXPECT_EQ(first.out, second.out);
}

TEST_F(ComposeCliTest, TraceAgreesChunkByChunkWithTheFiles) {
  for (const char* seed : {"1", "2", "3"}) {
    const std::string trace = scratch.Join("trace.jsonl");
    // 400 chunks, a search after every 8th: none may follow the last chunk.
    const CliRun run = Run({"--base", samples + "/orchard.txt", "--dir", samples, "--words", "400",
                            "--search-every", "8", "--seed", seed, "--trace", trace});
    ASSERT_EQ(run.status, 0) << run.err;
    TraceCounts counts;
    EXPECT_EQ(ReplayTrace(trace, counts, 8), run.out) << "seed " << seed;
    EXPECT_EQ(SpansText(trace), run.out) << "seed " << seed;
    const int chunks = counts.chunks;
    if (run.err.empty()) {
      EXPECT_EQ(chunks, 400);
      EXPECT_TRUE(counts.endsWithChunk) << "no search after the last chunk";
    } else {
      // An early end names the chunks the trace holds.
      EXPECT_EQ(run.err.rfind("plinvaro-cli compose: ended after " + std::to_string(chunks) +
                                  " of 400 chunks: ",
                              0),
                0u)
          << run.err;
    }
    EXPECT_GE(counts.searches, (chunks - 1) / 8);  // none after the last chunk
  }
}

TEST_F(ComposeCliTest, WeightsSteerThePicksAndTheTraceRecordsThem) {
  const std::string trace = scratch.Join("trace.jsonl");
  const CliRun run = Run({"--base", samples + "/orchard.txt", "--dir", samples, "--words", "600",
                          "--search-every", "3", "--weight", "harbour.txt=0", "--weight",
                          samples + "/market.txt=7", "--trace", trace});
  ASSERT_EQ(run.status, 0) << run.err;
  TraceCounts counts;
  EXPECT_EQ(ReplayTrace(trace, counts), run.out);
  EXPECT_EQ(counts.weights, "{\"event\":\"weights\",\"directory\":\"" + samples +
                                "\",\"files\":[{\"name\":\"harbour.txt\",\"weight\":0},"
                                "{\"name\":\"market.txt\",\"weight\":7}]},");
  EXPECT_EQ(counts.picks[samples + "/harbour.txt"], 0);
  EXPECT_GT(counts.picks[samples + "/market.txt"], counts.searches / 3);
  for (const char* bad : {"harbour.txt", "harbour.txt=", "harbour.txt=11", "harbour.txt=-1", "=3",
                          "harbour.txt=1.5", "absent.txt=2", "/etc/hostname=2"}) {
    const CliRun refused = Run({"--base", samples + "/orchard.txt", "--dir", samples, "--weight", bad});
    EXPECT_TRUE(refused.status == 2 && refused.err.rfind("plinvaro-cli compose: --weight", 0) == 0) << bad;
  }
}

TEST_F(ComposeCliTest, PathsWithUnusualBytesAreEscapedInTheTrace) {
  const std::string odd = scratch.MakeSubdir("we\"ird\\ \xE9\x01");
  for (const auto& entry : std::filesystem::directory_iterator(samples))
    if (entry.path().extension() == ".txt")
      std::filesystem::copy_file(entry.path(), odd + "/" + entry.path().filename().string());
  const std::string trace = scratch.Join("trace.jsonl");
  const CliRun run = Run({"--base", odd + "/market.txt", "--dir", odd, "--words", "120",
                          "--search-every", "5", "--trace", trace});
  ASSERT_EQ(run.status, 0) << run.err;
  TraceCounts counts;
  EXPECT_EQ(ReplayTrace(trace, counts, 5), run.out);
  EXPECT_EQ(SpansText(trace), run.out);
  EXPECT_GT(counts.chunks, 0);
  EXPECT_NE(ReadAll(trace).find("we\\\"ird\\\\ \\u00e9\\u0001"), std::string::npos);
}

TEST_F(ComposeCliTest, JsonStringRoundTripsEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string line = "{\"k\":" + cli::JsonString(all) + "}";
  EXPECT_EQ(Field(ParseObject(line), "k"), all);
  EXPECT_EQ(cli::HexBytes(std::string("\x00\xff a", 4)), "00ff2061");
}

TEST(ComposeTrace, EscapesEachByteClassAsItsOwnForm) {
  const std::pair<std::string, std::string> cases[] = {
      {std::string(1, '\0'), "\\u0000"}, {"\x01", "\\u0001"}, {"\b", "\\u0008"},
      {"\t", "\\u0009"},   {"\n", "\\u000a"}, {"\r", "\\u000d"}, {"\x1f", "\\u001f"},
      {" ", " "},          {"!", "!"},        {"\"", "\\\""},    {"/", "/"},
      {"\\", "\\\\"},      {"~", "~"},        {"\x7f", "\\u007f"}, {"\x80", "\\u0080"},
      {"\xe9", "\\u00e9"}, {"\xff", "\\u00ff"}, {"aZ09", "aZ09"},
  };
  for (const auto& [bytes, escaped] : cases)
    EXPECT_EQ(cli::JsonString(bytes), "\"" + escaped + "\"") << escaped;
  // Each of the 256 bytes: 161 as \u00XX, two with a backslash, 93 as they are.
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(cli::JsonString(all).size(), 2u + 161 * 6 + 2 * 2 + 93);
  EXPECT_EQ(cli::JsonString(""), "\"\"");
}

TEST(ComposeTrace, LinesHaveTheirFieldsInOrder) {
  EXPECT_EQ(cli::ChunkLine("found", "a\"b", 12, 5),
            "{\"event\":\"chunk\",\"source\":\"found\",\"file\":\"a\\\"b\",\"offset\":12,\"length\":5}\n");
  cli::SearchRecord record;
  record.pattern = "a\n";
  record.parts = 3;
  record.file = "f";
  record.offset = 7;
  record.matchLength = 4;
  record.position = 9;
  EXPECT_EQ(cli::SearchLine(record),
            "{\"event\":\"search\",\"pattern_hex\":\"610a\",\"parts\":3,\"file\":\"f\",\"offset\":7,"
            "\"match_length\":4,\"position\":9}\n");
  EXPECT_EQ(cli::SearchLine(cli::SearchRecord{}),
            "{\"event\":\"search\",\"pattern_hex\":\"\",\"parts\":0,\"file\":\"\",\"offset\":-1,"
            "\"match_length\":-1,\"position\":-1}\n");
}

// The try-help line every refused call of `compose` ends with.
std::string Refused(const std::string& why) {
  return "plinvaro-cli compose: " + why + "\nTry 'plinvaro-cli compose --help'.\n";
}

TEST_F(ComposeCliTest, ArgumentEdgesGiveExactlyTheseOutcomes) {
  const std::string base = samples + "/market.txt";
  const struct {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string err;
  } calls[] = {
      {"value missing at the end", {"--base", base, "--dir"}, 2, Refused("--dir needs a value")},
      {"lone dash at the end", {"--base", base, "--dir", samples, "-"}, 2,
       Refused("unexpected argument -")},
      {"lone dash with a value", {"-", "x", "--base", base, "--dir", samples}, 2,
       Refused("unknown option -")},
      {"double dash at the end", {"--base", base, "--dir", samples, "--"}, 2,
       Refused("-- needs a value")},
      {"double dash with a value", {"--", "x", "--base", base, "--dir", samples}, 2,
       Refused("unknown option --")},
      {"option taken as a value", {"--base", "--dir", samples}, 2,
       Refused("unexpected argument " + samples)},
      {"options are case sensitive", {"--Base", base, "--dir", samples}, 2,
       Refused("unknown option --Base")},
      {"plus sign", {"--base", base, "--dir", samples, "--words", "+5"}, 2,
       Refused("--words needs a whole number from 0 to 2147483647")},
      {"leading space", {"--base", base, "--dir", samples, "--words", " 5"}, 2,
       Refused("--words needs a whole number from 0 to 2147483647")},
      {"search every beyond range", {"--base", base, "--dir", samples, "--search-every", "2147483648"},
       2, Refused("--search-every needs a whole number from 1 to 2147483647")},
      {"empty base", {"--base", "", "--dir", samples}, 2, Refused("missing --base FILE")},
      {"empty directory", {"--base", base, "--dir", ""}, 2, Refused("missing --dir DIR")},
      {"no directory", {"--base", base}, 2, Refused("missing --dir DIR")},
      {"base is a directory", {"--base", samples, "--dir", samples}, 2,
       "plinvaro-cli compose: base file '" + samples + "' does not exist or is not a file\n"},
      {"last of a repeated option counts",
       {"--base", samples + "/absent.txt", "--base", base, "--dir", samples, "--words", "7",
        "--words", "0"},
       0, ""},
      {"largest seed", {"--base", base, "--dir", samples, "--words", "0", "--seed",
                        "18446744073709551615"}, 0, ""},
  };
  for (const auto& call : calls) {
    const CliRun run = Run(call.args);
    EXPECT_EQ(run.status, call.status) << call.name;
    EXPECT_EQ(run.err, call.err) << call.name;
    EXPECT_EQ(run.out, "") << call.name;
  }
}

TEST_F(ComposeCliTest, EarlyEndsNameTheChunksPlayedAndTheReason) {
  const std::string corpus = scratch.MakeSubdir("corpus");
  scratch.Write("corpus/other.txt", "and so the boat went out, far out to sea");
  // Played whole, then one jump: the rest of the found file, then nothing more.
  const std::string base = scratch.Write("base.txt", "a boat went");
  const CliRun run = Run({"--base", base, "--dir", corpus, "--words", "50"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "a boat went out, far out to sea");
  EXPECT_EQ(run.err,
            "plinvaro-cli compose: ended after 9 of 50 chunks: playback stopped and the search "
            "found nothing\n");
  const CliRun empty = Run({"--base", scratch.Write("empty.txt", ""), "--dir", corpus});
  EXPECT_EQ(empty.err,
            "plinvaro-cli compose: ended after 0 of 200 chunks: playback stopped with no text to "
            "search from\n");
  const CliRun exact = Run({"--base", base, "--dir", corpus, "--words", "3"});
  EXPECT_EQ(exact.out, "a boat went");
  EXPECT_EQ(exact.err, "");
}

TEST_F(ComposeCliTest, EndsEarlyAndSaysWhyWhenNothingIsFound) {
  const std::string base = scratch.Write("base.txt", "zzyzx qwv");
  const std::string corpus = scratch.MakeSubdir("corpus");
  scratch.Write("corpus/other.txt", "nothing alike in here");
  const CliRun run = Run({"--base", base, "--dir", corpus});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "zzyzx qwv");
  EXPECT_NE(run.err.find("found nothing"), std::string::npos) << run.err;

  const CliRun empty = Run({"--base", scratch.Write("empty.txt", ""), "--dir", corpus});
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.out, "");
  EXPECT_NE(empty.err.find("no text"), std::string::npos) << empty.err;
}

struct BadArgs {
  const char* name;
  std::vector<std::string> args;
  const char* message;
};

// Test names carry the case; this keeps failure messages readable too.
[[maybe_unused]] void PrintTo(const BadArgs& c, std::ostream* os) { *os << c.name; }

class ComposeUsageTest : public ComposeCliTest, public ::testing::WithParamInterface<BadArgs> {};

TEST_P(ComposeUsageTest, RefusesWithExitTwoAndAClearMessage) {
  std::vector<std::string> args = GetParam().args;
  for (std::string& arg : args)
    if (arg.rfind("@", 0) == 0) arg = samples + arg.substr(1);
  const CliRun run = Run(args);
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
  EXPECT_TRUE(run.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ComposeUsageTest,
    ::testing::Values(
        BadArgs{"MissingBase", {"--base", "@/absent.txt", "--dir", "@"}, "does not exist"},
        BadArgs{"MissingDirectory", {"--base", "@/market.txt", "--dir", "@/absent"}, "directory"},
        BadArgs{"NoBase", {"--dir", "@"}, "missing --base"},
        BadArgs{"BadWords", {"--base", "@/market.txt", "--dir", "@", "--words", "x"}, "--words"},
        BadArgs{"ZeroSearchEvery",
                {"--base", "@/market.txt", "--dir", "@", "--search-every", "0"}, "--search-every"},
        BadArgs{"UnknownOption", {"--base", "@/market.txt", "--dir", "@", "--fast", "1"}, "unknown"},
        BadArgs{"ValueMissing", {"--base"}, "needs a value"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(ComposeCliTest, HelpDocumentsEveryOption) {
  const CliRun run = Run({"--help"});
  EXPECT_EQ(run.status, 0);
  for (const char* option : {"--base", "--dir", "--words", "--search-every", "--seed", "--trace",
                             "pattern_hex", "match_length", "\\u00XX"})
    EXPECT_NE(run.out.find(option), std::string::npos) << option;
}

// Each file holds two words, so every switch plays one word and stops again:
// thirty stops in a row, each followed by a search that finds, never end the run.
TEST(ComposeCliChain, EverySearchThatFindsKeepsTheRunGoing) {
  TempDir scratch;
  const std::string chain = scratch.MakeSubdir("chain");
  std::string expected = "w0 w1";
  for (int k = 1; k < 30; ++k) {
    scratch.Write("chain/f" + std::to_string(k) + ".txt",
                  "w" + std::to_string(k) + " w" + std::to_string(k + 1));
    expected += " w" + std::to_string(k + 1);
  }
  const CliRun run = RunProgram({PLINVARO_CLI_PATH, "compose", "--base", scratch.Write("base.txt", "w0 w1"),
                                 "--dir", chain, "--words", "100", "--search-every", "1000"},
                                scratch);
  EXPECT_EQ(run.out, expected);
  // A switch plays the separator, then the word: two chunks per file.
  EXPECT_EQ(run.err,
            "plinvaro-cli compose: ended after 60 of 100 chunks: playback stopped and the search "
            "found nothing\n");

  // The count to the next search starts again at a search made because playback stopped.
  const std::string corpus = scratch.MakeSubdir("long");
  scratch.Write("long/f.txt", "w1 x1 x2 x3 x4 x5 x6 x7 x8");
  const std::string trace = scratch.Join("trace.json");
  const CliRun counted =
      RunProgram({PLINVARO_CLI_PATH, "compose", "--base", scratch.Join("base.txt"), "--dir", corpus,
                  "--words", "9", "--search-every", "3", "--trace", trace},
                 scratch);
  TraceCounts counts;
  EXPECT_EQ(ReplayTrace(trace, counts, 3), counted.out);
  EXPECT_GE(counts.searches, 2);
}

// Each pick shrinks the file it is about to open to the end of its match and
// restores the other, as files changing between the scan and the opening
// would: every search finds, yet every jump lands on used-up text.
class ShrinkingPicks : public RandomSource {
 public:
  ShrinkingPicks(TempDir& dir, std::vector<std::string> names) : dir_(dir), names_(std::move(names)) {
    Write(0, kFull);
    Write(1, kShrunk);
  }
  void Seed(std::uint32_t) override {}
  std::int32_t Next() override {
    Write(full_, kShrunk);
    full_ ^= 1;
    Write(full_, kFull);
    ++draws;
    return 0;
  }
  int draws = 0;

 private:
  static constexpr const char* kShrunk = "when the tide ";
  static constexpr const char* kFull = "when the tide turned";
  void Write(int which, const char* text) { dir_.Write(names_[which], text); }
  TempDir& dir_;
  std::vector<std::string> names_;
  int full_ = 0;
};

// Runs compose in this process with `picks` as its random source.
CliRun ComposeWithPicks(std::vector<std::string> args, RandomSource& picks) {
  args.insert(args.begin(), "compose");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  CliRun run;
  run.status = cli::RunComposeCommand(static_cast<int>(argv.size()), argv.data(), &picks);
  run.out = ::testing::internal::GetCapturedStdout();
  run.err = ::testing::internal::GetCapturedStderr();
  return run;
}

TEST(ComposeCliShrinking, EndsWhenEverySearchLeadsToUsedUpText) {
  TempDir scratch;
  const std::string corpus = scratch.MakeSubdir("corpus");
  ShrinkingPicks picks(scratch, {"corpus/a.txt", "corpus/b.txt"});
  const std::string base = scratch.Write("base.txt", "the tide ");
  const CliRun run = ComposeWithPicks({"--base", base, "--dir", corpus, "--words", "10"}, picks);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "the tide ");
  EXPECT_EQ(run.err,
            "plinvaro-cli compose: ended after 2 of 10 chunks: playback stopped and every search "
            "led to text that was used up\n");
  EXPECT_GT(picks.draws, 2);
}

// The first pick changes the directory as another program might during a run.
class DirectoryChangingPicks : public RandomSource {
 public:
  DirectoryChangingPicks(std::string corpus, void (*change)(const std::string&))
      : corpus_(std::move(corpus)), change_(change) {}
  void Seed(std::uint32_t) override {}
  std::int32_t Next() override {
    if (change_ != nullptr) std::exchange(change_, nullptr)(corpus_);
    return 0;
  }

 private:
  std::string corpus_;
  void (*change_)(const std::string&);
};

// The next search ends the run with the text so far and the exit status of a
// directory that was so from the start.
TEST(ComposeCliDirectoryChanges, ASearchFindingItGoneOrEmptiedEndsTheRun) {
  const struct {
    const char* name;
    void (*change)(const std::string&);
    int status;
    std::string why;
  } cases[] = {
      {"emptied", [](const std::string& d) { std::filesystem::remove(d + "/a.txt"); },
       cli::kExitNothingToSearch, "no .txt files in "},
      {"removed", [](const std::string& d) { std::filesystem::remove_all(d); }, cli::kExitUsage,
       " cannot be read: "},
  };
  for (const auto& c : cases) {
    TempDir scratch;
    const std::string corpus = scratch.MakeSubdir("corpus");
    scratch.Write("corpus/a.txt", "then the tide came in");
    DirectoryChangingPicks picks(corpus, c.change);
    const std::string base = scratch.Write("base.txt", "so the tide went out");
    const CliRun run = ComposeWithPicks(
        {"--base", base, "--dir", corpus, "--words", "10", "--search-every", "2"}, picks);
    EXPECT_EQ(run.status, c.status) << c.name;
    EXPECT_EQ(run.out, "so the ") << c.name;
    EXPECT_EQ(run.err.rfind("plinvaro-cli compose: ended after 2 of 10 chunks: ", 0), 0u)
        << run.err;
    EXPECT_NE(run.err.find(c.why), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace plinvaro::testing
