// plinvaro-cli entry: dispatches to a subcommand and prints the overall help.
#include <csignal>
#include <cstdio>
#include <cstring>

#include "cli/CliCommands.h"
#include "plinvaro/Version.h"

namespace {

constexpr const char* kHelp =
    "Usage: plinvaro-cli COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  search DIR PATTERN   list the continuations of PATTERN in DIR's *.txt files\n"
    "  compose              play a base file and wander through DIR headlessly\n"
    "Both take --ignore-case to match letters regardless of case.\n"
    "\n"
    "Run 'plinvaro-cli COMMAND --help' for the options of a command,\n"
    "'plinvaro-cli --version' for the version.\n"
    "Exit status: 0 on success, 1 when the output cannot be written, 2 on bad\n"
    "arguments or unreadable input, 3 when DIR holds no *.txt file.\n";

}  // namespace

int main(int argc, char** argv) {
  using namespace plinvaro::cli;
#ifdef SIGPIPE
  // A reader that goes away early makes writes fail, reported as such, instead of killing us.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  if (argc < 2) {
    std::fputs(kHelp, stderr);
    return kExitUsage;
  }
  const char* command = argv[1];
  if (std::strcmp(command, "--help") == 0 || std::strcmp(command, "-h") == 0 ||
      std::strcmp(command, "help") == 0) {
    std::fputs(kHelp, stdout);
    return kExitOk;
  }
  if (std::strcmp(command, "--version") == 0) {
    std::printf("plinvaro-cli %s\n", plinvaro::kVersion);
    return kExitOk;
  }
  if (std::strcmp(command, "search") == 0) return RunSearchCommand(argc - 1, argv + 1);
  if (std::strcmp(command, "compose") == 0) return RunComposeCommand(argc - 1, argv + 1);
  std::fprintf(stderr, "plinvaro-cli: unknown command '%s'\n\n%s", command, kHelp);
  return kExitUsage;
}
