// Whether the program runs under Wine, whose controls and window handling need helps that Windows does not.
#pragma once

namespace plinvaro::win32 {

// True when ntdll exports Wine's version query; asked once per process.
bool RunsUnderWine();

}  // namespace plinvaro::win32
