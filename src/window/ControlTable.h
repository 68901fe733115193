// The panel's controls as both faces create them: kind, native class, text, id, style, font, creation place.
//
// Rows come in creation order. Sizes and positions are pixels in the panel's
// client coordinates. The native class and style are the Win32 values; other
// faces read the kind and take their own widgets, at the same places.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "window/WindowGeometry.h"

namespace plinvaro {

// Every window of the panel, in creation order.
enum class ControlId : int {
  Panel,
  DirLabel,
  DirEdit,
  BrowseButton,
  OnTheFlyCheck,
  FontSizeLabel,
  FontSizeCombo,
  SourceBox,
  PreviewBox,
  MoreButton,
  StartButton,
  PauseButton,
  SearchButton,
  ToSrcButton,
  StopButton,
  SpeedTrackbar,
  PrevButton,
  NextButton,
  AcceptButton,
};
inline constexpr int kControlCount = 19;

enum class ControlKind { Panel, Label, LineEdit, PushButton, CheckBox, ComboBox, RichText, Trackbar };

// How the creation rectangle is found.
enum class Placement {
  Fixed,         // `rect` as it stands
  TopRow,        // computed from the measured texts (TopRowMetrics)
};

struct ControlSpec {
  ControlId control;
  std::string_view field;        // the controller's name for it, e.g. "startButton"
  ControlKind kind;
  std::string_view nativeClass;  // Win32 window class
  std::string_view text;         // window text; empty for none
  int commandId;                 // child id; 0 for none
  std::uint32_t style;           // Win32 window style bits
  bool guiFont;                  // receives the default GUI font (else keeps the system font)
  bool initiallyEnabled;
  bool initiallyChecked;
  Placement placement;
  Rect rect;                     // creation rectangle when Fixed; (0, 0) with a size for Relayout's controls
};

// The nineteen rows in creation order.
std::span<const ControlSpec> ControlTable();
const ControlSpec& Control(ControlId id);

// An opaque colour, 8 bits a channel.
struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

// The preview box's background, set on every Relayout.
inline constexpr Rgb kPreviewBackground{250, 230, 206};

// The band above the source box that holds the top row, in pixels.
inline constexpr int kTopRowHeight = 30;

// The preview box's height, in pixels: fixed while the source box takes the rest.
inline constexpr int kPreviewHeight = 125;

// Width and height of a text in the panel's default measuring font, in pixels.
struct TextExtent {
  int width = 0;
  int height = 0;
};

// The top row's sizes, from the measured labels.
struct TopRowMetrics {
  int rowHeight = 0;    // "Base directory" height + 5
  int rowTop = 0;       // (30 - rowHeight) / 2
  int checkWidth = 0;   // "On The Fly Mode" width + 8
  int labelWidth = 0;   // "Font size" width
  int labelHeight = 0;  // "Font size" height
};

// The texts a face measures, each in the panel's default font.
struct MeasuredTexts {
  TextExtent baseDirectory;  // "Base directory"
  TextExtent onTheFly;       // "On The Fly Mode"
  TextExtent fontSize;       // "Font size"
};

TopRowMetrics ComputeTopRow(const MeasuredTexts& measured);

// A text's size in the panel's default measuring font, as the face measures it.
using MeasureText = std::function<TextExtent(std::string_view text)>;

// The top row's sizes from the three labels, each measured once through `measure`.
TopRowMetrics MeasureTopRow(const MeasureText& measure);

// Where `id` is created; the top row's rectangles follow `metrics`.
Rect CreationRect(ControlId id, const TopRowMetrics& metrics);

}  // namespace plinvaro
