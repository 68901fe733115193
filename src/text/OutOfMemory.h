// The one out-of-memory policy of the core, and the two helpers that carry it out.
//
// Policy: memory whose size the input decides (a file's bytes, a part's text,
// the hits of a scan) may be refused by the system, and that is never fatal.
// Such an allocation goes through TryAllocateBytes or TryWithMemory, and the
// caller reports a plain outcome instead: the file counts as one whose bytes
// could not be had (FileOpenError::CannotMap), a part's text as not loaded.
// Small allocations of fixed size are not guarded; std::bad_alloc never
// crosses the core's interface.
#pragma once

#include <cstddef>
#include <memory>
#include <new>

namespace plinvaro {

// `count` bytes of uninitialised storage, owned by the result; null when the
// system refuses them.
inline std::unique_ptr<unsigned char[]> TryAllocateBytes(std::size_t count) {
  return std::unique_ptr<unsigned char[]>(new (std::nothrow) unsigned char[count]);
}

// Runs `step`; false when it ran out of memory (whatever it had done stays done).
template <typename Step>
bool TryWithMemory(Step&& step) {
  try {
    step();
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace plinvaro
