// The oracle scan: every candidate, plain backward comparison, stable sort.
#include "ReferenceScan.h"

#include <algorithm>
#include <array>

namespace plinvaro::testing {
namespace {

// Byte classes written out independently of the production table.
bool RefIsSpace(unsigned char b) { return b == ' ' || (b >= 9 && b <= 13); }

bool RefIsPunct(unsigned char b) {
  static const std::string kPunct = "!\"'(),./:;?[\\]`{|}~\x7f";
  return kPunct.find(static_cast<char>(b)) != std::string::npos;
}

// Looked up once per byte of every scanned file, so kept in a table.
bool RefIsSeparator(unsigned char b) {
  static const std::array<bool, 256> kTable = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c)
      table[static_cast<std::size_t>(c)] =
          RefIsSpace(static_cast<unsigned char>(c)) || RefIsPunct(static_cast<unsigned char>(c));
    return table;
  }();
  return kTable[b];
}

constexpr std::size_t kMaxParts = 50;

// Scans one file; returns false when the part limit was exceeded.
bool ScanOne(const std::string& text, const std::string& p, std::int32_t minMatch,
             std::int32_t fileIndex, std::vector<ReferencePart>& out) {
  const auto d = [&](long long i) { return static_cast<unsigned char>(text[static_cast<std::size_t>(i)]); };
  const long long n = static_cast<long long>(text.size());
  const long long len = static_cast<long long>(p.size());
  long long e = n - 1;
  while (e > 0) {
    const long long lo = (e + 1 < len) ? len - 1 - e : 0;
    long long k = len - 1;
    bool saw = false;
    while (k >= lo) {
      const unsigned char b = d(e - (len - 1 - k));
      if (RefIsSeparator(b)) saw = true;
      if (b != static_cast<unsigned char>(p[static_cast<std::size_t>(k)])) break;
      --k;
    }
    const long long first = k + 1;
    const long long m = len - first;
    const bool reject = m < minMatch || (first != lo && !saw) ||
                        (e != n - 1 && !RefIsSeparator(d(e + 1)));
    if (reject) {
      --e;
      continue;
    }
    if (e + 1 >= n) return true;
    long long q = e + 1;
    bool onlySeparatorsFollow = true;
    for (; q < n; ++q) {
      if (!RefIsSeparator(d(q))) {
        onlySeparatorsFollow = false;
        break;
      }
    }
    if (onlySeparatorsFollow) return true;
    out.push_back({static_cast<std::int32_t>(m), static_cast<std::int32_t>(e + 1), fileIndex,
                   static_cast<std::int32_t>(n)});
    if (out.size() > kMaxParts) return false;
    e -= m;
  }
  return true;
}

}  // namespace

std::int32_t ReferenceMinMatchLength(const std::string& p) {
  const long long len = static_cast<long long>(p.size());
  const auto at = [&](long long i) { return static_cast<unsigned char>(p[static_cast<std::size_t>(i)]); };
  long long i = len - 1;
  while (i >= 0 && !RefIsSpace(at(i))) --i;
  long long result = len - i - 1;
  if (result == 1 && i >= 0) {
    while (i >= 0 && RefIsSpace(at(i))) --i;
    if (i < 0) return static_cast<std::int32_t>(len);
    while (i >= 0 && !RefIsSpace(at(i))) --i;
    result = len - i - 1;
  }
  return static_cast<std::int32_t>(result);
}

std::vector<ReferencePart> ReferenceScan(const std::vector<ReferenceFile>& files,
                                         const std::string& pattern) {
  std::vector<ReferencePart> parts;
  const std::int32_t minMatch = ReferenceMinMatchLength(pattern);
  if (minMatch == 1) return parts;
  for (std::size_t f = 0; f < files.size(); ++f) {
    if (!files[f].readable || files[f].bytes.empty()) continue;
    if (!ScanOne(files[f].bytes, pattern, minMatch, static_cast<std::int32_t>(f), parts)) break;
  }
  std::stable_sort(parts.begin(), parts.end(), [](const ReferencePart& a, const ReferencePart& b) {
    return a.matchLength > b.matchLength;
  });
  return parts;
}

}  // namespace plinvaro::testing
