// Runs a program in a child process with its standard streams on files and a pipe, for end-to-end tests.
#pragma once

#include <string>
#include <vector>

#include "TempDir.h"

namespace plinvaro::testing {

struct CliRun {
  int status = -1;  // exit code; -1 when the child did not exit normally
  std::string out;
  std::string err;
};

// Runs `argv` (argv[0] is the program's path) with `input` written to its
// standard input through a pipe, then closed; stdout and stderr go to files
// in `scratch` and come back whole.
CliRun RunProgram(std::vector<std::string> argv, const TempDir& scratch,
                  const std::string& input = {});

}  // namespace plinvaro::testing
