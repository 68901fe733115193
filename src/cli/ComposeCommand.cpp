// plinvaro-cli compose: drives the real MainPanel headlessly, as a user in "On The Fly Mode" would.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "cli/CliCommands.h"
#include "cli/ComposeTrace.h"
#include "cli/HeadlessPlatform.h"
#include "text/AnsiConversion.h"
#include "panel/MainPanel.h"
#include "provenance/SeamTexts.h"

namespace plinvaro::cli {
namespace {

// Searches in a row that restart playback without a single chunk played.
constexpr int kMaxStalledSearches = 20;

constexpr const char* kComposeHelp =
    "Usage: plinvaro-cli compose --base FILE --dir DIR [--words N]\n"
    "                            [--search-every K] [--seed S] [--weight FILE=W]...\n"
    "                            [--trace FILE]\n"
    "\n"
    "Runs the panel headlessly as a user in \"On The Fly Mode\" would: chooses\n"
    "FILE as the base file with \"Open...\", types DIR as the base directory,\n"
    "presses Start, then delivers timer ticks while the timer runs. Each tick\n"
    "plays one chunk (a word and the white space after it). Search is pressed\n"
    "after every K played chunks (counted since the last search) and whenever\n"
    "playback stopped by itself at the end of its source. Each search takes the\n"
    "last 63 bytes before the caret, picks one found part at random and plays\n"
    "on from it; when nothing is found, playback resumes where it was. A part\n"
    "is picked with a chance in proportion to its file's weight, and never\n"
    "where playback already stands (same file, same place) while another can be.\n"
    "\n"
    "The source text (one byte per character, as \"Save as...\" writes it) goes\n"
    "to stdout once N chunks were played. The run ends early, saying why on\n"
    "stderr, when playback has stopped and a search finds nothing, cannot run\n"
    "(no text to take a pattern from), or keeps leading to used-up text.\n"
    "A chunk holding a NUL byte is inserted only up to that byte.\n"
    "\n"
    "Options:\n"
    "  --base FILE        the base file (required)\n"
    "  --dir DIR          the directory whose *.txt files are searched (required)\n"
    "  --words N          chunks to play, default 200\n"
    "  --search-every K   chunks between searches, at least 1, default 12\n"
    "  --seed S           seed of the random pick (0 to 2^64-1), default 1;\n"
    "                     the same seed and files give the same output\n"
    "  --weight FILE=W    FILE's weight in the pick, W from 0 (left out) to 10;\n"
    "                     1 unless given. FILE is a *.txt file of DIR, by its\n"
    "                     name or its path; repeatable, the last for a file counts\n"
    "  --trace FILE       write the run's provenance to FILE as JSON, the format\n"
    "                     \"Export sources...\" writes (one object per line), with\n"
    "                     an \"events\" array after its head: one object per line,\n"
    "                     each followed by a comma, ending with {\"event\":\"end\"}:\n"
    "    {\"event\":\"chunk\",\"source\":\"base\"|\"found\",\"file\":PATH,\"offset\":O,\"length\":N}\n"
    "        O is the byte position in PATH before the chunk, N its length;\n"
    "    {\"event\":\"weights\",\"directory\":DIR,\"files\":[{\"name\":NAME,\"weight\":W},...]}\n"
    "        first of all, when --weight gave a file a weight other than 1;\n"
    "    {\"event\":\"search\",\"pattern_hex\":HEX,\"parts\":COUNT,\"file\":PATH,\n"
    "     \"offset\":OFFSET,\"match_length\":M,\"position\":POS}\n"
    "        HEX is the search pattern's bytes in hex, COUNT the parts found,\n"
    "        PATH, OFFSET and M those of the picked part, POS the position in\n"
    "        PATH where playback goes on (after the skipped separators). When\n"
    "        nothing was found PATH is \"\" and OFFSET, M and POS are -1.\n"
    "    After the events: \"base_directory\":DIR,\"length\":L,\"spans\":[...]}, one\n"
    "    {\"start\":S,\"end\":E,\"kind\":K,\"file\":PATH,\"offset\":O,\"shared\":WORDS}\n"
    "    per line: the text's units S to E came from PATH's bytes from O; K is\n"
    "    base or found here; WORDS the words the join before it shared.\n"
    "    Paths keep their bytes: '\"' and '\\' are escaped with a backslash, and\n"
    "    every byte below 0x20 or from 0x7F up is written as \\u00XX, one code\n"
    "    point per byte, so the trace is plain ASCII.\n"
    "  --help             show this text\n"
    "\n"
    "Exit status: 0 when the text was written (also after an early end); 2 on\n"
    "bad arguments, a missing base file or directory, or a trace file that\n"
    "cannot be created (a missing directory, a pipe nobody reads); 1 when\n"
    "writing the output or the trace failed (a full disk, a reader that went\n"
    "away); 3 when DIR holds no *.txt entry, so there is nothing to wander into\n"
    "(nothing is played). A search that finds DIR gone or emptied during the\n"
    "run ends it early with 2 or 3, after the text so far was written.\n";

struct ComposeArgs {
  std::string base;
  std::string directory;
  std::string tracePath;
  long long words = 200;
  long long searchEvery = 12;
  unsigned long long seed = 1;
  std::vector<std::pair<std::string, std::int32_t>> weights;  // FILE as given, W
};

int Usage(const std::string& message) {
  std::fprintf(stderr, "plinvaro-cli compose: %s\nTry 'plinvaro-cli compose --help'.\n",
               message.c_str());
  return kExitUsage;
}

template <typename Number>
bool ParseNumber(const char* text, Number& out) {
  const char* end = text + std::strlen(text);
  const auto result = std::from_chars(text, end, out);
  return result.ec == std::errc() && result.ptr == end && end != text;
}

// Returns kExitOk when parsing should go on to the run, another code otherwise.
int ParseArgs(int argc, char** argv, ComposeArgs& args, bool& helpShown) {
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (name == "--help" || name == "-h") {
      std::fputs(kComposeHelp, stdout);
      helpShown = true;
      return kExitOk;
    }
    if (i + 1 >= argc) return Usage(name.rfind("--", 0) == 0 ? name + " needs a value"
                                                             : "unexpected argument " + name);
    const char* value = argv[++i];
    if (name == "--base") {
      args.base = value;
    } else if (name == "--dir") {
      args.directory = value;
    } else if (name == "--trace") {
      args.tracePath = value;
    } else if (name == "--words") {
      if (!ParseNumber(value, args.words) || args.words < 0 || args.words > INT32_MAX)
        return Usage("--words needs a whole number from 0 to 2147483647");
    } else if (name == "--search-every") {
      if (!ParseNumber(value, args.searchEvery) || args.searchEvery < 1 ||
          args.searchEvery > INT32_MAX)
        return Usage("--search-every needs a whole number from 1 to 2147483647");
    } else if (name == "--weight") {
      const std::string given = value;
      const std::size_t equals = given.rfind('=');
      const std::optional<std::int32_t> weight =
          equals == std::string::npos ? std::nullopt : ParseWeight(given.substr(equals + 1));
      if (!weight || equals == 0)
        return Usage("--weight needs FILE=W, W a whole number from 0 to " + std::to_string(kMaxWeight));
      args.weights.emplace_back(given.substr(0, equals), *weight);
    } else if (name == "--seed") {
      if (!ParseNumber(value, args.seed))
        return Usage("--seed needs a whole number from 0 to 18446744073709551615");
    } else {
      return Usage("unknown option " + name);
    }
  }
  if (args.base.empty()) return Usage("missing --base FILE");
  if (args.directory.empty()) return Usage("missing --dir DIR");
  return kExitOk;
}

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// Creates the trace file for writing. A pipe without a reader fails at once
// instead of blocking the run.
FilePtr OpenTrace(const std::string& path) {
#ifdef _WIN32
  return FilePtr(std::fopen(path.c_str(), "wb"), &std::fclose);
#else
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) return FilePtr(nullptr, &std::fclose);
  const int flags = ::fcntl(fd, F_GETFL);
  std::FILE* file = nullptr;
  if (flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0) file = ::fdopen(fd, "wb");
  if (file == nullptr) ::close(fd);
  return FilePtr(file, &std::fclose);
#endif
}

