// plinvaro-cli search: runs what the Search command runs once it has its pattern, and lists the parts.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/CliCommands.h"
#include "panel/SearchOutcome.h"
#include "search/PatternText.h"
#include "search/TextSearcher.h"

namespace plinvaro::cli {
namespace {

constexpr const char* kSearchHelp =
    "Usage: plinvaro-cli search [--stats] [--ignore-case] DIR PATTERN\n"
    "       plinvaro-cli search [--stats] [--ignore-case] --pattern-file FILE DIR\n"
    "\n"
    "Searches every *.txt entry directly inside DIR (any letter case, in the\n"
    "order the directory lists them) for places whose text ends the way the\n"
    "pattern ends, as the Search command does: the pattern is cut to its last\n"
    "63 bytes (as if the caret stood right behind it), trailing separators are\n"
    "dropped, and the scan applies the word-boundary rules. Entries that cannot\n"
    "be read (empty files, subdirectories) are skipped.\n"
    "\n"
    "Prints one line per found part, longest match first (at most 51):\n"
    "  matchLength<TAB>offset<TAB>fileIndex<TAB>fileSize<TAB>path\n"
    "offset is the byte where the continuation begins; fileIndex counts the\n"
    "listed entries from 0; matchLength counts the file's bytes. Finding\n"
    "nothing is not an error; a DIR without any *.txt entry is (there was\n"
    "nothing to search).\n"
    "\n"
    "Options:\n"
    "  --pattern-file FILE  take the pattern's raw bytes from FILE, a regular\n"
    "                       file (only its last 63 bytes are read); '-' reads\n"
    "                       standard input to its end and keeps its last 63\n"
    "                       bytes (a pipe or device named as FILE is refused)\n"
    "  --ignore-case        match letters regardless of case, as with \"Match\n"
    "                       case\" off: ASCII letters, and letters of UTF-8 text\n"
    "                       by Unicode simple case folding (an upper-case umlaut\n"
    "                       matches the lower-case one; sharp s never matches\n"
    "                       ss); words and separators are decided as without it\n"
    "  --stats              print files, bytes scanned and elapsed time to stderr\n"
    "  --help               show this text\n"
    "\n"
    "Exit status: 0 on success (also when nothing is found); 1 when the list\n"
    "cannot be written (a full disk, a reader that went away); 2 when DIR or the\n"
    "pattern file cannot be read, DIR is empty or the arguments are wrong; 3 when\n"
    "DIR holds no *.txt entry.\n";

// The --pattern-file name that stands for standard input.
constexpr const char* kStdinName = "-";

struct SearchArgs {
  std::string directory;
  std::string pattern;
  std::string patternFile;
  bool haveDirectory = false;
  bool havePattern = false;
  bool stats = false;
  bool ignoreCase = false;
};

int Usage(const char* message) {
  std::fprintf(stderr, "plinvaro-cli search: %s\nTry 'plinvaro-cli search --help'.\n", message);
  return kExitUsage;
}

// The pattern a file gives: its last kMaxPatternBytes bytes, all a search
// takes. Only regular files are read, so a pipe or a device can neither block
// nor feed bytes without end.
bool ReadPatternFile(const std::string& path, std::string& out, std::string& why) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status)) {
    why = "no such file";
    return false;
  }
  if (!std::filesystem::is_regular_file(status)) {
    why = "not a regular file";
    return false;
  }
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
  if (size < 0) {
    why = "cannot be opened";
    return false;
  }
  const std::streamoff start = std::max<std::streamoff>(size - kMaxPatternBytes, 0);
  out.assign(static_cast<std::size_t>(size - start), '\0');
  in.seekg(start);
  in.read(out.data(), static_cast<std::streamsize>(out.size()));
  out.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) why = "read error";
  return !in.bad();
}

// The last kMaxPatternBytes bytes of a stream read to its end, in a fixed ring.
class TailRing {
 public:
  void Append(const char* bytes, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
      ring_[next_] = bytes[i];
      next_ = (next_ + 1) % ring_.size();
      if (held_ < ring_.size()) ++held_;
    }
  }
  // The held bytes, oldest first.
  std::string Bytes() const {
    const std::size_t oldest = (next_ + ring_.size() - held_) % ring_.size();
    std::string out;
    out.reserve(held_);
    for (std::size_t i = 0; i < held_; ++i) out += ring_[(oldest + i) % ring_.size()];
    return out;
  }

 private:
  std::array<char, kMaxPatternBytes> ring_{};
  std::size_t next_ = 0;
  std::size_t held_ = 0;
};

