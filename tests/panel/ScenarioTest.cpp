// One typical use end to end: open, play, search and wander, preview and accept, back to base, stop, save.
#include <gtest/gtest.h>

#include <string>

#include "PanelFixture.h"

namespace plinvaro::testing {
namespace {

TEST_F(PanelTest, RoadOfOneTypicalUse) {
  const std::string base = dir.Write("base.txt", "The cat sat by the old road, and then it slept.");
  const std::string found =
      CorpusWith("hill.txt", "Up the hill ran the old road, past the farm and the mill.");
  face.controls.directory.clear();

  // 1. "Open..." stores the path and shows it; playback has no source yet.
  ChooseBase(base);
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + base);
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::None);

  // 2. Start maps the base file and starts the timer at the trackbar's period.
  panel.StartPlayback();
  EXPECT_EQ(face.timer.period, 430);
  EXPECT_EQ(panel.playingFrom(), PlaybackSource::Base);

  // 3. Each tick moves one word with its white space, the caret behind it.
  for (int i = 0; i < 7; ++i) panel.PlaybackTick();
  EXPECT_EQ(SourceText(), "The cat sat by the old road, ");
  EXPECT_EQ(face.sourceBox.GetSelection().start, 29);

  // 4-5. The user types the directory and searches: one part is picked, its
  // file becomes the found source past the pattern's separators.
  face.controls.directory = dir.Join("corpus");
  panel.RunSearch();
  EXPECT_EQ(panel.pattern(), "The cat sat by the old road, ");
  EXPECT_EQ(panel.trimmed(), "The cat sat by the old road");
  ASSERT_EQ(panel.results().PartCount(), 1);
  EXPECT_EQ(panel.foundFile(), found);
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + found);

  // 6. On the fly: playback goes on at once in the found file.
  EXPECT_TRUE(face.timer.running);
  EXPECT_EQ(NextChunk(), " ");
  EXPECT_EQ(NextChunk(), "past ");

  // Preview mode: the next search shows the picked part instead.
  panel.SwitchMode(true);
  EXPECT_FALSE(face.controls.onTheFly);
  panel.RunSearch();
  EXPECT_FALSE(face.timer.running);
  ASSERT_GT(panel.results().PartCount(), 0);
  const FoundPart& part = *panel.currentFoundPart();
  EXPECT_EQ(PreviewText(), ReadAll(found).substr(static_cast<std::size_t>(part.offset)));
  face.previewBox.SetSelection(0, 9);
  panel.AcceptPart();
  EXPECT_EQ(panel.found().position, part.offset + 9);
  panel.StartPlayback();
  EXPECT_EQ(NextChunk(), ReadAll(found).substr(static_cast<std::size_t>(part.offset) + 9, 1));

  // 7. To Src returns to the base file where it was left.
  panel.BackToBase();
  EXPECT_EQ(face.controls.title(), "Plinvaro - " + base);
  EXPECT_EQ(NextChunk(), "and ");

  // Stop closes both sources; "Save as..." writes the source text out.
  panel.StopPlayback();
  EXPECT_FALSE(panel.base().HasView());
  EXPECT_FALSE(panel.found().HasView());
  const std::string saved = dir.Join("composed.txt");
  face.dialogs.saveAnswers.push_back(saved);
  panel.SaveSourceAs();
  EXPECT_EQ(ReadAll(saved), SourceText());
  EXPECT_EQ(SourceText().rfind("The cat sat by the old road,  past ", 0), 0u);
  EXPECT_TRUE(face.messages.shown.empty());
}

}  // namespace
}  // namespace plinvaro::testing
