// The main window's class, menu bar, window procedure and keyboard hook, each routed to the window model.
#include "win32/MainWindow.h"

#include <optional>
#include <string>

#include "panel/Hotkeys.h"
#include "window/MainWindowGeometry.h"
#include "panel/MenuBar.h"
#include "win32/Wine.h"

namespace plinvaro::win32 {
namespace {

// The main window as the menu commands see it.
class MainWindowAdapter final : public MainWindowHost {
 public:
  void CloseMainWindow() override { ::SendMessageA(App().mainWindow, WM_CLOSE, 0, 0); }
};

// "Is this key down now", as GetAsyncKeyState's most significant bit tells it.
class AsyncKeyState final : public KeyState {
 public:
  bool IsKeyDown(int keyCode) const override {
    return (static_cast<unsigned short>(::GetAsyncKeyState(keyCode)) & 0x8000u) != 0;
  }
};

MainWindowAdapter& Host() {
  static MainWindowAdapter host;
  return host;
}

MainPanel* PanelOrNull() { return App().panel ? &App().panel->panel() : nullptr; }

void BuildMenuBar() {
  Application& app = App();
  app.menuBar = ::CreateMenu();
  for (const MenuPopup& popup : MenuBarTable()) {
    HMENU menu = ::CreateMenu();
    if (popup.refreshesOnOpen) app.editMenu = menu;
    for (const MenuItem& item : popup.items) {
      if (item.IsSeparator()) {
        ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        continue;
      }
      const std::string text(item.text);
      ::AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.commandId), text.c_str());
    }
    const std::string title(popup.title);
    ::AppendMenuA(app.menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), title.c_str());
  }
}

// Holds a size change that SetWindowPos (or anything but a sizing drag) asks for
// at the minimum size; a minimised or maximised window is left to the system.
void HoldAtMinimumSize(HWND window, WINDOWPOS& position) {
  if ((position.flags & SWP_NOSIZE) != 0 || ::IsIconic(window) || ::IsZoomed(window)) return;
  WindowEdges edges{position.x, position.y, position.x + position.cx, position.y + position.cy};
  if (!ClampToMinimumSize(edges)) return;
  position.cx = edges.right - edges.left;
  position.cy = edges.bottom - edges.top;
}

void UpdateEditMenu(MainPanel& panel) {
  for (const MenuItemState& item : EditMenuStates(panel)) {
    const UINT flags = MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_DISABLED | MF_GRAYED);
    ::EnableMenuItem(App().editMenu, static_cast<UINT>(item.commandId), flags);
  }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MainPanel* panel = PanelOrNull();
  switch (message) {
    case WM_SIZE:
      // Sizes sent while the window is being created arrive before the panel exists.
      if (App().panel) App().panel->Relayout();
      break;
    case WM_CLOSE: ::PostQuitMessage(0); break;
    case WM_COMMAND:
      if (panel == nullptr) break;
      if (const std::optional<Command> command = MenuItemCommand(LOWORD(wParam))) panel->Run(*command);
      break;
    case WM_MENUSELECT:
      if (panel != nullptr && lParam != 0 &&
          ::GetSubMenu(reinterpret_cast<HMENU>(lParam), LOWORD(wParam)) == App().editMenu)
        UpdateEditMenu(*panel);
      break;
    case WM_SIZING: {
      auto* proposed = reinterpret_cast<RECT*>(lParam);
      WindowEdges edges{static_cast<int>(proposed->left), static_cast<int>(proposed->top),
                        static_cast<int>(proposed->right), static_cast<int>(proposed->bottom)};
      if (!ClampToMinimumSize(edges)) break;
      proposed->right = edges.right;
      proposed->bottom = edges.bottom;
      return TRUE;
    }
    case WM_WINDOWPOSCHANGING:
      HoldAtMinimumSize(window, *reinterpret_cast<WINDOWPOS*>(lParam));
      break;
    case WM_GETMINMAXINFO:
      // Under Wine this becomes the window manager's minimum-size hint, without
      // which its drags shrink the window freely. Windows keeps the drag to
      // WM_SIZING, whose clamp slides the window instead of stopping the edge.
      if (RunsUnderWine())
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {kMainWindowWidth, kMainWindowHeight};
      break;
    default: break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
  MainPanel* panel = PanelOrNull();
  if (code >= 0 && panel != nullptr && lParam != 0) {
    static const AsyncKeyState keys;
    HandleKey(*panel, static_cast<int>(wParam), keys);
  }
  return ::CallNextHookEx(App().keyboardHook, code, wParam, lParam);
}

}  // namespace

Application& App() {
  static Application app;
  return app;
}

HWND CreateApplication(HINSTANCE instance, bool show) {
  Application& app = App();
  WNDCLASSA mainClass{};
  mainClass.lpfnWndProc = MainWindowProc;
  mainClass.hInstance = instance;
  mainClass.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(kAppIconId));
  mainClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  mainClass.hbrBackground = ClassBackgroundBrush();
  mainClass.lpszClassName = kMainWindowClass;
  ::RegisterClassA(&mainClass);

  BuildMenuBar();
  const Rect start =
      MainWindowStartRect(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  app.mainWindow = ::CreateWindowExA(0, kMainWindowClass, kAppTitle, kMainWindowStyle, start.x,
                                     start.y, start.width, start.height, nullptr, app.menuBar,
                                     instance, nullptr);
  app.panel = std::make_unique<PanelWindow>(app.mainWindow);
  app.panel->panel().SetWindowHost(&Host());
  app.keyboardHook =
      ::SetWindowsHookExA(WH_KEYBOARD, KeyboardHookProc, instance, ::GetCurrentThreadId());
  if (show) ::ShowWindow(app.mainWindow, SW_SHOWNORMAL);
  return app.mainWindow;
}

int RunMessageLoop() {
  MSG message{};
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace plinvaro::win32
