// The one-line hint a desktop face shows once at start: which keys play and wander.
#pragma once

#include <string>

#include "desktop/StatusLine.h"

namespace plinvaro {

// `baseFile` and `directory` as the panel holds them after start-up (8-bit
// paths, empty for none); the hint names what the user has still to choose.
// The Whole form adds what F4 does with "On The Fly Mode" off.
std::string StartHint(const std::string& baseFile, const std::string& directory,
                      StatusForm form = StatusForm::Short);

}  // namespace plinvaro
