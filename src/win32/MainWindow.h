// The main window (class ZEK_Class): menu bar, resizing, Edit menu states, the thread keyboard hook and the message loop.
//
// One application per process. The main window owns its menus and, through
// the panel, every control; Application owns the PanelWindow.
#pragma once

#include <windows.h>

#include <memory>

#include "panel/Platform.h"
#include "win32/PanelWindow.h"

namespace plinvaro::win32 {

struct Application {
  HWND mainWindow = nullptr;
  HMENU menuBar = nullptr;
  HMENU editMenu = nullptr;  // the pop-up that refreshes its items on opening
  HHOOK keyboardHook = nullptr;
  std::unique_ptr<PanelWindow> panel;  // null until the main window exists
};

// The process's one application.
Application& App();

// Registers the class, builds the menu bar, creates the centred main window,
// the panel and its MainPanel, and installs the keyboard hook. The window is
// shown when `show` is set. Returns the main window.
HWND CreateApplication(HINSTANCE instance, bool show);

// Runs the message loop until the quit message; returns its exit code.
int RunMessageLoop();

}  // namespace plinvaro::win32
