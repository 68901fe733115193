// Where each dialog opens and how the recent base files are kept.
#include <gtest/gtest.h>

#include "desktop/DesktopMemory.h"

namespace plinvaro::testing {
namespace {

TEST(DialogStartFolder, FileDialogsPreferTheirLastFolderAndTheBrowserTheBaseDirectory) {
  const struct {
    DialogKind kind;
    std::string last, baseFolder, baseDirectory, expected;
  } cases[] = {
      {DialogKind::Open, "/last", "/base", "/dir", "/last"},
      {DialogKind::Open, "", "/base", "/dir", "/base"},
      {DialogKind::Save, "", "", "/dir", "/dir"},
      {DialogKind::Save, "", "", "", ""},
      {DialogKind::Browse, "/last", "/base", "/dir", "/dir"},
      {DialogKind::Browse, "/last", "/base", "", "/last"},
      {DialogKind::Browse, "", "/base", "", "/base"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DialogStartFolder(c.kind, c.last, c.baseFolder, c.baseDirectory), c.expected)
        << static_cast<int>(c.kind) << " " << c.last << "|" << c.baseFolder << "|" << c.baseDirectory;
  }
}

TEST(WithRecentFile, PutsThePathFirstOnceAndKeepsTheLimit) {
  std::vector<std::string> recent;
  for (int i = 0; i < 12; ++i) recent = WithRecentFile(recent, "/f" + std::to_string(i), 10);
  ASSERT_EQ(recent.size(), 10u);
  EXPECT_EQ(recent.front(), "/f11");
  EXPECT_EQ(recent.back(), "/f2");
  recent = WithRecentFile(recent, "/f5", 10);
  EXPECT_EQ(recent.size(), 10u);
  EXPECT_EQ(recent[0], "/f5");
  EXPECT_EQ(recent[1], "/f11");
  EXPECT_EQ(std::count(recent.begin(), recent.end(), "/f5"), 1);
  EXPECT_EQ(WithRecentFile(recent, "", 10), recent);
}

TEST(RecentMenuItem, NumbersOneToNineThenZeroBeforeTheName) {
  const struct {
    int index;
    char digit;
    std::string text;
  } cases[] = {{0, '1', "1 a & b.txt"}, {8, '9', "9 a & b.txt"}, {9, '0', "0 a & b.txt"}};
  for (const auto& c : cases) {
    const RecentItem item = RecentMenuItem(c.index, "a & b.txt");
    EXPECT_EQ(item.digit, c.digit) << c.index;
    EXPECT_EQ(item.text, c.text) << c.index;
  }
}

}  // namespace
}  // namespace plinvaro::testing
