// The menu bar: its table, what each item runs, and the Edit enabling rule.
#include <algorithm>
#include <string>
#include <vector>

#include "PanelFixture.h"
#include "panel/MenuBar.h"
#include "window/WindowTexts.h"

namespace plinvaro::testing {
namespace {

TEST(MenuBarTable, HoldsThreePopUpsWithPlainTextsAndIdsOneToNine) {
  std::vector<std::string> titles;
  std::vector<std::pair<std::string, int>> items;
  for (const MenuPopup& popup : MenuBarTable()) {
    titles.emplace_back(popup.title);
    for (const MenuItem& item : popup.items) items.emplace_back(item.text, item.commandId);
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"File", "Edit", "Help"}));
  const std::vector<std::pair<std::string, int>> expected = {
      {"Open...", 1}, {"Save as...", 2}, {"", 0},           {"Exit", 3},
      {"Copy", 4},    {"Cut", 5},        {"Paste", 6},      {"Select All", 7},
      {"View hotkeys...", 8},            {"About...", 9}};
  EXPECT_EQ(items, expected);
  for (const auto& [text, id] : items) EXPECT_EQ(text.find('&'), std::string::npos) << text;
  EXPECT_EQ(MenuBarTable()[kEditMenuPosition].title, "Edit");
}

class MenuCommandTest : public PanelTest {
 protected:
  void SetUp() override { panel.SetWindowHost(&host); }
  // The item with Windows id `id`, as the faces route it.
  bool RunItem(int id) {
    const std::optional<Command> command = MenuItemCommand(id);
    return command && panel.Run(*command);
  }
  std::array<bool, 4> EditStates() {
    std::array<bool, 4> enabled{};
    const auto states = EditMenuStates(panel);
    const int order[4] = {4, 5, 7, 6};  // Copy, Cut, Select All, Paste
    for (std::size_t i = 0; i < 4; ++i) {
      EXPECT_EQ(states[i].commandId, order[i]);
      enabled[i] = states[i].enabled;
    }
    return enabled;
  }
  RecordingWindowHost host;
};

TEST_F(MenuCommandTest, TheRefreshedStatesAreThoseOfTheRefreshingPopUpsItems) {
  std::vector<int> own;
  for (const MenuPopup& popup : MenuBarTable()) {
    if (!popup.refreshesOnOpen) continue;
    for (const MenuItem& item : popup.items) own.push_back(item.commandId);
  }
  std::vector<int> refreshed;
  for (const MenuItemState& state : EditMenuStates(panel)) refreshed.push_back(state.commandId);
  std::sort(own.begin(), own.end());
  std::sort(refreshed.begin(), refreshed.end());
  EXPECT_EQ(refreshed, own);
}

TEST_F(MenuCommandTest, EditItemsFollowTheSourceBoxAndTheClipboard) {
  face.sourceBox.SetClipboard(std::nullopt);
  EXPECT_EQ(EditStates(), (std::array<bool, 4>{false, false, false, false})) << "empty box";
  SetSourceText("some words");
  EXPECT_EQ(EditStates(), (std::array<bool, 4>{false, false, true, false})) << "caret only";
  face.sourceBox.SetSelection(0, 4);
  EXPECT_EQ(EditStates(), (std::array<bool, 4>{true, true, true, false})) << "a selection";
  face.sourceBox.SetClipboard(Wide("pasteable"));
  EXPECT_EQ(EditStates(), (std::array<bool, 4>{true, true, true, true})) << "clipboard";
}

TEST_F(MenuCommandTest, EditItemsActOnTheSourceBoxWhereverTheFocusIs) {
  SetSourceText("alpha beta");
  panel.FocusPreviewBox();
  ASSERT_TRUE(RunItem(7));  // Select All
  EXPECT_EQ(face.sourceBox.GetSelection().end, 10);
  ASSERT_TRUE(RunItem(5));  // Cut
  EXPECT_EQ(SourceText(), "");
  ASSERT_TRUE(RunItem(6));  // Paste
  ASSERT_TRUE(RunItem(6));
  EXPECT_EQ(SourceText(), "alpha betaalpha beta");
  face.sourceBox.SetSelection(0, 5);
  ASSERT_TRUE(RunItem(4));  // Copy
  EXPECT_EQ(face.sourceBox.clipboard(), Wide("alpha"));
}

TEST_F(MenuCommandTest, FileAndHelpItemsReachTheDialogsTheWindowAndTheMessageBoxes) {
  const std::string base = dir.Write("base.txt", "one two");
  face.dialogs.openAnswers.push_back(base);
  ASSERT_TRUE(RunItem(1));
  EXPECT_EQ(panel.baseFile(), base);
  ASSERT_TRUE(RunItem(2));  // the save dialog, cancelled
  EXPECT_EQ(face.dialogs.opened.back().first, "save");
  ASSERT_TRUE(RunItem(8));
  ASSERT_TRUE(RunItem(9));
  ASSERT_EQ(face.messages.shown.size(), 2u);
  EXPECT_EQ(face.messages.shown[0], (std::pair<std::string, std::string>{std::string(kHotkeyHelpText), "Hotkeys..."}));
  EXPECT_EQ(face.messages.shown[1].second, "About...");
  EXPECT_EQ(host.closeRequests, 0);
  ASSERT_TRUE(RunItem(3));
  EXPECT_EQ(host.closeRequests, 1);
  EXPECT_FALSE(RunItem(0));
  EXPECT_FALSE(RunItem(10));
}

TEST(WindowTexts, AboutHasFiveLinesWithTheVersionFirstAndAnIndentedAddressLast) {
  std::vector<std::string> lines;
  std::string text(kAboutText);
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], " Plinvaro version 1.0");
  EXPECT_EQ(lines[1], "");
  EXPECT_NE(lines[2].find("Plinvaro authors"), std::string::npos);
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4].rfind("    ", 0), 0u);
  EXPECT_NE(lines[4][4], ' ');
  EXPECT_EQ(kHotkeyHelpText.front(), '\n');
}

}  // namespace
}  // namespace plinvaro::testing
