// Entry point of plinvaro.exe: the application's window, then its message loop.
#include <windows.h>

#include "win32/MainWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  plinvaro::win32::CreateApplication(instance, true);
  plinvaro::win32::RunMessageLoop();
  return 0;
}
