// Corpus generation for the benchmark: words of samples/ in random order, twelve to a line.
#include "BenchCorpus.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "TempDir.h"

namespace plinvaro::bench {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> SampleWords() {
  std::vector<std::string> words;
  for (const auto& entry : fs::directory_iterator(PLINVARO_SAMPLES_DIR)) {
    if (entry.path().extension() != ".txt") continue;
    std::istringstream in(plinvaro::testing::ReadAll(entry.path().string()));
    for (std::string w; in >> w;) words.push_back(w);
  }
  if (words.empty()) words = {"the", "old", "road", "ran", "by", "the", "river."};
  return words;
}

void WriteCorpusFile(const std::string& path, std::size_t size, std::mt19937& rng,
                     const std::vector<std::string>& words) {
  std::string text;
  text.reserve(size + 64);
  std::uniform_int_distribution<std::size_t> pick(0, words.size() - 1);
  int onLine = 0;
  while (text.size() < size) {
    text += words[pick(rng)];
    if (++onLine == 12) {
      text += (rng() % 8 == 0) ? "\n\n" : "\n";
      onLine = 0;
    } else {
      text += ' ';
    }
  }
  std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
}

// Makes `count` files named part<i>.txt in `name` under the temporary directory,
// sized by `sizeOf(i, rng)`, unless a finished earlier run left them there.
Corpus MakeCorpus(const std::string& name, int count,
                  const std::function<std::size_t(int, std::mt19937&)>& sizeOf) {
  Corpus c;
  c.dir = (fs::temp_directory_path() / name).string();
  const std::string doneMarker = c.dir + "/complete";
  const bool complete = fs::exists(doneMarker);
  if (!complete) {
    fs::remove_all(c.dir);
    fs::create_directories(c.dir);
  }
  std::mt19937 rng(2026);
  std::vector<std::string> words;
  for (int i = 0; i < count; ++i) {
    const std::string path = c.dir + "/part" + std::to_string(i) + ".txt";
    const std::size_t size = sizeOf(i, rng);
    if (!complete) {
      if (words.empty()) words = SampleWords();
      WriteCorpusFile(path, size, rng, words);
    }
    c.paths.push_back(path);
    const auto actual = static_cast<std::int64_t>(fs::file_size(path));
    c.bytes += actual;
    if (actual > c.largestFile) c.largestFile = actual;
  }
  if (!complete) std::ofstream(doneMarker) << "generated\n";
  return c;
}

}  // namespace

const Corpus& MainCorpus() {
  static const Corpus corpus = [] {
    const char* mbText = std::getenv("PLINVARO_BENCH_MB");
    const std::int64_t totalMb = mbText != nullptr ? std::atoll(mbText) : 250;
    const auto perFile = static_cast<std::size_t>(totalMb * 1000 * 1000 / 100);
    return MakeCorpus("plinvaro-bench-corpus-" + std::to_string(totalMb) + "mb", 100,
                      [perFile](int, std::mt19937&) { return perFile; });
  }();
  return corpus;
}

const Corpus& ManySmallFiles() {
  static const Corpus corpus = MakeCorpus("plinvaro-bench-20000-files", 20000, [](int, std::mt19937& rng) {
    return std::uniform_int_distribution<std::size_t>(1000, 6000)(rng);
  });
  return corpus;
}

const Corpus& LargeFolder() {
  static const Corpus corpus = MakeCorpus("plinvaro-bench-2gb", 256, [](int, std::mt19937&) {
    return std::size_t{8} * 1000 * 1000;
  });
  return corpus;
}

void WarmUp(const Corpus& corpus) {
  std::vector<char> buffer(1 << 20);
  for (const auto& path : corpus.paths) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    while (::read(fd, buffer.data(), buffer.size()) > 0) {
    }
    ::close(fd);
  }
}

}  // namespace plinvaro::bench
