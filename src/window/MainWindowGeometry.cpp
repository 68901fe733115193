// The main window's centred start rectangle and the minimum-size clamp.
#include "window/MainWindowGeometry.h"

namespace plinvaro {

Rect MainWindowStartRect(int screenWidth, int screenHeight) {
  return {(screenWidth - kMainWindowWidth) / 2, (screenHeight - kMainWindowHeight) / 2,
          kMainWindowWidth, kMainWindowHeight};
}

bool ClampToMinimumSize(WindowEdges& edges) {
  const bool narrow = edges.right - edges.left < kMainWindowWidth;
  const bool low = edges.bottom - edges.top < kMainWindowHeight;
  if (narrow) edges.right = edges.left + kMainWindowWidth;
  if (low) edges.bottom = edges.top + kMainWindowHeight;
  return narrow || low;
}

}  // namespace plinvaro
