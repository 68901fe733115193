// Creates the application once for the whole test program and resets it before each case.
#include "FaceFixture.h"

#include <cstdio>

#include "text/AnsiConversion.h"

#include <map>

namespace plinvaro::win32::testing {
namespace {

std::map<HWND, std::uint32_t>& Styles() {
  static std::map<HWND, std::uint32_t> styles;
  return styles;
}

std::string& Title() {
  static std::string title;
  return title;
}

LRESULT CALLBACK RecordCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
    Styles()[reinterpret_cast<HWND>(wParam)] = static_cast<std::uint32_t>(create->lpcs->style);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

std::uint32_t CreationStyle(HWND window) { return Styles()[window]; }

const std::string& InitialTitle() { return Title(); }

void CreateApplicationForTests() {
  HHOOK recorder = ::SetWindowsHookExA(WH_CBT, RecordCreation, nullptr, ::GetCurrentThreadId());
  CreateApplication(::GetModuleHandleA(nullptr), true);
  ::UnhookWindowsHookEx(recorder);
  char title[64] = {};
  ::GetWindowTextA(App().mainWindow, title, sizeof title);
  Title() = title;
}

void PumpMessages() {
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

std::string XWindowOf(HWND window) {
  return std::to_string(reinterpret_cast<std::uintptr_t>(::GetPropA(window, "__wine_x11_whole_window")));
}

bool RunXdotool(const std::string& arguments) {
  std::string command = "Z:\\usr\\bin\\xdotool " + arguments;
  // The tool gets its own standard handles: sharing ours loses what the test prints later.
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE nul = ::CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
  PROCESS_INFORMATION process{};
  const BOOL started = ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process);
  if (nul != INVALID_HANDLE_VALUE) ::CloseHandle(nul);
  if (!started) return false;
  while (::MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 5000, QS_ALLINPUT) ==
         WAIT_OBJECT_0 + 1)
    PumpMessages();
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  for (int i = 0; i < 10; ++i) {
    PumpMessages();
    ::Sleep(10);
  }
  return true;
}

void FaceTest::SetUp() {
  ResizeMainWindow(700, 500);
  panel().StopPlayback();
  face().sourceBox().Clear();
  face().previewBox().Clear();
  PumpMessages();
}

Rect FaceTest::PlaceOf(ControlId id) {
  RECT r{};
  ::GetWindowRect(Window(id), &r);
  POINT corner{r.left, r.top};
  ::ScreenToClient(::GetParent(Window(id)), &corner);
  return {static_cast<int>(corner.x), static_cast<int>(corner.y),
          static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top)};
}

void FaceTest::ResizeMainWindow(int width, int height) {
  ::SetWindowPos(app.mainWindow, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpMessages();
}

void FaceTest::ClickPanel(int commandId) {
  ::SendMessageA(Window(ControlId::Panel), WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(Window(ControlId::Panel), commandId)));
  PumpMessages();
}

std::string FaceTest::SourceText() {
  RichDocument& doc = face().sourceBox();
  const std::int32_t n = doc.Length();
  return WideToAnsi(doc.GetRangeText(0, n), n);
}

std::string FaceTest::PreviewText() {
  RichDocument& doc = face().previewBox();
  const std::int32_t n = doc.Length();
  return WideToAnsi(doc.GetRangeText(0, n), n);
}

}  // namespace plinvaro::win32::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  using plinvaro::win32::App;
  plinvaro::win32::testing::CreateApplicationForTests();
  ::SetForegroundWindow(App().mainWindow);
  plinvaro::win32::testing::PumpMessages();
  const int result = RUN_ALL_TESTS();
  // "Exit" closes the window and ends the message loop with exit code 0.
  ::SendMessageA(App().mainWindow, WM_COMMAND, 3, 0);
  const int exitCode = plinvaro::win32::RunMessageLoop();
  if (exitCode != 0 || ::IsWindow(App().mainWindow)) {
    std::fprintf(stderr, "Exit left the window open or gave exit code %d\n", exitCode);
    return 1;
  }
  return result;
}
