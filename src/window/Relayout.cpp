// Relayout's arithmetic: the boxes fill the panel, the buttons and the slider keep to the right column.
#include "window/Relayout.h"

#include <algorithm>

namespace plinvaro {
namespace {

constexpr int kRightColumn = 60;      // beside both boxes
constexpr int kPreviewGap = 2;        // between the source box and the preview box
constexpr int kPartButtonsInset = 55; // "<<", "Accept", "\/" from the right edge
constexpr int kSpacing = 2;           // between stacked buttons

// A window cannot be smaller than nothing.
constexpr int NonNegative(int value) { return std::max(value, 0); }

Size CreationSize(ControlId id) {
  const Rect& r = Control(id).rect;
  return {r.width, r.height};
}

template <typename SizeOf>
RelayoutInput InputOf(Size panel, const SizeOf& sizeOf) {
  return {panel,
          sizeOf(ControlId::PrevButton),
          sizeOf(ControlId::AcceptButton),
          sizeOf(ControlId::MoreButton),
          sizeOf(ControlId::StartButton),
          sizeOf(ControlId::SpeedTrackbar)};
}

}  // namespace

RelayoutInput RelayoutInputFromTable(Size panel) { return InputOf(panel, CreationSize); }

std::vector<ControlPlace> RelayoutPanel(Size panel, const OuterSizeOf& outerSize) {
  return Relayout(InputOf(panel, outerSize));
}

std::vector<ControlPlace> Relayout(const RelayoutInput& in) {
  const int w = in.panel.width;
  const int h = in.panel.height;
  const int boxWidth = NonNegative(w - kRightColumn);
  const int previewTop = h - kPreviewHeight;
  const int partX = w - kPartButtonsInset;
  const Size bw = in.prevButton;
  const Size sb = in.startButton;
  const int x = boxWidth + (kRightColumn - sb.width) / 2;
  auto column = [&](int row) { return kTopRowHeight + row * (sb.height + kSpacing); };

  return {
      {ControlId::Panel, {0, 0, NonNegative(w), NonNegative(h)}},
      {ControlId::SourceBox,
       {0, kTopRowHeight, boxWidth,
        NonNegative(h - kTopRowHeight - kPreviewGap - kPreviewHeight)}},
      {ControlId::PreviewBox, {0, previewTop, boxWidth, kPreviewHeight}},
      {ControlId::PrevButton, {partX, previewTop, bw.width, bw.height}},
      {ControlId::NextButton, {partX + bw.width + kSpacing, previewTop, bw.width, bw.height}},
      {ControlId::AcceptButton,
       {partX, previewTop + bw.height + kSpacing, in.acceptButton.width, in.acceptButton.height}},
      {ControlId::MoreButton,
       {partX, h - in.moreButton.height - kSpacing, in.moreButton.width, in.moreButton.height}},
      {ControlId::StartButton, {x, column(0), sb.width, sb.height}},
      {ControlId::PauseButton, {x, column(1), sb.width, sb.height}},
      {ControlId::SearchButton, {x, column(2), sb.width, sb.height}},
      {ControlId::ToSrcButton, {x, column(3), sb.width, sb.height}},
      {ControlId::StopButton, {x, column(4), sb.width, sb.height}},
      {ControlId::SpeedTrackbar,
       {x, column(5), in.speedTrackbar.width, in.speedTrackbar.height}},
  };
}

}  // namespace plinvaro