// The pattern standard input gives: its last kMaxPatternBytes bytes, read to
// the end of the stream in small blocks, so any length takes the same memory.
bool ReadPatternStdin(std::string& out, std::string& why) {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  TailRing tail;
  std::array<char, 4096> block;
  for (;;) {
    const std::size_t n = std::fread(block.data(), 1, block.size(), stdin);
    tail.Append(block.data(), n);
    if (n == block.size()) continue;
    if (std::ferror(stdin) != 0) {
      why = "read error";
      return false;
    }
    if (std::feof(stdin) != 0) break;
  }
  out = tail.Bytes();
  return true;
}

void PrintParts(const TextSearcher& searcher) {
  for (const auto& part : searcher.parts()) {
    const std::string path = searcher.FilePath(part->fileIndex);
    std::printf("%d\t%d\t%d\t%d\t", part->matchLength, part->offset, part->fileIndex,
                part->fileSize);
    std::fwrite(path.data(), 1, path.size(), stdout);
    std::fputc('\n', stdout);
  }
}

void PrintStats(const TextSearcher& searcher, double seconds) {
  const ScanStats& s = searcher.stats();
  const double gbPerSecond = seconds > 0 ? static_cast<double>(s.bytesScanned) / seconds / 1e9 : 0;
  std::fprintf(stderr,
               "files: %d listed, %d scanned, %d skipped\n"
               "bytes scanned: %lld\n"
               "elapsed: %.3f ms (%.2f GB/s)\n"
               "parts: %d\n",
               s.filesListed, s.filesScanned, s.filesSkipped,
               static_cast<long long>(s.bytesScanned), seconds * 1e3, gbPerSecond,
               searcher.PartCount());
}

// Places DIR, then PATTERN; false when there is no room for `arg`.
bool TakePositional(SearchArgs& args, const char* arg) {
  if (!args.haveDirectory) {
    args.directory = arg;
    args.haveDirectory = true;
    return true;
  }
  if (args.havePattern) return false;
  args.pattern = arg;
  args.havePattern = true;
  return true;
}

}  // namespace

int RunSearchCommand(int argc, char** argv) {
  SearchArgs args;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    const bool isOption = !optionsEnded && arg[0] == '-' && arg[1] != '\0';
    if (!isOption) {
      if (!TakePositional(args, arg)) return Usage("too many arguments");
    } else if (std::strcmp(arg, "--") == 0) {
      optionsEnded = true;
    } else if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
      std::fputs(kSearchHelp, stdout);
      return kExitOk;
    } else if (std::strcmp(arg, "--stats") == 0) {
      args.stats = true;
    } else if (std::strcmp(arg, "--ignore-case") == 0) {
      args.ignoreCase = true;
    } else if (std::strcmp(arg, "--pattern-file") == 0) {
      if (++i >= argc) return Usage("--pattern-file needs a file");
      args.patternFile = argv[i];
    } else {
      return Usage((std::string("unknown option ") + arg).c_str());
    }
  }
  if (!args.haveDirectory) return Usage("missing DIR");
  if (args.directory.empty()) return Usage("DIR is empty: no directory to search");
  if (!args.patternFile.empty()) {
    if (args.havePattern) return Usage("give either PATTERN or --pattern-file, not both");
    std::string why;
    const bool read = args.patternFile == kStdinName
                          ? ReadPatternStdin(args.pattern, why)
                          : ReadPatternFile(args.patternFile, args.pattern, why);
    if (!read) {
      std::fprintf(stderr, "plinvaro-cli search: cannot read pattern file '%s': %s\n",
                   args.patternFile.c_str(), why.c_str());
      return kExitUsage;
    }
  } else if (!args.havePattern) {
    return Usage("missing PATTERN");
  }

  TextSearcher searcher;
  searcher.SetMatchCase(!args.ignoreCase);
  const std::string trimmed = TrimSeparators(PatternTail(args.pattern));
  const auto started = std::chrono::steady_clock::now();
  searcher.ClearResults();
  searcher.EnumerateFiles(args.directory, trimmed);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
  const SearchOutcome outcome = OutcomeOfScan(searcher, args.directory);
  if (outcome.kind == SearchOutcomeKind::CannotRead) {
    std::fprintf(stderr, "plinvaro-cli search: cannot read directory '%s': %s\n",
                 args.directory.c_str(), outcome.reason.c_str());
    return kExitUsage;
  }
  if (outcome.kind == SearchOutcomeKind::NoTextFiles) {
    std::fprintf(stderr, "plinvaro-cli search: %s\n", SearchOutcomeText(outcome).c_str());
    if (args.stats) PrintStats(searcher, elapsed.count());
    return kExitNothingToSearch;
  }
  PrintParts(searcher);
  if (args.stats) PrintStats(searcher, elapsed.count());
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    std::fputs("plinvaro-cli search: cannot write the parts to stdout\n", stderr);
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace plinvaro::cli
