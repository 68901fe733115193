// What the window draws, read from the screen: the right column after enlarging, the font size, the preview, the top row.

#include <cstdlib>
#include <string>

#include "FaceFixture.h"
#include "ScreenPixels.h"

#include "TempDir.h"
#include "window/MainWindowGeometry.h"
#include "window/Relayout.h"

namespace plinvaro::win32::testing {
namespace {

using plinvaro::testing::TempDir;

constexpr std::uint32_t kPreviewRgb = 0xFAE6CE;  // RGB(250, 230, 206)
constexpr int kInkThreshold = 128;               // darker than mid grey is ink

// Handles what is waiting, gives the display a moment to show it, and handles what followed.
void Settle() {
  PumpMessages();
  ::Sleep(80);
  PumpMessages();
}

class PixelTest : public FaceTest {
 protected:
  // Back to the start rectangle, at the start size.
  void TearDown() override {
    ::ShowWindow(app.mainWindow, SW_RESTORE);
    const Rect start =
        MainWindowStartRect(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    ::SetWindowPos(app.mainWindow, nullptr, start.x, start.y, start.width, start.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ChooseFontSize("12");
    Settle();
  }

  // What the screen shows of `id`, and what it shows once the control has drawn itself again.
  void ExpectDrawnByItself(ControlId id) {
    const ScreenPixels shown = ScreenPixels::OfWindow(Window(id));
    ::RedrawWindow(Window(id), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    Settle();
    const ScreenPixels redrawn = ScreenPixels::OfWindow(Window(id));
    EXPECT_GE(redrawn.DistinctColours(), 2) << Control(id).field << " draws nothing";
    EXPECT_TRUE(shown == redrawn) << Control(id).field << " was not drawn: "
                                  << shown.DistinctColours() << " colours shown, "
                                  << redrawn.DistinctColours() << " once redrawn";
  }

  void ExpectRightColumnDrawn(const char* how) {
    SCOPED_TRACE(how);
    for (ControlId id : {ControlId::StartButton, ControlId::PauseButton, ControlId::SearchButton,
                         ControlId::ToSrcButton, ControlId::StopButton, ControlId::SpeedTrackbar,
                         ControlId::PrevButton, ControlId::NextButton, ControlId::AcceptButton,
                         ControlId::MoreButton})
      ExpectDrawnByItself(id);
  }

  void ChooseFontSize(const char* item) {
    HWND combo = Window(ControlId::FontSizeCombo);
    const LRESULT index = ::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(item));
    ASSERT_NE(index, CB_ERR) << item;
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(Window(ControlId::Panel), WM_COMMAND, MAKEWPARAM(12, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
    PumpMessages();
  }

  // The focus leaves the box first: its caret would count as ink.
  int SourceInkHeight() {
    ::SetFocus(Window(ControlId::FontSizeCombo));
    Settle();
    return ScreenPixels::OfClient(Window(ControlId::SourceBox)).InkHeight(kInkThreshold);
  }

  // The ink of "Hy " played from a base file at the given size.
  int PlayedInkHeight(const char* size) {
    ChooseFontSize(size);
    face().sourceBox().Clear();
    panel().OpenBaseFilePath(dir.Write("base.txt", "Hy Hy"));
    ClickPanel(2);  // Start
    ::SendMessageA(Window(ControlId::Panel), WM_TIMER, panel().playbackTimerId(), 0);
    ClickPanel(6);  // Stop
    return SourceInkHeight();
  }

  // The ink of "Hy" typed into the focused source box at the given size.
  int TypedInkHeight(const char* size) {
    ChooseFontSize(size);
    face().sourceBox().Clear();
    face().sourceBox().Focus();
    for (char c : std::string("Hy")) ::SendMessageA(Window(ControlId::SourceBox), WM_CHAR, c, 1);
    return SourceInkHeight();
  }

  TempDir dir;
};

TEST_F(PixelTest, RightColumnIsDrawnAfterEnlargingAndMaximising) {
  Settle();
  // At the screen's corner, so that the whole enlarged window is on the 1024 x 768 screen.
  ::SetWindowPos(app.mainWindow, nullptr, 0, 0, 1000, 720, SWP_NOZORDER | SWP_NOACTIVATE);
  Settle();
  ExpectRightColumnDrawn("enlarged to 1000 x 720");
  ::ShowWindow(app.mainWindow, SW_MAXIMIZE);
  Settle();
  ASSERT_TRUE(::IsZoomed(app.mainWindow));
  ExpectRightColumnDrawn("maximised");
}

TEST_F(PixelTest, TextAtSizeTwentyIsTallerThanAtEight) {
  const int played8 = PlayedInkHeight("8");
  const int played20 = PlayedInkHeight("20");
  EXPECT_GT(played8, 0);
  EXPECT_GE(played20, 2 * played8) << "played: " << played8 << " px at 8, " << played20 << " at 20";
  const int typed8 = TypedInkHeight("8");
  const int typed20 = TypedInkHeight("20");
  EXPECT_GT(typed8, 0);
  EXPECT_GE(typed20, 2 * typed8) << "typed: " << typed8 << " px at 8, " << typed20 << " at 20";
}

TEST_F(PixelTest, PreviewShowsItsBackgroundColour) {
  Settle();
  const ScreenPixels preview = ScreenPixels::OfClient(Window(ControlId::PreviewBox));
  ASSERT_GT(preview.width(), 0);
  EXPECT_EQ(preview.MostCommonColour(), kPreviewRgb);
  EXPECT_EQ(preview.CountOtherThan(kPreviewRgb), 0);
}

TEST_F(PixelTest, TopRowIsDrawnAtTheStartSize) {
  Settle();
  for (ControlId id : {ControlId::DirLabel, ControlId::DirEdit, ControlId::BrowseButton,
                       ControlId::OnTheFlyCheck, ControlId::FontSizeLabel,
                       ControlId::FontSizeCombo})
    ExpectDrawnByItself(id);
  for (ControlId id : {ControlId::DirLabel, ControlId::BrowseButton, ControlId::OnTheFlyCheck,
                       ControlId::FontSizeLabel, ControlId::FontSizeCombo})
    EXPECT_GT(ScreenPixels::OfWindow(Window(id)).InkHeight(kInkThreshold), 3)
        << Control(id).field << " shows no text";
}

Size OuterSizeOf(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return {static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top)};
}

// Run by the suite's second pass, with a window manager on the display and Wine's
// window management on (PLINVARO_WINDOW_MANAGER set): the manager then sizes the
// frame, and the window's minimum must reach it as a hint.
TEST_F(PixelTest, MinimumSizeHoldsUnderAWindowManager) {
  if (std::getenv("PLINVARO_WINDOW_MANAGER") == nullptr)
    GTEST_SKIP() << "PLINVARO_WINDOW_MANAGER is not set";
  const Size minimum{kMainWindowWidth, kMainWindowHeight};
  Settle();
  ::SetWindowPos(app.mainWindow, nullptr, 0, 0, 400, 212, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Settle();
  EXPECT_EQ(OuterSizeOf(app.mainWindow), minimum) << "after SetWindowPos";
  // Alt and the right button resize from the nearest corner in the manager's usual
  // bindings; Escape leaves the menu bar that releasing Alt enters.
  RECT r{};
  ::GetWindowRect(app.mainWindow, &r);
  const std::string from = std::to_string(r.right - 30) + " " + std::to_string(r.bottom - 30);
  const std::string to = std::to_string(r.right - 330) + " " + std::to_string(r.bottom - 330);
  if (!RunXdotool("mousemove --sync " + from + " keydown alt mousedown 3 sleep 0.2 mousemove --sync " +
                  to + " sleep 0.2 mouseup 3 keyup alt key Escape sleep 0.5"))
    GTEST_SKIP() << "xdotool is not available";
  Settle();
  EXPECT_EQ(OuterSizeOf(app.mainWindow), minimum) << "after a drag";
  RECT client{};
  ::GetClientRect(app.mainWindow, &client);
  for (const ControlPlace& place :
       Relayout(RelayoutInputFromTable({static_cast<int>(client.right), static_cast<int>(client.bottom)})))
    EXPECT_EQ(PlaceOf(place.control), place.rect) << Control(place.control).field;
  ExpectRightColumnDrawn("after the drag");
}

// PLINVARO_SCREENSHOT names a BMP file: the window is saved there with a short composition.
TEST_F(PixelTest, ScreenshotWhenAsked) {
  const char* path = std::getenv("PLINVARO_SCREENSHOT");
  if (path == nullptr || *path == '\0') GTEST_SKIP() << "PLINVARO_SCREENSHOT is not set";
  const std::u16string source =
      u"The harbour lay still under the morning fog, and the boats waited for the tide. ";
  const std::u16string preview = u" went down to the water and on along the shore";
  face().sourceBox().ReplaceSelection(source, static_cast<std::int32_t>(source.size()));
  face().previewBox().ReplaceSelection(preview, static_cast<std::int32_t>(preview.size()));
  Settle();
  EXPECT_TRUE(ScreenPixels::OfWindow(app.mainWindow).SaveBmp(path)) << path;
}

}  // namespace
}  // namespace plinvaro::win32::testing
