// Differential fuzz target: the production scan through every kernel, in case or regardless of it, against the plain reference scan.
//
// Each input becomes a pattern and a directory of up to five *.txt entries
// (empty files and a subdirectory included). The files are built from raw
// bytes and from tails of the pattern followed by a separator, so that matches
// of every length, the word-boundary rules and the part limit are all reached;
// now and then one file is put behind a word of half a megabyte, the size from
// which the scan maps files instead of reading them.
#include <fuzzer/FuzzedDataProvider.h>
#include <sys/stat.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzScratch.h"
#include "ReferenceScan.h"
#include "TempDir.h"
#include "search/PatternText.h"
#include "search/TextSearcher.h"

namespace plinvaro::fuzz {
namespace {

using testing::ReferenceFile;
using testing::ReferencePart;

constexpr int kMaxFiles = 5;
constexpr int kMaxPieces = 80;
constexpr std::size_t kMaxPatternInput = 96;
constexpr std::size_t kMaxRawPiece = 48;
constexpr std::size_t kLargeFileBytes = 520 * 1024;
const char kSeparators[] = " \t\n\r.,;:!?\"'()[]{}\x7f";

std::string BuildFile(FuzzedDataProvider& in, const std::string& pattern) {
  std::string text;
  const int pieces = in.ConsumeIntegralInRange(0, kMaxPieces);
  for (int i = 0; i < pieces && in.remaining_bytes() > 0; ++i) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
      case 0:
        text += in.ConsumeRandomLengthString(kMaxRawPiece);
        break;
      case 1:
      case 2: {
        // A tail of the pattern, its ASCII letters now and then in the other
        // case, then a separator or another byte.
        const std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, pattern.size());
        std::string tail = pattern.substr(pattern.size() - n);
        if (in.ConsumeBool())
          for (char& c : tail)
            if (std::isalpha(static_cast<unsigned char>(c))) c = static_cast<char>(c ^ 0x20);
        text += tail;
        text += in.ConsumeBool() ? kSeparators[in.ConsumeIntegralInRange<std::size_t>(
                                       0, sizeof kSeparators - 2)]
                                 : static_cast<char>(in.ConsumeIntegral<unsigned char>());
        break;
      }
      default:
        text += std::string(in.ConsumeIntegralInRange<std::size_t>(1, 4),
                            kSeparators[in.ConsumeIntegralInRange<std::size_t>(
                                0, sizeof kSeparators - 2)]);
        break;
    }
  }
  return text;
}

// A word byte (no separator) that does not occur in the pattern.
char PaddingByte(const std::string& pattern) {
  for (int b = 'A'; b <= 0xFF; ++b) {
    const char c = static_cast<char>(b);
    if (pattern.find(c) == std::string::npos && std::string_view(kSeparators).find(c) == std::string_view::npos &&
        !std::isspace(b))
      return c;
  }
  return 'Q';
}

std::vector<ReferencePart> ProductionParts(const TextSearcher& searcher) {
  std::vector<ReferencePart> parts;
  for (const auto& p : searcher.parts())
    parts.push_back({p->matchLength, p->offset, p->fileIndex, p->fileSize});
  return parts;
}

std::vector<ReferenceFile> FilesAsListed(const TextSearcher& searcher) {
  std::vector<ReferenceFile> files;
  for (const std::string& path : searcher.files()) {
    struct stat info {};
    const bool regular = ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    files.push_back({regular ? testing::ReadAll(path) : std::string(), regular});
  }
  return files;
}

void Print(const char* label, const std::vector<ReferencePart>& parts) {
  std::fprintf(stderr, "%s (%zu parts):", label, parts.size());
  for (const ReferencePart& p : parts)
    std::fprintf(stderr, " (%d,%d,f%d,%d)", p.matchLength, p.offset, p.fileIndex, p.fileSize);
  std::fputc('\n', stderr);
}