int CheckInputs(const ComposeArgs& args) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(args.base, error)) {
    std::fprintf(stderr, "plinvaro-cli compose: base file '%s' does not exist or is not a file\n",
                 args.base.c_str());
    return kExitUsage;
  }
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> probe(std::fopen(args.base.c_str(), "rb"),
                                                              &std::fclose);
  if (!probe) {
    std::fprintf(stderr, "plinvaro-cli compose: cannot read base file '%s'\n", args.base.c_str());
    return kExitUsage;
  }
  const DirectoryListing listing = ListTextFileNames(args.directory);
  if (listing.status != ListStatus::Ok) {
    std::fprintf(stderr, "plinvaro-cli compose: cannot read directory '%s': %s\n",
                 args.directory.c_str(), listing.errorText.c_str());
    return kExitUsage;
  }
  if (listing.names.empty()) {
    SearchOutcome outcome;
    outcome.kind = SearchOutcomeKind::NoTextFiles;
    outcome.directory = args.directory;
    std::fprintf(stderr, "plinvaro-cli compose: %s: nothing to wander into\n",
                 SearchOutcomeText(outcome).c_str());
    return kExitNothingToSearch;
  }
  for (const auto& [file, weight] : args.weights) {
    const std::string name = BaseNameOf(file);
    const bool listed = std::find(listing.names.begin(), listing.names.end(), name) != listing.names.end();
    // A path must lead to DIR's file of that name, not to one elsewhere.
    const bool inDirectory = name == file || IsSameFile(file, args.directory + kPathSeparator + name);
    if (!listed || !inDirectory) return Usage("--weight: " + file + " is no *.txt file of " + args.directory);
  }
  return kExitOk;
}

