// Keeps a Qt benchmark's window away from the user's settings and recovery copy.
#pragma once

#include <cstdlib>

#include "TempDir.h"

namespace plinvaro::bench {

// Points the state and config folders into `dir`, before any window is made:
// the window then neither reads the user's settings nor leaves a recovery copy.
inline void KeepUserStateIn(plinvaro::testing::TempDir& dir) {
  ::setenv("XDG_STATE_HOME", dir.MakeSubdir("state").c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", dir.MakeSubdir("config").c_str(), 1);
}

}  // namespace plinvaro::bench
