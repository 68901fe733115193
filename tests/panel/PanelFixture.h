// The shared fixture of the controller tests: a real MainPanel on the recording face.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "TempDir.h"
#include "WideText.h"
#include "fakes/RecordingPlatform.h"
#include "text/AnsiConversion.h"
#include "panel/MainPanel.h"

namespace plinvaro::testing {

// Enabled states of "<<", ">>", "Accept", "\/".
using ButtonStates = std::array<bool, 4>;
inline constexpr ButtonStates kAllDisabled{false, false, false, false};

class PanelTest : public ::testing::Test {
 protected:
  std::string SourceText() const { return Narrow(face.sourceBox.text()); }
  std::string PreviewText() const { return Narrow(face.previewBox.text()); }
  void SetSourceText(std::string_view bytes) { face.sourceBox.SetText(Wide(bytes)); }
  void SetPreviewText(std::string_view bytes) { face.previewBox.SetText(Wide(bytes)); }

  // A click on the control with Windows id `id`, as the faces route it.
  bool PressButton(int id) {
    const std::optional<Command> command = ButtonCommand(id);
    return command && panel.Run(*command);
  }

  void ChooseBase(const std::string& path) {
    face.dialogs.openAnswers.push_back(path);
    panel.OpenBaseFile();
  }
  // A base file with `bytes`, chosen with "Open...".
  std::string ChooseBaseWith(std::string_view bytes) {
    const std::string path = dir.Write("base.txt", bytes);
    ChooseBase(path);
    return path;
  }
  // A directory holding one file `name` with `bytes`; typed into the directory box.
  std::string CorpusWith(std::string_view name, std::string_view bytes,
                         std::string_view folder = "corpus") {
    face.controls.directory = dir.MakeSubdir(folder);
    return dir.Write(std::string(folder) + "/" + std::string(name), bytes);
  }

  // Ticks while the timer runs, at most `limit` times; returns the ticks delivered.
  int TickWhileRunning(int limit = 10000) {
    int ticks = 0;
    while (face.timer.running && ticks < limit) {
      panel.PlaybackTick();
      ++ticks;
    }
    return ticks;
  }
  // The source text a single tick adds.
  std::string NextChunk() {
    const std::string before = SourceText();
    panel.PlaybackTick();
    return SourceText().substr(before.size());
  }
  // Searches in preview mode from a source box holding `pattern`.
  void PreviewSearch(std::string_view pattern) {
    face.controls.onTheFly = false;
    SetSourceText(pattern);
    panel.RunSearch();
  }

  TempDir dir;
  RecordingPlatform face;
  MainPanel panel{face.platform()};
};

// The provenance tests' two texts sharing "the old road": the base file,
// chosen with "Open...", and hill.txt in the directory box's corpus.
inline constexpr const char* kRoadBase = "The cat sat by the old road, and then it slept.";
inline constexpr const char* kRoadHill = "Up the hill ran the old road, past the farm and the mill.";

class RoadPanelTest : public PanelTest {
 protected:
  void SetUp() override {
    base = dir.Write("base.txt", kRoadBase);
    hill = CorpusWith("hill.txt", kRoadHill);
    ChooseBase(base);
  }
  std::string base, hill;
};

}  // namespace plinvaro::testing
