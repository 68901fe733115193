// The creation table of the panel's nineteen windows and the top row's measured places.
#include "panel/ControlTable.h"

#include <array>

namespace plinvaro {
namespace {

using enum ControlId;
using K = ControlKind;
using P = Placement;

constexpr std::uint32_t kChildVisible = 0x50000000;  // WS_CHILD | WS_VISIBLE
constexpr std::uint32_t kPushButton = kChildVisible;  // BS_PUSHBUTTON is 0

// clang-format off
constexpr std::array<ControlSpec, kControlCount> kControls = {{
  // control        field              kind           class                 text               id  style        font   enabled checked placement  rect
  {Panel,           "panelWindow",     K::Panel,      "ZekWindowClass",     "",                0,  kChildVisible, true,  true,  false, P::Fixed,  {0, 0, 0, 0}},
  {DirLabel,        "dirLabel",        K::Label,      "static",             "Base directory",  0,  0x5000000B,  true,  true,  false, P::TopRow, {}},
  {DirEdit,         "dirEdit",         K::LineEdit,   "edit",               "",                0,  0x50804180,  true,  true,  false, P::TopRow, {}},
  {BrowseButton,    "browseButton",    K::PushButton, "button",             "...",             1,  kPushButton, false, true,  false, P::TopRow, {}},
  {OnTheFlyCheck,   "onTheFlyCheck",   K::CheckBox,   "button",             "On The Fly Mode", 10, 0x50000023,  true,  true,  true,  P::TopRow, {}},
  {FontSizeLabel,   "fontSizeLabel",   K::Label,      "static",             "Font size",       0,  0x5000000B,  true,  true,  false, P::TopRow, {}},
  {FontSizeCombo,   "fontSizeCombo",   K::ComboBox,   "combobox",           "",                12, 0x50A00003,  true,  true,  false, P::TopRow, {}},
  {SourceBox,       "sourceBox",       K::RichText,   "richedit",           "",                0,  0x50B00144,  true,  true,  false, P::Fixed,  {0, 0, 0, 0}},
  {PreviewBox,      "previewBox",      K::RichText,   "richedit",           "",                0,  0x50204044,  true,  true,  false, P::Fixed,  {0, 0, 0, 0}},
  {MoreButton,      "moreButton",      K::PushButton, "button",             "\\/",             11, kPushButton, true,  false, false, P::Fixed,  {0, 0, 25, 25}},
  {StartButton,     "startButton",     K::PushButton, "button",             "Start",           2,  kPushButton, true,  true,  false, P::Fixed,  {0, 0, 45, 25}},
  {PauseButton,     "pauseButton",     K::PushButton, "button",             "Pause",           3,  kPushButton, true,  true,  false, P::Fixed,  {0, 0, 45, 25}},
  {SearchButton,    "searchButton",    K::PushButton, "button",             "Search",          4,  kPushButton, true,  true,  false, P::Fixed,  {0, 0, 45, 25}},
  {ToSrcButton,     "toSrcButton",     K::PushButton, "button",             "To Src",          5,  kPushButton, true,  true,  false, P::Fixed,  {0, 0, 45, 25}},
  {StopButton,      "stopButton",      K::PushButton, "button",             "Stop",            6,  kPushButton, true,  true,  false, P::Fixed,  {0, 0, 45, 25}},
  {SpeedTrackbar,   "speedTrackbar",   K::Trackbar,   "msctls_trackbar32",  "",                0,  0x50000003,  false, true,  false, P::Fixed,  {0, 0, 45, 140}},
  {PrevButton,      "prevButton",      K::PushButton, "button",             "<<",              7,  kPushButton, true,  false, false, P::Fixed,  {0, 0, 25, 25}},
  {NextButton,      "nextButton",      K::PushButton, "button",             ">>",              8,  kPushButton, true,  false, false, P::Fixed,  {0, 0, 25, 25}},
  {AcceptButton,    "acceptButton",    K::PushButton, "button",             "Accept",          9,  kPushButton, true,  false, false, P::Fixed,  {0, 0, 52, 25}},
}};
// clang-format on

constexpr bool RowsInEnumOrder() {
  for (int i = 0; i < kControlCount; ++i) {
    if (static_cast<int>(kControls[static_cast<std::size_t>(i)].control) != i) return false;
  }
  return true;
}
static_assert(RowsInEnumOrder(), "control rows must follow ControlId order");

constexpr int kTopRowHeight = 30;  // the band above the source box

}  // namespace

std::span<const ControlSpec> ControlTable() { return kControls; }

const ControlSpec& Control(ControlId id) { return kControls[static_cast<std::size_t>(id)]; }

TopRowMetrics ComputeTopRow(const MeasuredTexts& measured) {
  TopRowMetrics metrics;
  metrics.rowHeight = measured.baseDirectory.height + 5;
  metrics.rowTop = (kTopRowHeight - metrics.rowHeight) / 2;
  metrics.checkWidth = measured.onTheFly.width + 8;
  metrics.labelWidth = measured.fontSize.width;
  metrics.labelHeight = measured.fontSize.height;
  return metrics;
}

Rect CreationRect(ControlId id, const TopRowMetrics& m) {
  switch (id) {
    case DirLabel: return {5, m.rowTop, 100, m.rowHeight};
    case DirEdit: return {110, m.rowTop, 250, m.rowHeight};
    case BrowseButton: return {363, m.rowTop, 25, m.rowHeight};
    case OnTheFlyCheck: return {393, m.rowTop, m.checkWidth, m.rowHeight};
    case FontSizeLabel:
      return {403 + m.checkWidth, (kTopRowHeight - m.labelHeight) / 2, m.labelWidth, m.labelHeight};
    case FontSizeCombo: return {403 + m.checkWidth + m.labelWidth, 2, 50, 150};
    default: return Control(id).rect;
  }
}

}  // namespace plinvaro
