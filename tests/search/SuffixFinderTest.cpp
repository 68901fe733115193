// The backward needle search of every kernel against a naive search, at buffer edges too.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "ScanTestSupport.h"
#include "search/SuffixFinder.h"

namespace plinvaro {
namespace {

std::int64_t NaiveLastEnd(const std::string& hay, const std::string& needle, std::int64_t maxEnd) {
  const auto n = static_cast<std::int64_t>(needle.size());
  for (std::int64_t e = maxEnd; e >= n - 1; --e)
    if (hay.compare(static_cast<std::size_t>(e - n + 1), needle.size(), needle) == 0) return e;
  return -1;
}

class SuffixFinderKernels : public ::testing::TestWithParam<ScanKernel> {};

TEST_P(SuffixFinderKernels, AgreesWithNaiveSearch) {
  std::mt19937 rng(99u + static_cast<unsigned>(GetParam()));
  for (int round = 0; round < 3000; ++round) {
    const std::size_t size = std::uniform_int_distribution<std::size_t>(1, 300)(rng);
    const int spread = std::uniform_int_distribution<int>(2, 5)(rng);
    std::string hay(size, 'a');
    for (char& c : hay) c = static_cast<char>('a' + std::uniform_int_distribution<int>(0, spread - 1)(rng));
    const std::size_t length = std::uniform_int_distribution<std::size_t>(1, std::min<std::size_t>(size, 63))(rng);
    const std::size_t at = std::uniform_int_distribution<std::size_t>(0, size - length)(rng);
    const std::string needle = round % 4 == 0 ? std::string(length, 'e') : hay.substr(at, length);
    // An exact-size heap copy, so a sanitizer sees any read past the end.
    auto exact = std::make_unique<unsigned char[]>(size);
    std::memcpy(exact.get(), hay.data(), size);
    const SuffixFinder finder(needle, GetParam());
    ASSERT_EQ(finder.kernel(), GetParam());
    const auto maxEnd = static_cast<std::int64_t>(
        std::uniform_int_distribution<std::size_t>(0, size - 1)(rng));
    for (std::int64_t end : {static_cast<std::int64_t>(size) - 1, maxEnd})
      ASSERT_EQ(finder.FindLastEnd(exact.get(), end), NaiveLastEnd(hay, needle, end))
          << "hay '" << hay << "' needle '" << needle << "' maxEnd " << end;
  }
}

TEST_P(SuffixFinderKernels, FindsNeedlesAtBothEndsOfALongBuffer) {
  std::string hay(1000, 'x');
  hay.replace(0, 5, "quagg");
  hay.replace(995, 5, "quagg");
  const SuffixFinder finder("quagg", GetParam());
  const auto* bytes = reinterpret_cast<const unsigned char*>(hay.data());
  EXPECT_EQ(finder.FindLastEnd(bytes, 999), 999);
  EXPECT_EQ(finder.FindLastEnd(bytes, 998), 4);
  EXPECT_EQ(finder.FindLastEnd(bytes, 4), 4);
  EXPECT_EQ(finder.FindLastEnd(bytes, 3), -1);
}

INSTANTIATE_TEST_SUITE_P(Kernels, SuffixFinderKernels,
                         ::testing::ValuesIn(testing::AvailableKernels()),
                         testing::KernelParamName());

// The widest kernel this machine runs, which Auto and every fallback resolve to.
ScanKernel WidestAvailable() {
  for (ScanKernel k : {ScanKernel::Avx2, ScanKernel::Sse2, ScanKernel::Simd128})
    if (KernelAvailable(k)) return k;
  return ScanKernel::Scalar;
}

TEST(SuffixFinder, UnavailableKernelFallsBackToTheWidestRunnableOne) {
  const std::string hay = "xx ab yy ab zz";
  const auto* bytes = reinterpret_cast<const unsigned char*>(hay.data());
  // A value no build knows stands for a kernel this machine lacks, so the
  // fallback is taken whatever the CPU; named kernels it lacks fall back too.
  std::vector<ScanKernel> wanted = {static_cast<ScanKernel>(99), ScanKernel::Auto};
  for (ScanKernel k : {ScanKernel::Sse2, ScanKernel::Avx2, ScanKernel::Simd128})
    if (!KernelAvailable(k)) wanted.push_back(k);
  EXPECT_FALSE(KernelAvailable(static_cast<ScanKernel>(99)));
  for (ScanKernel k : wanted) {
    const SuffixFinder finder("ab", k);
    EXPECT_EQ(finder.kernel(), WidestAvailable()) << static_cast<int>(k);
    EXPECT_EQ(finder.FindLastEnd(bytes, 13), 10) << static_cast<int>(k);
    EXPECT_EQ(finder.FindLastEnd(bytes, 9), 4) << static_cast<int>(k);
  }
}

}  // namespace
}  // namespace plinvaro
