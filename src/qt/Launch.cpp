// Launch: checks the named base file and directory, and opens the main window on them.
#include "qt/Launch.h"

#include <cstdlib>

#include "desktop/StartHint.h"
#include "qt/Settings.h"

namespace plinvaro::qt {

std::string RequestProblem(const LaunchRequest& request) {
  if (!request.baseFile.empty()) {
    const std::string problem = BaseFileProblem(request.baseFile);
    if (!problem.empty()) return "cannot open '" + request.baseFile + "': " + problem;
  }
  if (!request.directory.empty()) {
    const std::string problem = DirectoryProblem(request.directory);
    if (!problem.empty()) return "cannot search '" + request.directory + "': " + problem;
  }
  return {};
}

bool DisplayNamed() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

std::unique_ptr<MainWindow> OpenMainWindow(const LaunchRequest& request, std::string& problem) {
  problem = RequestProblem(request);
  if (!problem.empty()) return nullptr;
  auto window = std::make_unique<MainWindow>();
  MainPanel& panel = window->panel();
  // The directory goes in first, so that the base file's folder does not replace it.
  if (!request.directory.empty()) window->controls().SetDirectoryText(request.directory);
  if (!request.baseFile.empty()) panel.OpenBaseFilePath(request.baseFile);
  if (window->settings().TakeStartHint()) {
    const std::string directory = window->controls().DirectoryText();
    window->ShowStatus(StartHint(panel.baseFile(), directory),
                       StartHint(panel.baseFile(), directory, StatusForm::Whole));
  }
  window->show();
  window->activateWindow();  // takes the keyboard where no window manager hands it out
  window->OfferRecovery();
  return window;
}

}  // namespace plinvaro::qt
