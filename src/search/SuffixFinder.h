// Backward search for a short needle; lets the scan jump straight to candidates that can match.
#pragma once

#include <cstdint>
#include <string>

namespace plinvaro {

// Which implementation of the search loop runs. Auto picks the widest one the
// CPU supports at run time; the others exist so tests can drive every path.
enum class ScanKernel { Auto, Scalar, Sse2, Avx2, Simd128 };  // Simd128: WebAssembly's

bool KernelAvailable(ScanKernel kernel);
const char* KernelName(ScanKernel kernel);

class SuffixFinder {
 public:
  // `needle` is copied; 1 or more bytes. An unavailable kernel falls back to Auto.
  SuffixFinder(std::string needle, ScanKernel kernel);

  // Largest end index e <= maxEnd with hay[e - n + 1 .. e] equal to the needle
  // (n its length), or -1 when there is none. Reads hay[0 .. maxEnd] only.
  std::int64_t FindLastEnd(const unsigned char* hay, std::int64_t maxEnd) const;

  ScanKernel kernel() const { return kernel_; }
  std::int64_t length() const { return view_.length; }  // needle bytes

  // Needle bytes and the three positions filtered on; the kernels read these.
  // Positions may coincide when the needle is shorter than three bytes.
  struct Needle {
    const unsigned char* bytes;
    std::int64_t length;
    std::int64_t rare1;  // position of the rarest byte
    std::int64_t rare2;  // position of the next rarest byte (rare1 when length is 1)
    std::int64_t rare3;  // rarest remaining position, preferably next to neither of the others
  };

 private:
  std::string needle_;
  Needle view_{};
  ScanKernel kernel_;
};

// Kernels: largest start s <= maxStart where the needle occurs, or -1.
std::int64_t FindLastStartScalar(const unsigned char* hay, std::int64_t maxStart,
                                 const SuffixFinder::Needle& needle);
#if defined(__i386__) || defined(__x86_64__)
std::int64_t FindLastStartSse2(const unsigned char* hay, std::int64_t maxStart,
                               const SuffixFinder::Needle& needle);
std::int64_t FindLastStartAvx2(const unsigned char* hay, std::int64_t maxStart,
                               const SuffixFinder::Needle& needle);
#endif
#if defined(__wasm_simd128__)
std::int64_t FindLastStartSimd128(const unsigned char* hay, std::int64_t maxStart,
                                  const SuffixFinder::Needle& needle);
#endif

}  // namespace plinvaro
