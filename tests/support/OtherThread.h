// OtherThread: runs a piece of a test on another thread, where the build has threads.
#pragma once

#include <functional>
#ifndef _WIN32
#include <thread>
#endif

namespace plinvaro::testing {

// Runs `work` on a thread of its own and waits for it; on this thread in the
// 32-bit MinGW build, which has no std::thread.
inline void RunOnAnotherThread(const std::function<void()>& work) {
#ifdef _WIN32
  work();
#else
  std::thread worker(work);
  worker.join();
#endif
}

}  // namespace plinvaro::testing
