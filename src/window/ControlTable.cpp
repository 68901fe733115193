// The creation table of the panel's nineteen windows and the top row's measured places.
#include "window/ControlTable.h"

#include <array>

#include "window/FontSizes.h"
#include "window/Command.h"
#include "window/WindowStyles.h"

namespace plinvaro {
namespace {

using enum ControlId;
using K = ControlKind;
using P = Placement;

using namespace style;

constexpr std::uint32_t kChildVisible = kWsChild | kWsVisible;
constexpr std::uint32_t kLabelStyle = kChildVisible | kSsSimple;
constexpr std::uint32_t kDirEditStyle =
    kChildVisible | kWsBorder | kEsSunken | kEsNoHideSel | kEsAutoHScroll;
constexpr std::uint32_t kPushButton = kChildVisible | kBsPushButton;
constexpr std::uint32_t kCheckStyle = kChildVisible | kBsAutoCheckBox | kBsLeftText;
constexpr std::uint32_t kListStyle = kChildVisible | kWsVScroll | kWsBorder | kCbsDropDownList;
constexpr std::uint32_t kSourceStyle = kChildVisible | kWsVScroll | kWsHScroll | kWsBorder |
                                       kEsMultiline | kEsAutoVScroll | kEsNoHideSel;
constexpr std::uint32_t kPreviewStyle =
    kChildVisible | kWsVScroll | kEsSunken | kEsMultiline | kEsAutoVScroll;
constexpr std::uint32_t kTrackbarStyle = kChildVisible | kTbsAutoTicks | kTbsVert;

constexpr int kBrowse = ButtonId(Command::Browse);
constexpr int kStart = ButtonId(Command::Start);
constexpr int kPause = ButtonId(Command::Pause);
constexpr int kSearch = ButtonId(Command::Search);
constexpr int kToSrc = ButtonId(Command::ToSrc);
constexpr int kStop = ButtonId(Command::Stop);
constexpr int kPrev = ButtonId(Command::Prev);
constexpr int kNext = ButtonId(Command::Next);
constexpr int kAccept = ButtonId(Command::Accept);
constexpr int kOnTheFly = ButtonId(Command::OnTheFly);
constexpr int kMore = ButtonId(Command::More);
constexpr int kFontList = kFontSizeComboId;

// clang-format off
constexpr std::array<ControlSpec, kControlCount> kControls = {{
  // control        field              kind           class                 text               id         style           font   enabled checked placement  rect
  {Panel,           "panelWindow",     K::Panel,      "ZekWindowClass",     "",                0,         kChildVisible,  true,  true,  false, P::Fixed,  {0, 0, 0, 0}},
  {DirLabel,        "dirLabel",        K::Label,      "static",             "Base directory",  0,         kLabelStyle,    true,  true,  false, P::TopRow, {}},
  {DirEdit,         "dirEdit",         K::LineEdit,   "edit",               "",                0,         kDirEditStyle,  true,  true,  false, P::TopRow, {}},
  {BrowseButton,    "browseButton",    K::PushButton, "button",             "...",             kBrowse,   kPushButton,    false, true,  false, P::TopRow, {}},
  {OnTheFlyCheck,   "onTheFlyCheck",   K::CheckBox,   "button",             "On The Fly Mode", kOnTheFly, kCheckStyle,    true,  true,  true,  P::TopRow, {}},
  {FontSizeLabel,   "fontSizeLabel",   K::Label,      "static",             "Font size",       0,         kLabelStyle,    true,  true,  false, P::TopRow, {}},
  {FontSizeCombo,   "fontSizeCombo",   K::ComboBox,   "combobox",           "",                kFontList, kListStyle,     true,  true,  false, P::TopRow, {}},
  {SourceBox,       "sourceBox",       K::RichText,   "richedit",           "",                0,         kSourceStyle,   true,  true,  false, P::Fixed,  {0, 0, 0, 0}},
  {PreviewBox,      "previewBox",      K::RichText,   "richedit",           "",                0,         kPreviewStyle,  true,  true,  false, P::Fixed,  {0, 0, 0, 0}},
  {MoreButton,      "moreButton",      K::PushButton, "button",             "\\/",             kMore,     kPushButton,    true,  false, false, P::Fixed,  {0, 0, 25, 25}},
  {StartButton,     "startButton",     K::PushButton, "button",             "Start",           kStart,    kPushButton,    true,  true,  false, P::Fixed,  {0, 0, 45, 25}},
  {PauseButton,     "pauseButton",     K::PushButton, "button",             "Pause",           kPause,    kPushButton,    true,  true,  false, P::Fixed,  {0, 0, 45, 25}},
  {SearchButton,    "searchButton",    K::PushButton, "button",             "Search",          kSearch,   kPushButton,    true,  true,  false, P::Fixed,  {0, 0, 45, 25}},
  {ToSrcButton,     "toSrcButton",     K::PushButton, "button",             "To Src",          kToSrc,    kPushButton,    true,  true,  false, P::Fixed,  {0, 0, 45, 25}},
  {StopButton,      "stopButton",      K::PushButton, "button",             "Stop",            kStop,     kPushButton,    true,  true,  false, P::Fixed,  {0, 0, 45, 25}},
  {SpeedTrackbar,   "speedTrackbar",   K::Trackbar,   "msctls_trackbar32",  "",                0,         kTrackbarStyle, false, true,  false, P::Fixed,  {0, 0, 45, 140}},
  {PrevButton,      "prevButton",      K::PushButton, "button",             "<<",              kPrev,     kPushButton,    true,  false, false, P::Fixed,  {0, 0, 25, 25}},
  {NextButton,      "nextButton",      K::PushButton, "button",             ">>",              kNext,     kPushButton,    true,  false, false, P::Fixed,  {0, 0, 25, 25}},
  {AcceptButton,    "acceptButton",    K::PushButton, "button",             "Accept",          kAccept,   kPushButton,    true,  false, false, P::Fixed,  {0, 0, 52, 25}},
}};
// clang-format on

constexpr bool RowsInEnumOrder() {
  for (int i = 0; i < kControlCount; ++i) {
    if (static_cast<int>(kControls[static_cast<std::size_t>(i)].control) != i) return false;
  }
  return true;
}
static_assert(RowsInEnumOrder(), "control rows must follow ControlId order");

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

TopRowMetrics MeasureTopRow(const MeasureText& measure) {
  MeasuredTexts measured;
  measured.baseDirectory = measure(Control(DirLabel).text);
  measured.onTheFly = measure(Control(OnTheFlyCheck).text);
  measured.fontSize = measure(Control(FontSizeLabel).text);
  return ComputeTopRow(measured);
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
