// The main window: class, style, icon, its start rectangle and its minimum outer size.
//
// All values are pixels; rectangles are outer window rectangles in screen
// coordinates, frame and menu bar included.
#pragma once

#include <cstdint>

#include "window/WindowGeometry.h"
#include "window/WindowStyles.h"

namespace plinvaro {

inline constexpr const char* kMainWindowClass = "ZEK_Class";
inline constexpr std::uint32_t kMainWindowStyle = style::kWsVisible | style::kWsOverlappedWindow;
inline constexpr int kAppIconId = 55555;                        // the icon group's resource id

inline constexpr int kMainWindowWidth = 700;   // outer width at start and the least allowed
inline constexpr int kMainWindowHeight = 500;  // outer height at start and the least allowed

// 700 x 500 centred on a screen of the given size (division truncates toward zero).
Rect MainWindowStartRect(int screenWidth, int screenHeight);

// Window edges as a sizing drag proposes them.
struct WindowEdges {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const WindowEdges&) const = default;
};

// Holds a proposed rectangle at 700 x 500 or more by moving its right and bottom
// edges, never the dragged one. Returns true when it changed the rectangle.
bool ClampToMinimumSize(WindowEdges& edges);

}  // namespace plinvaro
