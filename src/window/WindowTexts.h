// The fixed texts of the Help menu's message boxes.
#pragma once

#include <string_view>

namespace plinvaro {

inline constexpr std::string_view kHotkeysCaption = "Hotkeys...";
inline constexpr std::string_view kAboutCaption = "About...";

inline constexpr std::string_view kHotkeyHelpText =
    "\nF2\t\t-  start\nF3\t\t-  pause\nF4\t\t-  search\nF5\t\t-  back to base file\n"
    "F6\t\t-  stop\nF7\t\t-  switch mode\nF8\t\t-  previous found part\n"
    "F9\t\t-  next found part\nF11\t\t-  accept text from preview window\n"
    "<Ctrl>-<1>\t-  go to source textbox\n<Ctrl>-<2>\t-  go to preview window\n"
    "<Ctrl>-<UP>\t-  decrement displaying speed by 50 ms\n"
    "<Ctrl>-<DOWN>\t-  increment displaying speed by 50 ms";

// The first line names the release as "1.0", whatever the package's version.
inline constexpr std::string_view kAboutText =
    " Plinvaro version 1.0\n"
    "\n"
    "Copyright (C) 2026 the Plinvaro authors; free software under the GPL, version 3 or later.\n"
    "\n"
    "    Guide: man plinvaro (Linux), README.txt beside plinvaro.exe (Windows)";

}  // namespace plinvaro
