// What the display shows of a window: its pixels read back through GDI, for checks of what is drawn.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace plinvaro::win32::testing {

// A copy of a screen rectangle's pixels as 0x00RRGGBB values, top row first.
// Coordinates passed to At() are relative to the rectangle's top-left corner.
class ScreenPixels {
 public:
  // The pixels of `window`'s outer rectangle, or of its client area.
  static ScreenPixels OfWindow(HWND window);
  static ScreenPixels OfClient(HWND window);

  int width() const { return width_; }
  int height() const { return height_; }
  std::uint32_t At(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
  }
  bool operator==(const ScreenPixels&) const = default;

  // How many pixels differ from `rgb`, and how many distinct colours there are.
  int CountOtherThan(std::uint32_t rgb) const;
  int DistinctColours() const;
  // The colour most pixels have.
  std::uint32_t MostCommonColour() const;
  // Rows holding a pixel darker than `threshold` (mean of the channels): first to last, 0 when none.
  int InkHeight(int threshold) const;
  // Writes a 24-bit BMP; false when the file cannot be written.
  bool SaveBmp(const std::string& path) const;

 private:
  // Grabs the screen rectangle whose top-left is (x, y).
  static ScreenPixels Grab(int x, int y, int width, int height);

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

// 0x00RRGGBB of a COLORREF (which is 0x00BBGGRR).
std::uint32_t ToRgb(COLORREF colour);

}  // namespace plinvaro::win32::testing
