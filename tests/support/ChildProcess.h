// Runs a check in a forked child, as an unprivileged user when the tests run as root.
#pragma once

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace plinvaro::testing {

// The user and group that own nothing.
inline constexpr uid_t kUnprivilegedId = 65534;

inline bool RunningAsRoot() { return ::geteuid() == 0; }

// Hands `path` to the unprivileged user, so that the child may write it; true
// when there is nothing to hand over (not root).
inline bool GiveToUnprivileged(const std::string& path) {
  return !RunningAsRoot() || ::chown(path.c_str(), kUnprivilegedId, kUnprivilegedId) == 0;
}

// Runs `check` (returning an exit code, 0 for success) in a child process that
// first drops root privileges, so that file permissions really apply. Returns
// the child's exit code, 90 when privileges could not be dropped, -1 when the
// child did not exit normally.
template <class Check>
int RunUnprivileged(Check check) {
  const pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) {
    if (RunningAsRoot() && (::setgroups(0, nullptr) != 0 || ::setgid(kUnprivilegedId) != 0 ||
                            ::setuid(kUnprivilegedId) != 0))
      ::_exit(90);
    ::_exit(check());
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace plinvaro::testing
