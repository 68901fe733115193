// The subcommands of plinvaro-cli; each returns the process exit code.
#pragma once

namespace plinvaro {
class RandomSource;
}

namespace plinvaro::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // writing the output failed (a full disk, a closed pipe)
inline constexpr int kExitUsage = 2;    // bad arguments, or an input that cannot be read
inline constexpr int kExitNothingToSearch = 3;  // the directory holds no *.txt entry

int RunSearchCommand(int argc, char** argv);
int RunComposeCommand(int argc, char** argv);
// The same with `picks` drawing the random picks in place of the generator
// that --seed pins; null for that generator. `picks` must outlive the call.
int RunComposeCommand(int argc, char** argv, RandomSource* picks);

}  // namespace plinvaro::cli
