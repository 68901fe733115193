// Parsing the desktop program's arguments and checking a base file given on the command line.
#include "qt/CommandLine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "plinvaro/Version.h"

namespace plinvaro::qt {

LaunchRequest ParseCommandLine(const std::vector<std::string>& args) {
  LaunchRequest request;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
      return {LaunchAction::ShowHelp, {}, {}};
    } else if (!optionsEnded && arg == "--version") {
      return {LaunchAction::ShowVersion, {}, {}};
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      const bool singleDash = arg[1] != '-';
      return {LaunchAction::Usage, {}, "unknown option '" + arg + "'", singleDash};
    } else if (!request.baseFile.empty()) {
      return {LaunchAction::Usage, {}, "only one FILE may be given"};
    } else if (arg.empty()) {
      return {LaunchAction::Usage, {}, "FILE is an empty name"};
    } else {
      request.baseFile = arg;
    }
  }
  return request;
}

std::string BaseFileProblem(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::strerror(errno);
  if (S_ISDIR(info.st_mode)) return "is a directory";
  if (::access(path.c_str(), R_OK) != 0) return std::strerror(errno);
  return {};
}

const char* HelpText() {
  return "Usage: plinvaro [FILE]\n"
         "Composes text by wandering between text files.\n"
         "\n"
         "  FILE        open FILE as the base file, as File > Open... does\n"
         "  --help      show this help and exit\n"
         "  --version   show the version and exit\n"
         "\n"
         "Exit status: 0 when the window was closed, 2 on bad arguments or an unreadable FILE.\n";
}

const char* VersionText() { return "plinvaro " PLINVARO_VERSION_TEXT "\n"; }

}  // namespace plinvaro::qt
