// The window as created and resized: classes, texts, ids and styles of the table, every place, the clamp, the menu.

#include <cctype>
#include <map>
#include <utility>

#include "FaceFixture.h"

#include <commctrl.h>
#include <richedit.h>
#include "window/FontSizes.h"
#include "window/MainWindowGeometry.h"
#include "panel/MenuBar.h"
#include "window/Relayout.h"

namespace plinvaro::win32::testing {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[128] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

Rect MainWindowRect(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right - r.left),
          static_cast<int>(r.bottom - r.top)};
}

using WindowTest = FaceTest;

TEST_F(WindowTest, MainWindowIsCentredAtItsStartSizeWithClassStyleAndTitle) {
  EXPECT_EQ(ClassOf(app.mainWindow), kMainWindowClass);
  EXPECT_EQ(CreationStyle(app.mainWindow), kMainWindowStyle);
  EXPECT_EQ(InitialTitle(), "Plinvaro");
  const Rect start =
      MainWindowStartRect(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(MainWindowRect(app.mainWindow), start);
  EXPECT_NE(::GetClassLongPtrA(app.mainWindow, GCLP_HICON), 0u);
}

// The icon group 55555: 48, 32 and 16 pixels in 4, 8 and 24 bits, and a second 32-pixel 8-bit image.
TEST_F(WindowTest, IconGroupHoldsTheTenImages) {
  HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(kAppIconId), MAKEINTRESOURCEA(14));
  ASSERT_NE(found, nullptr);
  const auto* group = static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, found)));
  ASSERT_NE(group, nullptr);
  const int count = group[4] | (group[5] << 8);
  ASSERT_EQ(count, 10);
  std::map<std::pair<int, int>, int> images;  // (size, bits per pixel) -> how many
  for (int i = 0; i < count; ++i) {
    const BYTE* entry = group + 6 + 14 * i;  // width, height, colours, 0, planes, bit count, ...
    const int size = entry[0] == 0 ? 256 : entry[0];
    ++images[{size, entry[6] | (entry[7] << 8)}];
  }
  for (int size : {48, 32, 16})
    for (int bits : {4, 8, 24}) EXPECT_GE((images[{size, bits}]), 1) << size << " px, " << bits << " bpp";
  EXPECT_EQ((images[{32, 8}]), 2);
}

TEST_F(WindowTest, EveryControlHasTheClassTextIdAndStyleOfItsRow) {
  for (const ControlSpec& row : ControlTable()) {
    SCOPED_TRACE(std::string(row.field));
    HWND window = Window(row.control);
    ASSERT_TRUE(::IsWindow(window));
    EXPECT_EQ(Lower(ClassOf(window)), Lower(std::string(row.nativeClass)));
    if (row.kind != ControlKind::RichText && row.kind != ControlKind::ComboBox &&
        row.kind != ControlKind::LineEdit) {
      EXPECT_EQ(TextOf(window), row.text);
    }
    EXPECT_EQ(::GetDlgCtrlID(window), row.commandId);
    EXPECT_EQ(CreationStyle(window), row.style);
    EXPECT_EQ(::IsWindowEnabled(window) != 0, row.initiallyEnabled);
  }
  EXPECT_EQ(::GetParent(Window(ControlId::Panel)), app.mainWindow);
  EXPECT_EQ(::GetParent(Window(ControlId::StartButton)), Window(ControlId::Panel));
}