// Why a run ended before its N chunks, and the exit status that goes with it.
struct EarlyEnd {
  std::string why;  // empty when the run was not cut short
  int status = kExitOk;
};

// A search that found the directory unreadable or without *.txt entries ends
// the run: no later search could find anything either.
std::optional<EarlyEnd> NothingToSearch(const SearchOutcome& outcome) {
  if (outcome.kind == SearchOutcomeKind::CannotRead)
    return EarlyEnd{SearchOutcomeText(outcome), kExitUsage};
  if (outcome.kind == SearchOutcomeKind::NoTextFiles)
    return EarlyEnd{SearchOutcomeText(outcome), kExitNothingToSearch};
  return std::nullopt;
}

// Counts what the panel did and writes the trace.
class Composer : public PanelObserver {
 public:
  Composer(MainPanel& panel, std::FILE* trace) : panel_(panel), trace_(trace) {}

  void ChunkPlayed(const PlayedChunk& chunk) override {
    ++chunks_;
    if (trace_ == nullptr) return;
    const char* source = chunk.source == PlaybackSource::Base ? "base" : "found";
    Write(TraceEvent(ChunkLine(source, chunk.file, chunk.offset, chunk.length)));
  }

  void SearchDone(bool found) override {
    if (trace_ == nullptr) return;
    SearchRecord record;
    record.pattern = panel_.pattern();
    record.parts = panel_.results().PartCount();
    if (found) {
      const FoundPart& part = *panel_.currentFoundPart();
      record.file = panel_.foundFile();
      record.offset = part.offset;
      record.matchLength = part.matchLength;
      record.position = panel_.found().position;
    }
    Write(TraceEvent(SearchLine(record)));
  }

  // The trace's head before the run, with the weights of `directory`'s files;
  // its end and the provenance after it.
  void BeginTrace(const std::string& directory) {
    if (trace_ == nullptr) return;
    Write(TraceHead());
    const SourceWeights::Names& weights = panel_.weights().In(directory);
    if (!weights.empty()) Write(TraceEvent(WeightsLine(directory, weights)));
  }
  void EndTrace(const std::string& directory) {
    if (trace_ != nullptr) Write(TraceTail(panel_.provenance(), directory));
  }

  void SearchReported(const SearchOutcome& outcome) override { lastOutcome_ = outcome; }

  // Presses Search; what it came to.
  const SearchOutcome& PressSearch() {
    panel_.RunSearch();
    return lastOutcome_;
  }

  long long chunks() const { return chunks_; }

 private:
  void Write(const std::string& line) { std::fwrite(line.data(), 1, line.size(), trace_); }

  MainPanel& panel_;
  std::FILE* trace_;
  long long chunks_ = 0;
  SearchOutcome lastOutcome_;
};

