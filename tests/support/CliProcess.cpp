// RunProgram: fork, redirect, exec and wait under a watchdog; the input is fed while the child runs.
#include "CliProcess.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "ChildProcess.h"

namespace plinvaro::testing {
namespace {

constexpr auto kWatchdog = std::chrono::seconds(60);
constexpr auto kPollInterval = std::chrono::milliseconds(5);

// In the child: standard input from `input`, output to `output` (or a file at
// `outPath` when it is -1), errors to a file at `errPath`.
[[noreturn]] void Exec(std::vector<std::string>& argv, int input, int output,
                       const std::string& outPath, const std::string& errPath, bool unprivileged) {
  std::signal(SIGPIPE, SIG_DFL);
  const int out = output >= 0 ? output : ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (out < 0 || err < 0) ::_exit(99);
  ::dup2(input, 0);
  ::dup2(out, 1);
  ::dup2(err, 2);
  if (unprivileged && RunningAsRoot() &&
      (::setgroups(0, nullptr) != 0 || ::setgid(kUnprivilegedId) != 0 ||
       ::setuid(kUnprivilegedId) != 0))
    ::_exit(90);
  std::vector<char*> args;
  for (std::string& arg : argv) args.push_back(arg.data());
  args.push_back(nullptr);
  ::execv(args[0], args.data());
  ::_exit(98);
}

void Feed(int fd, const std::string& input) {
  const auto oldHandler = std::signal(SIGPIPE, SIG_IGN);  // a child that does not read
  for (std::size_t sent = 0; sent < input.size();) {
    const ssize_t n = ::write(fd, input.data() + sent, input.size() - sent);
    if (n <= 0) break;
    sent += static_cast<std::size_t>(n);
  }
  std::signal(SIGPIPE, oldHandler);
}

// Waits for `child`, killing it once the watchdog runs out.
CliRun Wait(pid_t child) {
  CliRun run;
  if (child < 0) return run;
  const auto deadline = std::chrono::steady_clock::now() + kWatchdog;
  int status = 0;
  rusage usage{};
  while (::wait4(child, &status, WNOHANG, &usage) != child) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(child, SIGKILL);
      ::wait4(child, &status, 0, &usage);
      run.status = kHung;
      return run;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.maxRssKb = usage.ru_maxrss;
  return run;
}

}  // namespace

CliRun RunProgram(std::vector<std::string> argv, const TempDir& scratch, const CliOptions& options) {
  const std::string outPath = scratch.Join("stdout");
  const std::string errPath = scratch.Join("stderr");
  int in[2];
  if (argv.empty() || ::pipe(in) != 0) return {};
  int out[2] = {-1, -1};
  if (options.output == CliOutput::ClosedPipe && ::pipe(out) != 0) {
    ::close(in[0]);
    ::close(in[1]);
    return {};
  }
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(in[1]);
    if (out[0] >= 0) ::close(out[0]);
    Exec(argv, in[0], out[1], outPath, errPath, options.unprivileged);
  }
  ::close(in[0]);
  if (out[0] >= 0) {
    ::close(out[0]);
    ::close(out[1]);
  }
  Feed(in[1], options.input);
  ::close(in[1]);
  CliRun run = Wait(child);
  run.out = ReadAll(outPath);
  run.err = ReadAll(errPath);
  return run;
}

}  // namespace plinvaro::testing
