// Runs a program in a child process with its standard streams on files and pipes, for end-to-end tests.
#pragma once

#include <string>
#include <vector>

#include "TempDir.h"

namespace plinvaro::testing {

// The status of a child that was still running when the watchdog ended it.
inline constexpr int kHung = -2;

struct CliRun {
  int status = -1;  // exit code; -1 when the child did not exit normally, kHung
  std::string out;
  std::string err;
  long maxRssKb = 0;  // the child's peak resident size in KiB
};

enum class CliOutput {
  File,        // standard output goes to a file in the scratch directory
  ClosedPipe,  // standard output is a pipe whose reader is gone before the first byte
};

struct CliOptions {
  std::string input = {};  // written to standard input through a pipe, then closed
  CliOutput output = CliOutput::File;
  bool unprivileged = false;  // when the tests run as root, the child drops to an unprivileged user
};

// Runs `argv` (argv[0] is the program's path) with SIGPIPE at its default, as a
// shell starts it; stdout and stderr go to files in `scratch` and come back
// whole. A child still running after a minute is killed.
CliRun RunProgram(std::vector<std::string> argv, const TempDir& scratch,
                  const CliOptions& options = {});

}  // namespace plinvaro::testing
