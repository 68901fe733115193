// The desktop program's command line: plinvaro [--help | --version | [--dir DIR] [FILE]].
#pragma once

#include <string>
#include <vector>

namespace plinvaro::qt {

enum class LaunchAction { OpenWindow, ShowHelp, ShowVersion, Usage };

struct LaunchRequest {
  LaunchAction action = LaunchAction::OpenWindow;
  std::string baseFile;  // 8-bit path as given; empty for none
  std::string error;     // what was wrong, for LaunchAction::Usage
  // An unknown single-dash option may be the toolkit's own; it is read again
  // once the toolkit has taken its options.
  bool toolkitMayKnow = false;
  std::string directory{};  // 8-bit path given with --dir; empty for none
};

// Reads the arguments after the program name (toolkit options already removed).
// "--" ends the options, so a file whose name starts with '-' can be given.
// "--dir DIR" and "--dir=DIR" set the base directory, once.
LaunchRequest ParseCommandLine(const std::vector<std::string>& args);

// Why `path` cannot be opened as a base file (missing, a directory,
// unreadable); empty when it can.
std::string BaseFileProblem(const std::string& path);
// Why `path` cannot be searched as the base directory (missing, not a
// directory, unreadable); empty when it can.
std::string DirectoryProblem(const std::string& path);

const char* HelpText();
const char* VersionText();

}  // namespace plinvaro::qt
