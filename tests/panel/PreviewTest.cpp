// Preview of found parts: loading in 1024-byte steps, the four buttons, Accept and the mode switch.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "PanelFixture.h"

namespace plinvaro::testing {
namespace {

// "<<", ">>", "Accept", "\/".
constexpr ButtonStates kSingle{false, false, true, true};

std::string Filler(std::size_t bytes) {
  std::string text;
  for (int i = 0; text.size() < bytes; ++i) text += "w" + std::to_string(i % 97) + " ";
  text.resize(bytes);
  return text;
}

class PreviewTest : public PanelTest {
 protected:
  const FoundPart& Current() { return *panel.currentFoundPart(); }
  // Searches "the old road" in a corpus of one file that continues with `after`.
  std::string SearchOneFile(const std::string& after) {
    const std::string path = CorpusWith("found.txt", "on the old road" + after);
    PreviewSearch("the old road");
    return path;
  }
};

TEST_F(PreviewTest, ShowsOneLessThanLoadedAndGrowsByKilobytes) {
  const std::string body = " " + Filler(3999);
  SearchOneFile(body);
  ASSERT_EQ(panel.results().PartCount(), 1);
  EXPECT_EQ(Current().offset, 15);
  EXPECT_EQ(PreviewText(), body.substr(0, 1023));
  EXPECT_EQ(face.controls.Buttons(), kSingle);
  EXPECT_EQ(face.previewBox.GetSelection().end, 0);

  panel.MoreText();
  EXPECT_EQ(PreviewText(), body.substr(0, 2047));
  EXPECT_EQ(face.previewBox.lastScroll(), ScrollRequest::Bottom);
  panel.MoreText();
  EXPECT_EQ(PreviewText().size(), 3071u);
  EXPECT_TRUE(face.controls.IsPartButtonEnabled(PartButton::More));
  panel.MoreText();
  EXPECT_EQ(PreviewText(), body);  // the file's end; the extra byte asked for is never shown
  EXPECT_EQ(Current().textLength, 4001);
  EXPECT_FALSE(face.controls.IsPartButtonEnabled(PartButton::More));
  panel.MoreText();
  EXPECT_EQ(Current().textLength, 4001);
}

TEST_F(PreviewTest, ShortPartIsShownWholeButMoreStaysEnabledOnce) {
  SearchOneFile(", and then");
  EXPECT_EQ(PreviewText(), ", and then");
  EXPECT_TRUE(face.controls.IsPartButtonEnabled(PartButton::More));
  panel.MoreText();
  EXPECT_EQ(PreviewText(), ", and then");
  EXPECT_EQ(face.previewBox.lastScroll(), ScrollRequest::Bottom);
  EXPECT_FALSE(face.controls.IsPartButtonEnabled(PartButton::More));
}

TEST_F(PreviewTest, ButtonsFollowThePlaceOfTheCurrentPart) {
  CorpusWith("three.txt", "x the old road a, the old road b, the old road c");
  PreviewSearch("the old road");
  ASSERT_EQ(panel.results().PartCount(), 3);
  EXPECT_EQ(face.controls.Buttons(), (ButtonStates{false, true, true, true}));
  panel.NextPart();
  EXPECT_EQ(face.controls.Buttons(), (ButtonStates{true, true, true, true}));
  EXPECT_EQ(face.previewBox.lastScroll(), ScrollRequest::Top);
  panel.NextPart();
  EXPECT_EQ(face.controls.Buttons(), (ButtonStates{true, false, true, true}));
  const std::int32_t last = panel.CurrentPartIndex();
  panel.NextPart();  // disabled: nothing moves
  EXPECT_EQ(panel.CurrentPartIndex(), last);
  panel.PreviousPart();
  panel.PreviousPart();
  EXPECT_EQ(panel.CurrentPartIndex(), 0);
  EXPECT_FALSE(face.controls.IsPartButtonEnabled(PartButton::Prev));
}

#ifndef _WIN32  // the file is locked while played on Windows
TEST_F(PreviewTest, ComingBackShowsWhatWasLoadedWithoutReading) {
  // The longest match comes first: the part after "I saw the old road".
  const std::string first =
      CorpusWith("three.txt", "x the old road a, by the old road b. I saw the old road " + Filler(3000));
  PreviewSearch("I saw the old road");
  ASSERT_EQ(panel.CurrentPartIndex(), 0);
  panel.MoreText();
  const std::string extended = PreviewText();
  ASSERT_EQ(extended.size(), 2047u);
  panel.NextPart();
  std::filesystem::resize_file(first, 40);
  panel.PreviousPart();
  EXPECT_EQ(PreviewText(), extended);
}
#endif

TEST_F(PreviewTest, PartWhoseFileVanishedShowsNothingAndReadsNoFurther) {
  CorpusWith("a.txt", "by the old road a");
  CorpusWith("b.txt", "by the old road b");
  PreviewSearch("the old road");
  ASSERT_EQ(panel.results().PartCount(), 2);
  const auto& next = *std::next(panel.results().parts().begin(), panel.CurrentPartIndex() + 1);
  std::filesystem::remove(panel.results().FilePath(next->fileIndex));
  panel.NextPart();
  EXPECT_EQ(PreviewText(), "");
  EXPECT_EQ(Current().TextBytes(), 0);
}

TEST_F(PreviewTest, NulInThePartEndsTheShownText) {
  SearchOneFile(std::string(" and\0 more", 10));
  EXPECT_EQ(PreviewText(), " and");
}

TEST_F(PreviewTest, AcceptWithoutSelectionsTakesTheWholePreviewAtTheCaret) {
  const std::string path = SearchOneFile(", and then home");
  const int focus = face.sourceBox.focusCount();
  panel.AcceptPart();
  EXPECT_EQ(SourceText(), "the old road, and then home");
  EXPECT_EQ(panel.found().path, path);
  EXPECT_EQ(panel.found().position, 15 + 15);  // offset + previewLength
  EXPECT_EQ(face.sourceBox.focusCount(), focus + 1);
  EXPECT_FALSE(face.timer.running);
  EXPECT_EQ(PreviewText(), ", and then home");
}

TEST_F(PreviewTest, AcceptWithTheCaretInsideThePreviewStillTakesItWhole) {
  SearchOneFile(", and then home");
  face.previewBox.SetSelection(6, 6);
  panel.AcceptPart();
  EXPECT_EQ(SourceText(), "the old road, and then home");
  EXPECT_EQ(panel.found().position, 15 + 15);
}

TEST_F(PreviewTest, AcceptTakesThePreviewSelectionAndGoesOnBehindIt) {
  const std::string body = " 0123456789abcdefghijklmnopqrstuvwxyz";
  SearchOneFile(body);
  face.previewBox.SetSelection(10, 25);
  panel.AcceptPart();
  EXPECT_EQ(SourceText(), "the old road" + body.substr(10, 15));
  EXPECT_EQ(panel.found().position, 15 + 25);
  panel.StartPlayback();
  EXPECT_EQ(NextChunk(), body.substr(25));
}

TEST_F(PreviewTest, AcceptReplacesTheSourceSelectionOrInsertsAtTheCaret) {
  SearchOneFile(" X");
  face.sourceBox.SetSelection(4, 7);  // "old"
  panel.AcceptPart();
  EXPECT_EQ(SourceText(), "the  X road");
  EXPECT_EQ(face.sourceBox.GetSelection().start, 6);
  face.sourceBox.SetSelection(0, 0);
  panel.AcceptPart();
  EXPECT_EQ(SourceText(), " Xthe  X road");
}

TEST_F(PreviewTest, AcceptOnAnotherFilesPartPlaysThatFile) {
  CorpusWith("a.txt", "by the old road a");
  CorpusWith("b.txt", "by the old road b");
  PreviewSearch("the old road");
  ASSERT_EQ(panel.results().PartCount(), 2);
  const std::string picked = panel.foundFile();
  panel.NextPart();
  const std::string other = panel.results().FilePath(Current().fileIndex);
  ASSERT_NE(other, picked);
  panel.AcceptPart();
  EXPECT_EQ(panel.foundFile(), other);
  EXPECT_EQ(panel.found().path, other);
}

TEST_F(PreviewTest, DisabledButtonsMakeTheirCommandsDoNothing) {
  face.controls.onTheFly = false;
  SetSourceText("keep");
  panel.AcceptPart();
  panel.MoreText();
  panel.NextPart();
  panel.PreviousPart();
  EXPECT_EQ(SourceText(), "keep");
  EXPECT_EQ(face.previewBox.lastScroll(), ScrollRequest::None);
  // On The Fly Mode keeps a current part but no enabled Accept: Accept inserts nothing.
  CorpusWith("found.txt", "on the old road, and then");
  face.controls.onTheFly = true;
  SetSourceText("the old road");
  panel.RunSearch();
  ASSERT_NE(panel.results().PartCount(), 0);
  panel.PlaybackTick();
  panel.PausePlayback();
  const std::int32_t position = panel.found().position;
  panel.AcceptPart();
  EXPECT_EQ(SourceText(), "the old road, ");
  EXPECT_EQ(panel.found().position, position);
}

TEST_F(PreviewTest, SwitchingTheModeOnKeepsPartsAndOffDiscardsThem) {
  SearchOneFile(", and then");
  panel.SwitchMode(true);
  EXPECT_TRUE(face.controls.onTheFly);
  EXPECT_EQ(PreviewText(), "");
  EXPECT_EQ(face.controls.Buttons(), kAllDisabled);
  EXPECT_EQ(panel.results().PartCount(), 1);
  panel.AcceptPart();  // disabled now
  EXPECT_EQ(SourceText(), "the old road");

  face.controls.onTheFly = false;  // the check box flipped itself on a click
  panel.Run(Command::OnTheFly);
  EXPECT_EQ(panel.results().PartCount(), 0);
  EXPECT_EQ(PreviewText(), "");
  EXPECT_EQ(face.controls.Buttons(), kAllDisabled);
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::Found);
}

TEST_F(PreviewTest, AcceptAfterStopStillInsertsButStartPlaysTheBase) {
  ChooseBaseWith("base words");
  SearchOneFile(", and then");
  panel.StopPlayback();
  panel.AcceptPart();
  EXPECT_EQ(SourceText(), "the old road, and then");
  EXPECT_EQ(panel.found().position, 25);
  panel.StartPlayback();
  EXPECT_EQ(NextChunk(), "base ");
}

}  // namespace
}  // namespace plinvaro::testing
