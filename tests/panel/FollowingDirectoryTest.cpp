// The directory box following the base file: off by default, and when on, only into an empty box.
#include <ostream>
#include <gtest/gtest.h>

#include <string>

#include "PanelFixture.h"

namespace plinvaro::testing {
namespace {

class FollowingDirectoryTest : public PanelTest {
 protected:
  void Follow() { panel.SetDirectoryFollowsBaseFile(true); }
  std::string Folder() { return dir.MakeSubdir("texts"); }
};

TEST_F(FollowingDirectoryTest, IsOffByDefault) {
  Folder();
  ChooseBase(dir.Write("texts/base.txt", "the old road"));
  panel.OpenBaseFilePath(dir.Join("texts/base.txt"));
  EXPECT_EQ(face.controls.directory, "");
  EXPECT_EQ(panel.directory(), "");
}

TEST_F(FollowingDirectoryTest, EmptyBoxTakesTheFolderOfTheOpenedFile) {
  Follow();
  const std::string folder = Folder();
  ChooseBase(dir.Write("texts/base.txt", "the old road"));
  EXPECT_EQ(face.controls.directory, folder);
  EXPECT_EQ(panel.directory(), folder);
}

TEST_F(FollowingDirectoryTest, FileGivenAtStartFillsTheBoxToo) {
  Follow();
  const std::string folder = Folder();
  panel.OpenBaseFilePath(dir.Write("texts/base.txt", "the old road"));
  EXPECT_EQ(face.controls.directory, folder);
}

TEST_F(FollowingDirectoryTest, TypedOrChosenDirectoryIsKept) {
  Follow();
  Folder();
  face.controls.directory = "elsewhere";
  ChooseBase(dir.Write("texts/base.txt", "the old road"));
  EXPECT_EQ(face.controls.directory, "elsewhere");
  face.controls.directory = "";
  ChooseBase(dir.Join("texts/base.txt"));
  face.controls.directory = dir.path();
  ChooseBase(dir.Join("texts/base.txt"));
  EXPECT_EQ(face.controls.directory, dir.path());  // the second file does not move it back
}

TEST_F(FollowingDirectoryTest, CancelledOpenLeavesTheBoxEmpty) {
  Follow();
  face.dialogs.openAnswers.push_back(std::nullopt);
  panel.OpenBaseFile();
  panel.OpenBaseFilePath("");
  EXPECT_EQ(face.controls.directory, "");
}

struct FolderCase {
  const char* path;
  const char* folder;
};

TEST_F(FollowingDirectoryTest, FolderOfEachKindOfPath) {
  Follow();
  const FolderCase cases[] = {
      {"harbour.txt", "."},
      {"samples/harbour.txt", "samples"},
      {"samples//harbour.txt", "samples"},
      {"/harbour.txt", "/"},
      {"/home/me/texts/harbour.txt", "/home/me/texts"},
#ifdef _WIN32
      {"C:\\texts\\harbour.txt", "C:\\texts"},
      {"C:\\harbour.txt", "C:\\"},
#endif
  };
  for (const FolderCase& c : cases) {
    face.controls.directory.clear();
    panel.OpenBaseFilePath(c.path);  // the file need not exist: opening only names it
    EXPECT_EQ(face.controls.directory, c.folder) << c.path;
  }
}

TEST_F(FollowingDirectoryTest, FollowedFolderIsWhereSearchLooks) {
  Follow();
  face.controls.onTheFly = false;
  Folder();
  dir.Write("texts/other.txt", "along the old road it went");
  ChooseBase(dir.Write("texts/base.txt", "down the old road"));
  SetSourceText("down the old road");
  panel.RunSearch();
  EXPECT_EQ(panel.lastSearch().kind, SearchOutcomeKind::Found);
}

}  // namespace
}  // namespace plinvaro::testing
