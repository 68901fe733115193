// Scratch directories for tests.
#include "TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#ifdef _WIN32
#include <process.h>
#endif

namespace plinvaro::testing {

#ifdef _WIN32
TempDir::TempDir() {
  // No mkdtemp here: try fresh names until one can be created.
  static unsigned counter = 0;
  const auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const auto candidate = base / ("plinvaro-test-" + std::to_string(::_getpid()) + "-" +
                                   std::to_string(counter++));
    std::error_code error;
    if (std::filesystem::create_directory(candidate, error)) {
      path_ = candidate.string();
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary directory");
}
#else
TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "plinvaro-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}
#endif

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

#ifdef _WIN32
// Backslashes throughout, as the searcher joins its paths here.
std::string TempDir::Join(std::string_view name) const {
  std::string full = path_ + "\\" + std::string(name);
  for (char& c : full)
    if (c == '/') c = '\\';
  return full;
}
#else
std::string TempDir::Join(std::string_view name) const { return path_ + "/" + std::string(name); }
#endif

std::string TempDir::Write(std::string_view name, std::string_view bytes) const {
  const std::string full = Join(name);
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + full);
  return full;
}

std::string TempDir::MakeSubdir(std::string_view name) const {
  const std::string full = Join(name);
  std::filesystem::create_directory(full);
  return full;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return {};
  std::string bytes(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

}  // namespace plinvaro::testing
