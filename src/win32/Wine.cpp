// Detects Wine by the export that only its ntdll has.
#include "win32/Wine.h"

#include <windows.h>

namespace plinvaro::win32 {

bool RunsUnderWine() {
  static const bool wine =
      ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return wine;
}

}  // namespace plinvaro::win32