[[noreturn]] void Fail(const char* kernel, const std::vector<ReferencePart>& got,
                       const std::vector<ReferencePart>& want) {
  std::fprintf(stderr, "scan kernel %s differs from the reference scan\n", kernel);
  Print("production", got);
  Print("reference", want);
  std::abort();
}

// Loads `wanted` bytes of every part and compares them with the file.
void CheckPartTexts(TextSearcher& searcher, const std::vector<ReferenceFile>& files,
                    std::int32_t wanted) {
  for (const auto& part : searcher.parts()) {
    part->textLength = wanted;
    searcher.LoadPartText(part);
    const std::string& file = files[static_cast<std::size_t>(part->fileIndex)].bytes;
    const std::string expected =
        file.substr(static_cast<std::size_t>(part->offset), static_cast<std::size_t>(wanted));
    if (!part->text || std::string(part->text->begin(), part->text->end()) != expected) {
      std::fprintf(stderr, "part text at offset %d of file %d differs from the file\n",
                   part->offset, part->fileIndex);
      std::abort();
    }
  }
}

}  // namespace
}  // namespace plinvaro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace plinvaro;
  using namespace plinvaro::fuzz;
  static FuzzScratch scratch;
  FuzzedDataProvider in(data, size);

  const std::string raw = in.ConsumeRandomLengthString(kMaxPatternInput);
  const std::string pattern = TrimSeparators(PatternTail(raw));
  const int fileCount = in.ConsumeIntegralInRange(1, kMaxFiles);
  const bool withDirectory = in.ConsumeBool();

  // Fixed names, so a run only rewrites and removes entries, never lists them.
  bool haveLargeFile = false;
  for (int f = 0; f < kMaxFiles; ++f) {
    const std::string name = std::to_string(f) + (f % 2 == 0 ? ".txt" : ".TXT");
    if (f < fileCount) {
      std::string text = BuildFile(in, pattern);
      // Now and then one file large enough to be mapped rather than read: the
      // text behind one long word of a byte the pattern lacks, so that every
      // offset passes the threshold while the scans stay quick.
      if (!haveLargeFile && in.ConsumeIntegralInRange(0, 255) == 255) {  // never once the input runs out
        text = std::string(kLargeFileBytes, PaddingByte(pattern)) + text;
        haveLargeFile = true;
      }
      scratch.Write(name, text);
    } else {
      ::unlink(scratch.Join(name).c_str());
    }
  }
  if (withDirectory) {
    ::mkdir(scratch.Join("folder.txt").c_str(), 0755);
  } else {
    ::rmdir(scratch.Join("folder.txt").c_str());
  }
  static const bool ignoredWritten = (scratch.Write("ignored.text", "the old road"), true);
  (void)ignoredWritten;

  std::vector<ReferenceFile> files;
  std::vector<ReferencePart> reference;
  bool haveReference = false;
  const bool matchCase = in.ConsumeBool();
  for (ScanKernel kernel : {ScanKernel::Scalar, ScanKernel::Sse2, ScanKernel::Avx2, ScanKernel::Auto}) {
    if (!KernelAvailable(kernel)) continue;
    TextSearcher searcher;
    searcher.SetScanKernel(kernel);
    searcher.SetMatchCase(matchCase);
    searcher.ClearResults();
    searcher.EnumerateFiles(in.ConsumeBool() ? scratch.path() : scratch.path() + "/", pattern);
    if (searcher.listStatus() != ListStatus::Ok) std::abort();
    if (!haveReference) {
      files = FilesAsListed(searcher);
      reference = testing::ReferenceScan(files, pattern, matchCase);
      haveReference = true;
    }
    const std::vector<ReferencePart> got = ProductionParts(searcher);
    if (got != reference || searcher.PartCount() > TextSearcher::maxParts + 1)
      Fail(KernelName(kernel), got, reference);
    if (kernel == ScanKernel::Scalar) CheckPartTexts(searcher, files, in.ConsumeIntegralInRange(0, 600));
  }
  return 0;
}
