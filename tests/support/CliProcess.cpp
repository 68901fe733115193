// RunProgram: fork, redirect, exec and wait; the input is fed while the child runs.
#include "CliProcess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace plinvaro::testing {
namespace {

[[noreturn]] void Exec(std::vector<std::string>& argv, int input, const std::string& outPath,
                       const std::string& errPath) {
  const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (out < 0 || err < 0) ::_exit(99);
  ::dup2(input, 0);
  ::dup2(out, 1);
  ::dup2(err, 2);
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

}  // namespace

CliRun RunProgram(std::vector<std::string> argv, const TempDir& scratch, const std::string& input) {
  const std::string outPath = scratch.Join("stdout");
  const std::string errPath = scratch.Join("stderr");
  int in[2];
  if (argv.empty() || ::pipe(in) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(in[1]);
    Exec(argv, in[0], outPath, errPath);
  }
  ::close(in[0]);
  Feed(in[1], input);
  ::close(in[1]);
  CliRun run;
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
    run.status = WEXITSTATUS(status);
  run.out = ReadAll(outPath);
  run.err = ReadAll(errPath);
  return run;
}

}  // namespace plinvaro::testing
