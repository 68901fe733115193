// Driving the window as a user would: the documents, panel commands, timer ticks, font list, slider and hotkeys.

#include <cstdint>
#include <string>

#include "FaceFixture.h"

#include <commctrl.h>
#include <richedit.h>
#include "TempDir.h"
#include "text/AnsiConversion.h"

namespace plinvaro::win32::testing {
namespace {

using plinvaro::testing::ReadAll;
using plinvaro::testing::TempDir;

class DocumentTest : public FaceTest {
 protected:
  RichEditDocument& doc() { return face().sourceBox(); }
  void Set(const std::u16string& text) {
    doc().Clear();
    doc().ReplaceSelection(text, static_cast<std::int32_t>(text.size()));
  }
  std::u16string Text() { return doc().GetRangeText(0, doc().Length()); }
};

TEST_F(DocumentTest, BothBoxesHaveTheirTextModel) {
  EXPECT_TRUE(face().sourceBox().HasTextModel());
  EXPECT_TRUE(face().previewBox().HasTextModel());
  EXPECT_EQ(doc().Length(), 0);
  EXPECT_EQ(doc().GetRangeText(0, 0), u"");
}

TEST_F(DocumentTest, ReplaceSelectionLeavesTheCaretBehindTheText) {
  Set(u"alpha gamma");
  doc().SetSelection(6, 6);
  doc().ReplaceSelection(u"beta ", 5);
  EXPECT_EQ(Text(), u"alpha beta gamma");
  EXPECT_EQ(doc().GetSelection().start, 11);
  EXPECT_EQ(doc().GetSelection().end, 11);
  doc().SetSelection(0, 6);
  doc().ReplaceSelection(u"A ", 2);
  EXPECT_EQ(Text(), u"A beta gamma");
  EXPECT_EQ(doc().GetSelection().start, 2);
  EXPECT_TRUE(doc().GetSelection().IsEmpty());
}

// A replacement elsewhere must touch only its own range, wherever the caret or selection is.
TEST_F(DocumentTest, ReplaceRangeAwayFromTheSelectionKeepsTheRestAndMovesTheSelection) {
  struct Case {
    std::int32_t selStart, selEnd, start, end;
    const char16_t* text;
    const char16_t* expected;
    std::int32_t wantStart, wantEnd;
  };
  const Case cases[] = {
      {0, 0, 10, 12, u"XYZ", u"0123456789XYZCDEF", 0, 0},        // caret before the range
      {15, 15, 2, 4, u"", u"01456789ABCDEF", 13, 13},          // caret behind it
      {1, 3, 10, 12, u"--", u"0123456789--CDEF", 1, 3},        // selection before it
      {12, 15, 2, 5, u"x", u"01x56789ABCDEF", 10, 13},         // selection behind it
      {3, 12, 5, 7, u"QQQ", u"01234QQQ789ABCDEF", 3, 13},      // selection enclosing it
      {6, 8, 4, 10, u"+", u"0123+ABCDEF", 4, 4},               // selection inside it
  };
  for (const Case& c : cases) {
    Set(u"0123456789ABCDEF");
    doc().SetSelection(c.selStart, c.selEnd);
    doc().ReplaceRange(c.start, c.end, c.text);
    EXPECT_EQ(Text(), c.expected) << c.start << ".." << c.end;
    EXPECT_EQ(doc().GetSelection().start, c.wantStart) << c.start << ".." << c.end;
    EXPECT_EQ(doc().GetSelection().end, c.wantEnd) << c.start << ".." << c.end;
  }
}

TEST_F(DocumentTest, LineEndsCountTwoAndPositionsPastTheEndStandForIt) {
  Set(u"ab\r\ncd");
  EXPECT_EQ(doc().Length(), 6);
  EXPECT_EQ(Text(), u"ab\r\ncd");
  doc().SetSelection(4, 100);
  EXPECT_EQ(doc().GetSelection().start, 4);
  EXPECT_EQ(doc().GetSelection().end, 6);
  EXPECT_EQ(doc().GetRangeText(2, 100), u"\r\ncd");
  doc().SetSelection(6, 6);
  doc().ReplaceSelection(u"e\0f", 3);  // up to the NUL; the caret moves by the full count, clamped
  EXPECT_EQ(Text(), u"ab\r\ncde");
  EXPECT_EQ(doc().GetSelection().start, 7);
}

// The 1.0 control's default limit is 32,767 characters; nothing may be cut off silently.
TEST_F(DocumentTest, LongCompositionsAreKeptWhole) {
  const std::u16string block(20000, u'w');
  for (int i = 0; i < 2; ++i) doc().ReplaceSelection(block, 20000);
  EXPECT_EQ(doc().Length(), 40000);
  EXPECT_EQ(doc().GetSelection().start, 40000);
}

class CommandTest : public FaceTest {
 protected:
  TempDir dir;
  void ChooseBaseWith(const std::string& bytes) {
    panel().OpenBaseFilePath(dir.Write("base.txt", bytes));
  }
  void Tick() {
    ::SendMessageA(Window(ControlId::Panel), WM_TIMER, panel().playbackTimerId(), 0);
    PumpMessages();
  }
  std::string Title() {
    char title[300] = {};
    ::GetWindowTextA(app.mainWindow, title, sizeof title);
    return title;
  }
};

TEST_F(CommandTest, StartTicksPauseAndStopThroughThePanelsMessages) {
  ChooseBaseWith("one two three");
  EXPECT_EQ(Title(), "Plinvaro - " + dir.Join("base.txt"));
  ClickPanel(2);  // Start
  EXPECT_TRUE(panel().playing());
  EXPECT_NE(panel().runningTimer(), 0u);
  Tick();
  Tick();
  EXPECT_EQ(SourceText(), "one two ");
  ClickPanel(3);  // Pause
  EXPECT_FALSE(panel().playing());
  ClickPanel(2);
  Tick();
  EXPECT_EQ(SourceText(), "one two three");
  ClickPanel(6);  // Stop
  EXPECT_EQ(panel().playingFrom(), PlaybackSource::None);
  // A notification other than a click (high word not 0) runs nothing.
  ::SendMessageA(Window(ControlId::Panel), WM_COMMAND, MAKEWPARAM(2, 1), 0);
  EXPECT_FALSE(panel().playing());
}

TEST_F(CommandTest, SearchInPreviewModeShowsThePartAndAcceptCopiesIt) {
  const std::string corpus = dir.MakeSubdir("corpus");
  dir.Write("corpus/other.txt", "far away the old road went on and on");
  ::SetWindowTextA(Window(ControlId::DirEdit), corpus.c_str());
  ::SendMessageA(Window(ControlId::OnTheFlyCheck), BM_SETCHECK, BST_UNCHECKED, 0);
  ClickPanel(10);  // the check box after its own flip
  face().sourceBox().ReplaceSelection(u"we took the old road", 20);
  ClickPanel(4);  // Search
  EXPECT_EQ(PreviewText(), " went on and on");
  EXPECT_TRUE(::IsWindowEnabled(Window(ControlId::AcceptButton)));
  ClickPanel(9);  // Accept
  EXPECT_EQ(SourceText(), "we took the old road went on and on");
  EXPECT_EQ(Title(), "Plinvaro - " + corpus + "\\other.txt");
  ::SendMessageA(Window(ControlId::OnTheFlyCheck), BM_SETCHECK, BST_CHECKED, 0);
  ClickPanel(10);
}

TEST_F(CommandTest, FontListSetsTheDefaultFontOfBothBoxes) {
  HWND combo = Window(ControlId::FontSizeCombo);
  ::SendMessageA(combo, CB_SETCURSEL, 5, 0);  // "18"
  ::SendMessageA(Window(ControlId::Panel), WM_COMMAND, MAKEWPARAM(12, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
  for (ControlId box : {ControlId::SourceBox, ControlId::PreviewBox}) {
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    ::SendMessageA(Window(box), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.yHeight, 18 * 20);
    EXPECT_STREQ(format.szFaceName, "Times New Roman");
  }
  ::SendMessageA(combo, CB_SETCURSEL, 2, 0);
  ::SendMessageA(Window(ControlId::Panel), WM_COMMAND, MAKEWPARAM(12, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

TEST_F(CommandTest, ReleasingTheSliderSetsTheSpeed) {
  HWND slider = Window(ControlId::SpeedTrackbar);
  ::SendMessageA(slider, TBM_SETPOS, TRUE, 100);
  NMHDR released{slider, 0, static_cast<UINT>(NM_RELEASEDCAPTURE)};
  ::SendMessageA(Window(ControlId::Panel), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&released));
  EXPECT_EQ(panel().interval(), 100);
  ::SendMessageA(slider, TBM_SETPOS, TRUE, 70);
  ::SendMessageA(Window(ControlId::Panel), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&released));
}

// Answers the next file dialog of this thread with a path and OK, from a timer
// that its modal loop runs; the timer stops once it has answered.
class FileDialogAnswer {
 public:
  explicit FileDialogAnswer(std::string path) {
    Path() = std::move(path);
    timer_ = ::SetTimer(nullptr, 0, 50, Answer);
  }
  ~FileDialogAnswer() { ::KillTimer(nullptr, timer_); }

 private:
  static std::string& Path() {
    static std::string path;
    return path;
  }
  static BOOL CALLBACK AnswerIfDialog(HWND window, LPARAM) {
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    for (int box : {0x47c, 0x480})  // the file name's combo box or edit box
      ::SetDlgItemTextA(window, box, Path().c_str());
    ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
  }
  static void CALLBACK Answer(HWND, UINT, UINT_PTR, DWORD) {
    ::EnumThreadWindows(::GetCurrentThreadId(), AnswerIfDialog, 0);
  }
  UINT_PTR timer_ = 0;
};

// A word of 20 MB: Wine's box wrapped it in time growing with its square and
// ran out of memory on the caret's line. Played, kept, saved byte for byte.
TEST_F(CommandTest, GiantWordIsPlayedKeptAndSavedExactly) {
  std::string word(20 * 1000 * 1000, 'a');
  for (std::size_t i = 0; i < word.size(); ++i)
    word[i] = i % 997 == 0 ? '\xE9' : static_cast<char>('a' + i * 7 % 26);
  const std::string text = "start " + word;
  ChooseBaseWith(text);
  ClickPanel(2);  // Start
  Tick();
  Tick();
  ClickPanel(3);  // Pause
  EXPECT_FALSE(face().sourceBox().WrapsLines());
  ASSERT_EQ(face().sourceBox().Length(), static_cast<std::int32_t>(text.size()));
  EXPECT_TRUE(SourceText() == text);
  // The menu still answers: "Save as..." through the message loop, its dialog answered.
  const std::string saved = dir.Join("saved.txt");
  {
    FileDialogAnswer answer(saved);
    ::PostMessageA(app.mainWindow, WM_COMMAND, 2, 0);
    PumpMessages();
  }
  EXPECT_TRUE(ReadAll(saved) == text) << ReadAll(saved).size() << " bytes saved";
  face().sourceBox().Clear();
  EXPECT_TRUE(face().sourceBox().WrapsLines());
}

// Keys come from the X server as a user's would: xdotool focuses the window's X
// window and types. False when xdotool cannot be started.
bool PressKeys(HWND window, const std::string& keys) {
  return RunXdotool("windowfocus --sync " + XWindowOf(window) + " key --delay 30 " + keys);
}

TEST_F(CommandTest, HotkeysReachThePanelThroughTheHookAndTheKeyGoesOn) {
  face().sourceBox().Focus();
  ChooseBaseWith("alpha beta");
  if (!PressKeys(app.mainWindow, "F2")) GTEST_SKIP() << "xdotool is not available";
  EXPECT_TRUE(panel().playing());
  PressKeys(app.mainWindow, "F3");
  EXPECT_FALSE(panel().playing());
  PressKeys(app.mainWindow, "ctrl+2");
  EXPECT_EQ(::GetFocus(), Window(ControlId::PreviewBox));
  PressKeys(app.mainWindow, "ctrl+1");
  EXPECT_EQ(::GetFocus(), Window(ControlId::SourceBox));
  PressKeys(app.mainWindow, "ctrl+Down");
  EXPECT_EQ(::SendMessageA(Window(ControlId::SpeedTrackbar), TBM_GETPOS, 0, 0), 75);
  PressKeys(app.mainWindow, "ctrl+Up");
  EXPECT_EQ(::SendMessageA(Window(ControlId::SpeedTrackbar), TBM_GETPOS, 0, 0), 70);
  // A plain key is not a hotkey and is typed into the focused box as usual.
  PressKeys(app.mainWindow, "q");
  EXPECT_EQ(SourceText(), "q");
  EXPECT_FALSE(panel().playing());
}

}  // namespace
}  // namespace plinvaro::win32::testing
