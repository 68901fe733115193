// Launch: the main window as the command line asks for it, shared by main() and the tests.
#pragma once

#include <memory>
#include <string>

#include "qt/CommandLine.h"
#include "qt/MainWindow.h"

namespace plinvaro::qt {

// Why the request's FILE or DIR cannot be used; empty when both can. Needs no display.
std::string RequestProblem(const LaunchRequest& request);

// Whether a window could be shown: a display is named, or a platform is chosen.
bool DisplayNamed();

// Checks the request's FILE and DIR, then creates the window, types DIR into
// the directory box, opens FILE as "Open..." would, shows the start hint in the
// status bar at the first start ever and shows the window. Null, with `problem` saying why, when FILE
// or DIR cannot be used. Needs a QApplication; `request` must be OpenWindow.
std::unique_ptr<MainWindow> OpenMainWindow(const LaunchRequest& request, std::string& problem);

}  // namespace plinvaro::qt
