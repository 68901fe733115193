// plinvaro-cli compose: placeholder until the headless controller lands.
#include <cstdio>

#include "cli/CliCommands.h"

namespace plinvaro::cli {

int RunComposeCommand(int, char**) {
  std::fputs("plinvaro-cli compose: not available in this build\n", stderr);
  return kExitUsage;
}

}  // namespace plinvaro::cli
