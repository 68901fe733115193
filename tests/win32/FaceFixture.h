// The one application window of the GUI tests, created before the first case and shared by all.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "window/ControlTable.h"
#include "win32/MainWindow.h"

namespace plinvaro::win32::testing {

// Handles every message waiting for this thread.
void PumpMessages();

// The style each window was created with, as the creation call gave it (a
// control may drop bits afterwards, such as scroll bars it does not need yet).
std::uint32_t CreationStyle(HWND window);
// The X window that Wine made for `window`, as a decimal id.
std::string XWindowOf(HWND window);
// Runs xdotool with `arguments`, handling this thread's messages until it ends,
// so the window sees the input as it comes. False when xdotool cannot be started.
bool RunXdotool(const std::string& arguments);

// Creates the application, recording the creation styles.
void CreateApplicationForTests();
// The main window's title right after start.
const std::string& InitialTitle();

// Resets the face between cases: playback stopped, both boxes empty, the window 700 x 500.
class FaceTest : public ::testing::Test {
 protected:
  void SetUp() override;

  Application& app = App();
  PanelWindow& face() { return *app.panel; }
  MainPanel& panel() { return app.panel->panel(); }
  HWND Window(ControlId id) { return app.panel->Window(id); }
  // A control's rectangle in the panel's client coordinates, outer size.
  Rect PlaceOf(ControlId id);
  void ResizeMainWindow(int width, int height);
  // Sends a click notification of a panel control, as the control itself would.
  void ClickPanel(int commandId);
  std::string SourceText();
  std::string PreviewText();
};

}  // namespace plinvaro::win32::testing
