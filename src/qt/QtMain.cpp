// plinvaro entry: answers --help and --version without a display, else opens the main window.
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "plinvaro/Version.h"
#include "qt/CommandLine.h"
#include "qt/Launch.h"
#include "qt/Problems.h"
#include "qt/WindowIcon.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;

std::vector<std::string> Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

// Prints the help or the version when asked for; true when the program is done.
bool AnswerInfo(const plinvaro::qt::LaunchRequest& request) {
  using plinvaro::qt::LaunchAction;
  if (request.action == LaunchAction::ShowHelp) std::fputs(plinvaro::qt::HelpText(), stdout);
  if (request.action == LaunchAction::ShowVersion) std::fputs(plinvaro::qt::VersionText(), stdout);
  return request.action == LaunchAction::ShowHelp || request.action == LaunchAction::ShowVersion;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace plinvaro::qt;
  // Help and version need no display; the toolkit's own options are read by QApplication.
  const LaunchRequest early = ParseCommandLine(Arguments(argc, argv));
  if (AnswerInfo(early)) return kExitOk;
  if (early.action == LaunchAction::Usage && !early.toolkitMayKnow) {
    std::fprintf(stderr, "plinvaro: %s\n\n%s", early.error.c_str(), HelpText());
    return kExitUsage;
  }
  // Refusals need no display either; without one the toolkit would abort.
  if (early.action == LaunchAction::OpenWindow) {
    const std::string problem = RequestProblem(early);
    if (!problem.empty()) {
      if (!DisplayNamed()) {
        std::fprintf(stderr, "plinvaro: %s\n", problem.c_str());
        return kExitUsage;
      }
      QApplication app(argc, argv);
      ShowProblem(nullptr, problem);  // printed as well
      return kExitUsage;
    }
    if (!DisplayNamed()) {
      std::fputs("plinvaro: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset)\n",
                 stderr);
      return kExitUsage;
    }
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("plinvaro"));
  QApplication::setApplicationVersion(QString::fromLatin1(plinvaro::kVersion));
  QGuiApplication::setDesktopFileName(QStringLiteral("plinvaro"));
  QApplication::setWindowIcon(WindowIcon());
  const LaunchRequest request = ParseCommandLine(Arguments(argc, argv));
  if (AnswerInfo(request)) return kExitOk;
  if (request.action != LaunchAction::OpenWindow) {
    std::fprintf(stderr, "plinvaro: %s\n\n%s", request.error.c_str(), HelpText());
    return kExitUsage;
  }
  std::string problem;
  const std::unique_ptr<MainWindow> window = OpenMainWindow(request, problem);
  if (!window) {
    std::fprintf(stderr, "plinvaro: %s\n", problem.c_str());
    return kExitUsage;
  }
  return app.exec();
}
