// What the giant-chunk benchmarks share: a giant word, and a found part shown whole, ready for Accept.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "panel/MainPanel.h"

namespace plinvaro::bench {

// `bytes` letters without white space or line end, from a fixed seed.
inline std::string GiantWord(std::size_t bytes) {
  std::string text(bytes, 'a');
  std::uint32_t state = 7;
  for (char& c : text) {
    state = state * 1664525u + 1013904223u;
    c = static_cast<char>('a' + (state >> 16) % 26);
  }
  return text;
}

// The text of a folder's one file whose part after "the old road" is a giant word.
inline std::string GiantPartFile(std::size_t bytes) { return "the old road " + GiantWord(bytes) + " end"; }

// With the preview on, searches `folder` for the words typed into `sourceBox`
// and shows the one part found whole, as pressing "\/" often enough would.
// False, saying so, when the part was not found.
inline bool ShowGiantPart(MainPanel& panel, PanelControls& controls, RichDocument& sourceBox,
                          const std::string& folder) {
  controls.SetOnTheFlyChecked(false);
  controls.SetDirectoryText(folder);
  const std::u16string pattern = u"along the old road";
  sourceBox.ReplaceSelection(pattern, static_cast<std::int32_t>(pattern.size()));
  panel.RunSearch();
  if (panel.results().PartCount() != 1) {
    std::printf("Accept: the part was not found\n");
    return false;
  }
  // One "\\/" then loads the rest of the file.
  FoundPart& part = *panel.results().parts().front();
  part.textLength = std::max(0, part.fileSize - part.offset + 1 - kPartTextStep);
  panel.MoreText();
  return true;
}

}  // namespace plinvaro::bench
