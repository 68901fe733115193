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
