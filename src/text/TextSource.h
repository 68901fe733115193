// A text source: one whole file held read-only, with the byte position playback reads next.
//
// Positions and sizes are bytes (signed 32-bit). The view is stable: bytes stay
// readable even when the file is truncated underneath. Owns its view.
#pragma once

#include <cstdint>
#include <string>

#include "text/FileAccess.h"

namespace plinvaro {

// Which source playback reads.
enum class PlaybackSource : int { None = 0, Base = 1, Found = 2 };

struct TextSource {
  FileView view;
  std::string path;           // the path last opened (also when opening failed); empty when closed
  std::int32_t position = 0;  // next byte to play; at or beyond size means used up
  std::int32_t size = 0;      // bytes in the view; 0 without a view
  // Tells this view's bytes from any other opening's, of this file or another
  // (the file may have changed in between); 0 without a view.
  std::uint64_t opening = 0;

  bool HasView() const { return view.IsOpen(); }
  const unsigned char* data() const { return view.data(); }
  bool IsUsedUp() const { return position >= size; }

  // Releases what is held, then opens `filePath` at byte `start`. On failure the
  // source has no view and position and size are 0.
  void Open(const std::string& filePath, std::int32_t start);
  // Releases the view; position and size become 0 and the path empty.
  void Close();
};

}  // namespace plinvaro
