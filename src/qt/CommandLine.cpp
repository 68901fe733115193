// Parsing the desktop program's arguments and checking the base file and directory they name.
#include "qt/CommandLine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "plinvaro/Version.h"

namespace plinvaro::qt {
namespace {

constexpr const char* kDirOption = "--dir";
constexpr const char* kDirAssign = "--dir=";

LaunchRequest Usage(std::string error) { return {LaunchAction::Usage, {}, std::move(error)}; }

bool IsDirOption(const std::string& arg) {
  return arg == kDirOption || arg.rfind(kDirAssign, 0) == 0;
}

}  // namespace

LaunchRequest ParseCommandLine(const std::vector<std::string>& args) {
  LaunchRequest request;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && IsDirOption(arg)) {
      const bool separate = arg == kDirOption;
      if (separate && i + 1 >= args.size()) return Usage("--dir needs a directory");
      const std::string value = separate ? args[++i] : arg.substr(std::strlen(kDirAssign));
      if (value.empty()) return Usage("DIR is an empty name");
      if (!request.directory.empty()) return Usage("only one --dir may be given");
      request.directory = value;
    } else if (!optionsEnded && arg == "--") {
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

std::string DirectoryProblem(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::strerror(errno);
  if (!S_ISDIR(info.st_mode)) return "is not a directory";
  if (::access(path.c_str(), R_OK | X_OK) != 0) return std::strerror(errno);
  return {};
}

const char* HelpText() {
  return "Usage: plinvaro [FILE]\n"
         "       plinvaro --dir DIR [FILE]\n"
         "Composes text by wandering between text files.\n"
         "\n"
         "  FILE        open FILE as the base file, as File > Open... does\n"
         "  --dir DIR   search DIR's *.txt files (the \"Base directory\" box);\n"
         "              without it the box takes FILE's folder\n"
         "  --help      show this help and exit\n"
         "  --version   show the version and exit\n"
         "\n"
         "Exit status: 0 when the window was closed, 2 on bad arguments or an unreadable\n"
         "FILE or DIR.\n";
}

const char* VersionText() { return "plinvaro " PLINVARO_VERSION_TEXT "\n"; }

}  // namespace plinvaro::qt
