// File and edit commands: Open..., Save as... (atomic, with its two failures), the folder browser, clipboard.
#include <ostream>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "PanelFixture.h"

namespace plinvaro::testing {
namespace {

using Message = std::pair<std::string, std::string>;

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  return names;
}

class FileCommandTest : public PanelTest {
 protected:
  // Plays `text` as the base file for one tick.
  void PlayOneTick(const std::string& text) {
    ChooseBaseWith(text);
    panel.StartPlayback();
    panel.PlaybackTick();
  }
  void SaveAs(const std::string& path) {
    face.dialogs.saveAnswers.push_back(path);
    panel.SaveSourceAs();
  }
};

TEST_F(FileCommandTest, CancelledOpenPausesButKeepsTheBaseFileTitleAndSources) {
  const std::string base = dir.Write("base.txt", "one two three");
  ChooseBase(base);
  panel.StartPlayback();
  panel.PlaybackTick();
  const std::string title = face.controls.title();
  panel.OpenBaseFile();  // no answer queued: the user cancels
  ASSERT_EQ(face.dialogs.opened.size(), 2u);
  EXPECT_FALSE(face.dialogs.opened.back().second);  // the timer stopped before the dialog
  EXPECT_FALSE(panel.playing());
  EXPECT_EQ(panel.baseFile(), base);
  EXPECT_EQ(face.controls.title(), title);
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::Base);
  EXPECT_TRUE(panel.base().HasView());
  EXPECT_EQ(panel.base().position, 4);
  panel.StartPlayback();
  EXPECT_EQ(NextChunk(), "two ");
}

TEST_F(FileCommandTest, OpenWhilePlayingStopsAndTheNextStartPlaysTheNewFile) {
  PlayOneTick("old words");
  const std::string fresh = dir.Write("fresh.txt", "new words");
  ChooseBase(fresh);
  EXPECT_FALSE(face.timer.running);
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::None);
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + fresh);
  const std::vector<FileFilter> filters = face.dialogs.lastFilters;
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[0].label, "Text Files (*.txt)");
  EXPECT_EQ(filters[0].pattern, "*.txt");
  EXPECT_EQ(filters[1].label, "All Files (*.*)");
  EXPECT_EQ(filters[1].pattern, "*.*");
  panel.StartPlayback();
  EXPECT_EQ(NextChunk(), "new ");
}

struct SaveCase {
  const char* name;
  std::string text;
};

// Test names carry the case; this keeps failure messages readable too.
[[maybe_unused]] void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

class SaveContentTest : public FileCommandTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveContentTest, WritesOneBytePerCharacterWithoutBomOrTerminator) {
  SetSourceText(GetParam().text);
  const std::string target = dir.Join("out");  // no extension: used as typed
  SaveAs(target);
  EXPECT_EQ(ReadAll(target), GetParam().text);
  EXPECT_EQ(std::filesystem::file_size(target), GetParam().text.size());
  EXPECT_TRUE(face.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Texts, SaveContentTest,
                         ::testing::Values(SaveCase{"Empty", ""}, SaveCase{"Plain", "a few words"},
                                           SaveCase{"LineEndsAndHighBytes", "a\r\nb\n\xE9\x80\xFF"}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(FileCommandTest, SaveReplacesAnExistingFileKeepingItsModeAndLeavesPlaybackPaused) {
  PlayOneTick("one two");
  const std::string target = dir.Write("out.txt", "an older and much longer content");
#ifndef _WIN32
  ::chmod(target.c_str(), 0640);
#endif
  SaveAs(target);
  EXPECT_EQ(face.dialogs.opened.back(), (std::pair<std::string, bool>{"save", false}));
  EXPECT_EQ(ReadAll(target), "one ");
#ifndef _WIN32
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
#endif
  EXPECT_FALSE(face.timer.running);
  EXPECT_EQ(Entries(dir.path()).size(), 2u);  // base.txt and out.txt, no leftovers
}

#ifndef _WIN32
TEST_F(FileCommandTest, SaveThroughASymbolicLinkReplacesTheFileItPointsTo) {
  SetSourceText("new");
  const std::string real = dir.Write("real.txt", "old");
  const std::string link = dir.Join("link.txt");
  std::filesystem::create_symlink(real, link);
  SaveAs(link);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadAll(real), "new");
}
#endif

TEST_F(FileCommandTest, CancelledSaveWritesNothing) {
  PlayOneTick("one two");
  panel.SaveSourceAs();
  EXPECT_FALSE(face.timer.running);
  EXPECT_TRUE(face.messages.shown.empty());
  EXPECT_EQ(Entries(dir.path()).size(), 1u);
}

// Closing over unsaved text asks once; each answer decides whether the window may close.
TEST_F(FileCommandTest, CloseAsksOnlyOverUnsavedTextAndFollowsTheAnswer) {
  int asked = 0;
  auto answer = [&asked](CloseAnswer a) {
    return [&asked, a] { ++asked; return a; };
  };
  EXPECT_TRUE(panel.ConfirmClose(answer(CloseAnswer::Cancel)));  // the empty box is nothing to save
  EXPECT_EQ(asked, 0);
  PlayOneTick("one two");
  EXPECT_TRUE(panel.HasUnsavedText());
  EXPECT_FALSE(panel.ConfirmClose(answer(CloseAnswer::Cancel)));
  EXPECT_TRUE(panel.ConfirmClose(answer(CloseAnswer::Discard)));
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(panel.ConfirmClose(answer(CloseAnswer::Save)));  // the save dialog was cancelled
  face.dialogs.saveAnswers.push_back(dir.Join("missing/out.txt"));
  EXPECT_FALSE(panel.ConfirmClose(answer(CloseAnswer::Save)));  // the save failed
  face.dialogs.saveAnswers.push_back(dir.Join("out.txt"));
  EXPECT_TRUE(panel.ConfirmClose(answer(CloseAnswer::Save)));
  EXPECT_EQ(ReadAll(dir.Join("out.txt")), "one ");
  asked = 0;
  EXPECT_TRUE(panel.ConfirmClose(answer(CloseAnswer::Cancel)));  // saved: no question
  panel.PlaybackTick();
  EXPECT_TRUE(panel.HasUnsavedText());
  face.sourceBox.SetText(Wide("one "));  // back to the saved text
  EXPECT_FALSE(panel.HasUnsavedText());
  EXPECT_EQ(asked, 0);
}

TEST_F(FileCommandTest, TargetThatCannotBeCreatedShowsCantSave) {
  SetSourceText("text");
  const std::string folder = dir.MakeSubdir("folder");
  for (const std::string& target : {dir.Join("missing/out.txt"), folder, folder + "/"}) {
    face.messages.shown.clear();
    SaveAs(target);
    EXPECT_EQ(face.messages.shown, (std::vector<Message>{{"Can't save to file", "Error"}}))
        << target;
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_TRUE(Entries(folder).empty());
}

#ifndef _WIN32
// The write fails in a child process whose file size limit is smaller than the
// text; the child reports through its exit status what the panel showed.
TEST_F(FileCommandTest, FailedWriteShowsCantWriteAndLeavesTheTargetUntouched) {
  const std::string target = dir.Write("out.txt", "precious old content");
  SetSourceText(std::string(64 * 1024, 'x'));
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(3);
    panel.SaveSourceText(target);
    const std::vector<Message> expected{{"Can't write to file", "Error"}};
    ::_exit(face.messages.shown == expected ? 0 : 4);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadAll(target), "precious old content");
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"out.txt"});
}
#endif