TEST_F(WindowTest, ControlsStartInTheirInitialState) {
  EXPECT_EQ(::SendMessageA(Window(ControlId::OnTheFlyCheck), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(::SendMessageA(Window(ControlId::SpeedTrackbar), TBM_GETPOS, 0, 0), 70);
  EXPECT_EQ(::SendMessageA(Window(ControlId::SpeedTrackbar), TBM_GETRANGEMAX, 0, 0), 100);
  HWND combo = Window(ControlId::FontSizeCombo);
  ASSERT_EQ(::SendMessageA(combo, CB_GETCOUNT, 0, 0), 32);
  EXPECT_EQ(::SendMessageA(combo, CB_GETCURSEL, 0, 0), kInitialFontSizeIndex);
  char item[8] = {};
  ::SendMessageA(combo, CB_GETLBTEXT, 31, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item, "70");
  // "..." keeps the system font; the other buttons get the GUI font.
  EXPECT_EQ(::SendMessageA(Window(ControlId::BrowseButton), WM_GETFONT, 0, 0), 0);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(::SendMessageA(Window(ControlId::StartButton), WM_GETFONT, 0, 0)),
            ::GetStockObject(DEFAULT_GUI_FONT));
  // Setting the background again answers the colour it had: the preview's own.
  HWND preview = Window(ControlId::PreviewBox);
  const LRESULT previous = ::SendMessageA(preview, EM_SETBKGNDCOLOR, 0, RGB(250, 230, 206));
  EXPECT_EQ(static_cast<COLORREF>(previous), RGB(250, 230, 206));
}

TEST_F(WindowTest, EveryControlStandsWhereTheModelPlacesIt) {
  for (const auto& [width, height] : {std::pair{700, 500}, std::pair{1000, 720}}) {
    ResizeMainWindow(width, height);
    RECT client{};
    ::GetClientRect(app.mainWindow, &client);
    const Size panelSize{static_cast<int>(client.right), static_cast<int>(client.bottom)};
    for (const ControlPlace& place : Relayout(RelayoutInputFromTable(panelSize)))
      EXPECT_EQ(PlaceOf(place.control), place.rect)
          << Control(place.control).field << " at " << width << " x " << height;
    for (ControlId id : {ControlId::DirLabel, ControlId::DirEdit, ControlId::BrowseButton,
                         ControlId::OnTheFlyCheck, ControlId::FontSizeLabel})
      EXPECT_EQ(PlaceOf(id), CreationRect(id, face().topRow())) << Control(id).field;
  }
  // The measured texts give a row that fits the 30-pixel band.
  EXPECT_GT(face().topRow().rowHeight, 5);
  EXPECT_LE(face().topRow().rowHeight, 30);
}

TEST_F(WindowTest, SizingBelowTheMinimumMovesTheRightAndBottomEdges) {
  RECT proposed{300, 200, 500, 400};
  EXPECT_EQ(::SendMessageA(app.mainWindow, WM_SIZING, WMSZ_TOPLEFT,
                           reinterpret_cast<LPARAM>(&proposed)),
            TRUE);
  EXPECT_EQ(proposed.left, 300);
  EXPECT_EQ(proposed.top, 200);
  EXPECT_EQ(proposed.right, 1000);
  EXPECT_EQ(proposed.bottom, 700);
  RECT large{0, 0, 800, 600};
  ::SendMessageA(app.mainWindow, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&large));
  EXPECT_EQ(large.right, 800);
  EXPECT_EQ(large.bottom, 600);
}

TEST_F(WindowTest, MenuBarFollowsTheMenuTable) {
  HMENU bar = ::GetMenu(app.mainWindow);
  ASSERT_EQ(bar, app.menuBar);
  const auto popups = MenuBarTable();
  ASSERT_EQ(::GetMenuItemCount(bar), static_cast<int>(popups.size()));
  for (int p = 0; p < static_cast<int>(popups.size()); ++p) {
    char title[32] = {};
    ::GetMenuStringA(bar, static_cast<UINT>(p), title, sizeof title, MF_BYPOSITION);
    EXPECT_EQ(std::string(title), popups[static_cast<std::size_t>(p)].title);
    HMENU menu = ::GetSubMenu(bar, p);
    const auto items = popups[static_cast<std::size_t>(p)].items;
    ASSERT_EQ(::GetMenuItemCount(menu), static_cast<int>(items.size()));
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
      const MenuItem& item = items[static_cast<std::size_t>(i)];
      if (item.IsSeparator()) {
        EXPECT_EQ(::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR,
                  static_cast<UINT>(MF_SEPARATOR));
        continue;
      }
      char text[32] = {};
      ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      EXPECT_EQ(std::string(text), item.text);
      EXPECT_EQ(static_cast<int>(::GetMenuItemID(menu, i)), item.commandId);
    }
  }
}

TEST_F(WindowTest, HighlightingEditBringsItsItemsUpToDate) {
  const auto highlightEdit = [&] {
    ::SendMessageA(app.mainWindow, WM_MENUSELECT, MAKEWPARAM(kEditMenuPosition, MF_POPUP),
                   reinterpret_cast<LPARAM>(app.menuBar));
  };
  const auto greyed = [&](int id) {
    return (::GetMenuState(app.editMenu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) != 0;
  };
  highlightEdit();
  EXPECT_TRUE(greyed(4));   // Copy
  EXPECT_TRUE(greyed(5));   // Cut
  EXPECT_TRUE(greyed(7));   // Select All
  face().sourceBox().ReplaceSelection(u"some words", 10);
  highlightEdit();
  EXPECT_TRUE(greyed(4));
  EXPECT_FALSE(greyed(7));
  ::SendMessageA(app.mainWindow, WM_COMMAND, 7, 0);  // Select All
  highlightEdit();
  EXPECT_FALSE(greyed(4));
  EXPECT_FALSE(greyed(5));
  ::SendMessageA(app.mainWindow, WM_COMMAND, 4, 0);  // Copy
  highlightEdit();
  EXPECT_FALSE(greyed(6));  // Paste: the clipboard holds the copied text
}

}  // namespace
}  // namespace plinvaro::win32::testing