// Plays until `words` chunks are in; says why when it ended early.
EarlyEnd Play(const ComposeArgs& args, HeadlessPlatform& face, MainPanel& panel,
              Composer& composer) {
  long long sinceSearch = 0;
  int stalledSearches = 0;
  while (composer.chunks() < args.words) {
    if (!face.timer.running) {
      sinceSearch = 0;
      const SearchOutcome& outcome = composer.PressSearch();
      if (auto end = NothingToSearch(outcome)) return *end;
      if (outcome.kind == SearchOutcomeKind::NoMatch)
        return {"playback stopped and the search found nothing"};
      if (outcome.kind == SearchOutcomeKind::AllLeftOut)
        return {"playback stopped and the search found only parts in files of weight 0"};
      if (outcome.kind != SearchOutcomeKind::Found)
        return {"playback stopped with no text to search from"};
      if (++stalledSearches > kMaxStalledSearches)
        return {"playback stopped and every search led to text that was used up"};
      continue;
    }
    // A source box counts its text in signed 32-bit units; the run ends before
    // a chunk from the rest of the source could go beyond that.
    const TextSource& source = panel.ActiveSource();
    const std::int64_t left = std::max<std::int64_t>(source.size - source.position, 0);
    if (face.sourceBox.Length() + left > INT32_MAX)
      return {"the text would grow beyond the 2 GiB a source box holds"};
    const long long before = composer.chunks();
    panel.PlaybackTick();
    if (composer.chunks() == before) continue;
    stalledSearches = 0;
    if (++sinceSearch >= args.searchEvery && composer.chunks() < args.words) {
      sinceSearch = 0;
      if (auto end = NothingToSearch(composer.PressSearch())) return *end;
    }
  }
  return {};
}

bool WriteSourceText(MemoryDocument& sourceBox) {
  const std::int32_t n = sourceBox.Length();
  const std::string bytes = sourceBox.GetRangeBytes(0, n);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
  return std::fflush(stdout) == 0 && written;
}

}  // namespace

int RunComposeCommand(int argc, char** argv) { return RunComposeCommand(argc, argv, nullptr); }

int RunComposeCommand(int argc, char** argv, RandomSource* picks) {
  ComposeArgs args;
  bool helpShown = false;
  if (const int status = ParseArgs(argc, argv, args, helpShown); status != kExitOk || helpShown)
    return status;
  if (const int status = CheckInputs(args); status != kExitOk) return status;

  FilePtr trace(nullptr, &std::fclose);
  if (!args.tracePath.empty()) {
    trace = OpenTrace(args.tracePath);
    if (!trace) {
      std::fprintf(stderr, "plinvaro-cli compose: cannot create trace file '%s'\n",
                   args.tracePath.c_str());
      return kExitUsage;
    }
  }

  PinnedRandom seeded(args.seed);
  HeadlessPlatform face(picks != nullptr ? *picks : seeded);
  MainPanel panel(face.platform());
  panel.SetPickAvoidsCurrentPlace(true);
  for (const auto& [file, weight] : args.weights)
    panel.SetSourceWeight(args.directory, BaseNameOf(file), weight);
  Composer composer(panel, trace.get());
  panel.SetObserver(&composer);
  composer.BeginTrace(args.directory);

  face.dialogs.openAnswers.push_back(args.base);
  panel.OpenBaseFile();
  face.controls.SetDirectoryText(args.directory);
  panel.StartPlayback();
  const EarlyEnd earlyEnd = Play(args, face, panel, composer);
  composer.EndTrace(args.directory);
  if (!earlyEnd.why.empty())
    std::fprintf(stderr, "plinvaro-cli compose: ended after %lld of %lld chunks: %s\n",
                 composer.chunks(), args.words, earlyEnd.why.c_str());

  if (!WriteSourceText(face.sourceBox)) {
    std::fputs("plinvaro-cli compose: cannot write the text to stdout\n", stderr);
    return kExitFailure;
  }
  if (trace && (std::fflush(trace.get()) != 0 || std::ferror(trace.get()) != 0)) {
    std::fprintf(stderr, "plinvaro-cli compose: cannot write trace file '%s'\n",
                 args.tracePath.c_str());
    return kExitFailure;
  }
  return earlyEnd.status;
}

}  // namespace plinvaro::cli