TEST_F(FileCommandTest, BrowseSetsTheDirectoryWithoutPausing) {
  PlayOneTick("one two");
  face.controls.directory = "typed";
  panel.BrowseDirectory();  // cancelled
  EXPECT_EQ(face.controls.directory, "typed");
  EXPECT_EQ(face.dialogs.lastBrowseTitle, "Select Base directory");
  face.dialogs.folderAnswers.push_back(dir.path());
  panel.Run(Command::Browse);
  EXPECT_EQ(face.controls.directory, dir.path());
  EXPECT_EQ(panel.directory(), dir.path());
  EXPECT_TRUE(face.timer.running);
}

TEST_F(FileCommandTest, DialogsAnsweringWithAnEmptyPath) {
  const std::string base = dir.Write("base.txt", "one two");
  PlayOneTick("one two");
  const std::string title = face.controls.title();
  face.dialogs.openAnswers.push_back(std::string());
  panel.OpenBaseFile();  // taken as cancelled, but playback is paused
  EXPECT_FALSE(face.timer.running);
  EXPECT_EQ(panel.baseFile(), base);
  EXPECT_EQ(face.controls.title(), title);
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::Base);

  SaveAs("");
  EXPECT_TRUE(face.messages.shown.empty());
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"base.txt"});

  // The folder browser takes the empty answer: the typed directory is emptied.
  face.controls.directory = "typed";
  face.dialogs.folderAnswers.push_back(std::string());
  panel.BrowseDirectory();
  EXPECT_EQ(face.controls.directory, "");
  EXPECT_EQ(panel.directory(), "");
}

TEST_F(FileCommandTest, EditCommandsAndTheirPredicatesActOnTheSourceBox) {
  EXPECT_FALSE(panel.SourceHasText());
  panel.SelectAllSource();
  EXPECT_EQ(face.sourceBox.GetSelection().end, 0);
  EXPECT_FALSE(panel.SourceCanPaste());

  SetSourceText("cut me");
  EXPECT_TRUE(panel.SourceHasText());
  EXPECT_FALSE(panel.SourceHasSelection());
  panel.SelectAllSource();
  EXPECT_TRUE(panel.SourceHasSelection());
  EXPECT_EQ(face.sourceBox.GetSelection().end, 6);
  panel.CopySource();
  EXPECT_TRUE(panel.SourceCanPaste());
  panel.CutSource();
  EXPECT_EQ(SourceText(), "");
  panel.PasteSource();
  panel.PasteSource();
  EXPECT_EQ(SourceText(), "cut mecut me");

  const int previewFocus = face.previewBox.focusCount();
  panel.FocusPreviewBox();
  EXPECT_EQ(face.previewBox.focusCount(), previewFocus + 1);
}

TEST_F(FileCommandTest, CommandIdsRouteToTheirOperations) {
  ChooseBaseWith("one two");
  EXPECT_TRUE(PressButton(2));  // Start
  EXPECT_TRUE(face.timer.running);
  EXPECT_TRUE(PressButton(3));  // Pause
  EXPECT_FALSE(face.timer.running);
  EXPECT_TRUE(PressButton(6));  // Stop
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::None);
  EXPECT_FALSE(PressButton(0));
  EXPECT_FALSE(PressButton(12));
}

}  // namespace
}  // namespace plinvaro::testing
