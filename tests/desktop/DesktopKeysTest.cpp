// The desktop face's keyboard data: mnemonics that fit their menus, control names with their keys, the aligned Hotkeys text, the Tab order.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "desktop/DesktopKeys.h"
#include "panel/Hotkeys.h"
#include "panel/MenuBar.h"
#include "panel/SeamMenu.h"

namespace plinvaro::testing {
namespace {

TEST(MnemonicText, MarksTheLetterAndEscapesLiteralAmpersands) {
  const struct {
    std::string_view text;
    char letter;
    std::string expected;
  } cases[] = {
      {"Open...", 'O', "&Open..."},   {"Exit", 'x', "E&xit"},  {"Cut", 't', "Cu&t"},
      {"about", 'A', "&about"},       {"R&D", 'D', "R&&&D"},   {"Copy", 'z', "Copy"},
      {"Tom & Jerry", 0, "Tom && Jerry"}, {"", 'a', ""},
  };
  for (const auto& c : cases) EXPECT_EQ(MnemonicText(c.text, c.letter), c.expected) << c.text;
}

TEST(MenuKeys, EveryItemHasAMnemonicInItsTextAndNoneRepeatsInAPopup) {
  std::set<std::string_view> shortcuts;
  for (const MenuPopup& popup : MenuBarTable()) {
    EXPECT_NE(MnemonicText(popup.title, PopupMnemonic(popup.title)).find('&'), std::string::npos);
    std::set<char> letters{kOpenRecentMnemonic};
    for (const MenuItem& item : popup.items) {
      if (item.IsSeparator()) continue;
      const MenuKeys keys = KeysOfMenuItem(item.command);
      const char letter = static_cast<char>(std::tolower(keys.mnemonic));
      EXPECT_TRUE(letters.insert(letter).second) << item.text;
      EXPECT_NE(MnemonicText(item.text, keys.mnemonic).find('&'), std::string::npos) << item.text;
      if (!keys.shortcut.empty()) {
        EXPECT_TRUE(shortcuts.insert(keys.shortcut).second);
      }
    }
  }
  EXPECT_EQ(KeysOfMenuItem(Command::Open).shortcut, "Ctrl+O");
  EXPECT_EQ(KeysOfMenuItem(Command::SaveAs).shortcut, "Ctrl+S");
  EXPECT_EQ(KeysOfMenuItem(Command::Exit).shortcut, "Ctrl+Q");
  EXPECT_EQ(KeysOfMenuItem(Command::Start).mnemonic, 0);
}

TEST(MenuKeys, TheSeamItemsHaveMnemonicsTooAndNoneRepeatsInItsMenu) {
  std::map<std::string_view, std::set<char>> letters;
  for (const MenuPopup& popup : MenuBarTable())
    for (const MenuItem& item : popup.items)
      if (!item.IsSeparator()) letters[popup.title].insert(static_cast<char>(std::tolower(KeysOfMenuItem(item.command).mnemonic)));
  letters["File"].insert(static_cast<char>(std::tolower(kOpenRecentMnemonic)));
  for (const SeamMenuItem& item : SeamMenuTable()) {
    const char letter = KeysOfMenuItem(item.command).mnemonic;
    EXPECT_NE(MnemonicText(item.text, letter).find('&'), std::string::npos) << item.text;
    EXPECT_TRUE(letters[item.menu].insert(static_cast<char>(std::tolower(letter))).second) << item.text;
  }
  EXPECT_EQ(PopupMnemonic("View"), 'V');
  for (const MenuPopup& popup : MenuBarTable()) EXPECT_NE(PopupMnemonic(popup.title), 'V') << popup.title;
}

TEST(ButtonKeys, TheCloseGuardsAnswersHaveDistinctMnemonicsInTheirTexts) {
  std::set<char> letters;
  for (const ButtonKeys& keys : {kGuardSave, kGuardDiscard, kGuardCancel}) {
    EXPECT_NE(MnemonicText(keys.text, keys.mnemonic).find('&'), std::string::npos) << keys.text;
    EXPECT_TRUE(letters.insert(static_cast<char>(std::tolower(keys.mnemonic))).second) << keys.text;
  }
}

TEST(ControlName, NamesCarryTheKeyOfTheirCommand) {
  EXPECT_EQ(ControlName(ControlId::PrevButton), "Previous found part (F8)");
  EXPECT_EQ(ControlName(ControlId::StartButton), "Start (F2)");
  EXPECT_EQ(ControlName(ControlId::ToSrcButton), "Back to base file (F5)");
  EXPECT_EQ(ControlName(ControlId::MoreButton), "More text of the found part (F12)");
  EXPECT_EQ(ControlName(ControlId::SourceBox), "Composition (Ctrl+1)");
  EXPECT_EQ(ControlName(ControlId::Panel), "");
  for (ControlId id : TabOrder()) {
    if (id == ControlId::SpeedTrackbar) continue;
    EXPECT_FALSE(ControlName(id).empty()) << static_cast<int>(id);
  }
  EXPECT_EQ(SpeedSliderName(70), "Speed: 430 ms per word");
  EXPECT_EQ(SpeedSliderName(100), "Speed: 100 ms per word");
}

TEST(HotkeyHelp, ListsEveryHotkeyAndTheExtraKeyWithTheDashesInOneColumn) {
  const std::vector<HotkeyHelpRow> rows = HotkeyHelpRows();
  ASSERT_EQ(rows.size(), HotkeyTable().size() + 1);
  EXPECT_EQ(rows.front().key, "F2");
  EXPECT_EQ(rows.front().action, "start");
  EXPECT_EQ(rows.back().key, kMoreTextKey);
  std::istringstream lines(AlignedHotkeyHelpText());
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "");  // the box opens with a blank line, as the model's text does
  std::set<std::size_t> dashColumns;
  int count = 0;
  while (std::getline(lines, line)) {
    dashColumns.insert(line.find(" -  ") + 1);
    EXPECT_EQ(line.find('\t'), std::string::npos);
    ++count;
  }
  EXPECT_EQ(count, static_cast<int>(rows.size()));
  EXPECT_EQ(dashColumns.size(), 1u);
}

TEST(TabOrder, ReachesEveryControlButThePanelAndTheLabelsOnce) {
  std::set<ControlId> seen;
  for (ControlId id : TabOrder()) EXPECT_TRUE(seen.insert(id).second);
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kControlCount - 3));
  EXPECT_FALSE(seen.count(ControlId::Panel) || seen.count(ControlId::DirLabel) ||
               seen.count(ControlId::FontSizeLabel));
}

}  // namespace
}  // namespace plinvaro::testing
