// Playback while another process truncates, rewrites or deletes the file being played.
#include <ostream>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "PanelFixture.h"

// On Windows a played or previewed file is held with shared reading only: no
// other process can change it meanwhile (the Win32 file tests cover that lock).
#ifndef _WIN32
namespace plinvaro::testing {
namespace {

enum class Change { Truncate, RewriteShorter, RewriteLonger, Delete, Replace };

struct ChangeCase {
  const char* name;
  Change change;
};

[[maybe_unused]] void PrintTo(const ChangeCase& c, std::ostream* os) { *os << c.name; }

void ApplyChange(Change change, const std::string& path) {
  switch (change) {
    case Change::Truncate:
      std::filesystem::resize_file(path, 0);
      return;
    case Change::RewriteShorter:
      std::ofstream(path, std::ios::binary | std::ios::trunc) << "x";
      return;
    case Change::RewriteLonger:
      std::ofstream(path, std::ios::binary | std::ios::trunc) << std::string(100000, 'z');
      return;
    case Change::Delete:
      std::filesystem::remove(path);
      return;
    case Change::Replace: {  // a new file renamed over the old name
      const std::string fresh = path + ".new";
      std::ofstream(fresh, std::ios::binary) << "new words here";
      std::filesystem::rename(fresh, path);
      return;
    }
  }
}

class SourceChangeTest : public PanelTest, public ::testing::WithParamInterface<ChangeCase> {};

const std::string kBase = "one two three four five six seven eight nine ten";

TEST_P(SourceChangeTest, BasePlaysOnFromTheBytesItHeldAndStopsAtTheirEnd) {
  const std::string path = ChooseBaseWith(kBase);
  panel.StartPlayback();
  ASSERT_EQ(NextChunk(), "one ");
  ApplyChange(GetParam().change, path);
  TickWhileRunning();
  EXPECT_EQ(SourceText(), kBase);
  EXPECT_FALSE(face.timer.running);
  EXPECT_EQ(panel.base().position, panel.base().size);
  EXPECT_EQ(panel.base().size, static_cast<std::int32_t>(kBase.size()));
}

TEST_P(SourceChangeTest, FoundFilePlaysOnFromTheBytesItHeld) {
  const std::string found = CorpusWith("found.txt", "by the old road we walked home slowly");
  ChooseBaseWith("down the old road");
  panel.StartPlayback();
  TickWhileRunning();
  panel.RunSearch();  // On The Fly: plays on in found.txt after "road"
  ASSERT_EQ(panel.playingFrom(), PlaybackSource::Found);
  ASSERT_EQ(NextChunk(), " ");
  ApplyChange(GetParam().change, found);
  TickWhileRunning();
  EXPECT_EQ(SourceText(), "down the old road we walked home slowly");
  EXPECT_FALSE(face.timer.running);
}

TEST_P(SourceChangeTest, PreviewNeverShowsMoreThanTheFileStillHolds) {
  const std::string found = CorpusWith("found.txt", "by the old road " + std::string(3000, 'w'));
  PreviewSearch("the old road");
  ASSERT_EQ(panel.results().PartCount(), 1);
  const std::string shown = PreviewText();
  ApplyChange(GetParam().change, found);
  panel.MoreText();
  const FoundPart& part = *panel.currentFoundPart();
  EXPECT_LE(part.TextBytes(), part.textLength);
  EXPECT_LE(static_cast<std::size_t>(part.TextBytes()),
            std::filesystem::exists(found)
                ? std::max<std::size_t>(std::filesystem::file_size(found), 15) - 15
                : shown.size() + 1);
  EXPECT_LE(PreviewText().size(), static_cast<std::size_t>(part.TextBytes()));
}

INSTANTIATE_TEST_SUITE_P(Changes, SourceChangeTest,
                         ::testing::Values(ChangeCase{"Truncate", Change::Truncate},
                                           ChangeCase{"RewriteShorter", Change::RewriteShorter},
                                           ChangeCase{"RewriteLonger", Change::RewriteLonger},
                                           ChangeCase{"Delete", Change::Delete},
                                           ChangeCase{"Replace", Change::Replace}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace plinvaro::testing
#endif
