// Reading a screen rectangle back through a 32-bit DIB section, and the measures the pixel checks use.
#include "ScreenPixels.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

namespace plinvaro::win32::testing {

std::uint32_t ToRgb(COLORREF colour) {
  return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
         (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

ScreenPixels ScreenPixels::Grab(int x, int y, int width, int height) {
  ScreenPixels shot;
  if (width <= 0 || height <= 0) return shot;
  ::GdiFlush();
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr && bits != nullptr) {
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY);
    ::GdiFlush();
    const auto* words = static_cast<const std::uint32_t*>(bits);
    shot.width_ = width;
    shot.height_ = height;
    shot.pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::transform(words, words + shot.pixels_.size(), shot.pixels_.begin(),
                   [](std::uint32_t p) { return p & 0x00FFFFFFu; });
    ::SelectObject(memory, old);
  }
  if (bitmap != nullptr) ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return shot;
}

ScreenPixels ScreenPixels::OfWindow(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return Grab(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

ScreenPixels ScreenPixels::OfClient(HWND window) {
  RECT r{};
  ::GetClientRect(window, &r);
  POINT corner{0, 0};
  ::ClientToScreen(window, &corner);
  return Grab(corner.x, corner.y, r.right, r.bottom);
}

int ScreenPixels::CountOtherThan(std::uint32_t rgb) const {
  return static_cast<int>(std::count_if(pixels_.begin(), pixels_.end(),
                                        [rgb](std::uint32_t p) { return p != rgb; }));
}

int ScreenPixels::DistinctColours() const {
  return static_cast<int>(std::set<std::uint32_t>(pixels_.begin(), pixels_.end()).size());
}

std::uint32_t ScreenPixels::MostCommonColour() const {
  std::map<std::uint32_t, int> counts;
  for (std::uint32_t p : pixels_) ++counts[p];
  const auto most = std::max_element(counts.begin(), counts.end(),
                                     [](const auto& a, const auto& b) { return a.second < b.second; });
  return most == counts.end() ? 0 : most->first;
}

int ScreenPixels::InkHeight(int threshold) const {
  int first = -1;
  int last = -1;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const std::uint32_t p = At(x, y);
      const int mean = static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)) / 3;
      if (mean >= threshold) continue;
      if (first < 0) first = y;
      last = y;
      break;
    }
  }
  return first < 0 ? 0 : last - first + 1;
}

bool ScreenPixels::SaveBmp(const std::string& path) const {
  if (width_ <= 0 || height_ <= 0) return false;
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width_) * 3u + 3u) & ~3u;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width_;
  header.biHeight = height_;  // bottom row first, as BMP files store them
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = rowBytes * static_cast<std::uint32_t>(height_);
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + header.biSizeImage;
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
            std::fwrite(&header, sizeof header, 1, out) == 1;
  std::vector<unsigned char> row(rowBytes, 0);
  for (int y = height_ - 1; ok && y >= 0; --y) {
    for (int x = 0; x < width_; ++x) {
      const std::uint32_t p = At(x, y);
      row[static_cast<std::size_t>(x) * 3] = static_cast<unsigned char>(p & 0xFF);
      row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>((p >> 8) & 0xFF);
      row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<unsigned char>((p >> 16) & 0xFF);
    }
    ok = std::fwrite(row.data(), 1, row.size(), out) == row.size();
  }
  return std::fclose(out) == 0 && ok;
}

}  // namespace plinvaro::win32::testing
