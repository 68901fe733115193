// LongLineWindow: the shown part of an overlong line, and the reach a focus needs shown.
#include "window/LongLineWindow.h"

#include <algorithm>

namespace plinvaro {

bool IsLongLine(LinePart line) { return line.length() > kLongLineBytes; }

LinePart ShownPart(LinePart line, std::int32_t focus) {
  if (!IsLongLine(line)) return line;
  const std::int32_t start =
      std::clamp(focus - kShownBytes / 2, line.start, line.end - kShownBytes);
  return {start, start + kShownBytes};
}

LinePart FocusReach(LinePart line, std::int32_t focus) {
  const std::int32_t at = std::clamp(focus, line.start, line.end);
  return {std::max(line.start, at - kShownMarginBytes), std::min(line.end, at + kShownMarginBytes)};
}

OvershowProbes OvershowProbesFor(LinePart line, std::int32_t focus) {
  if (!IsLongLine(line)) return {};
  const LinePart shown = ShownPart(line, focus);
  const std::int32_t before = shown.start - kShownMarginBytes - 1;
  const std::int32_t after = shown.end + kShownMarginBytes;
  return {before >= line.start ? before : -1, after < line.end ? after : -1};
}

LinePart InputContext(LinePart line, std::int32_t caret) {
  if (!IsLongLine(line)) return line;
  const std::int32_t at = std::clamp(caret, line.start, line.end);
  return {std::max(line.start, at - kInputContextBytes), std::min(line.end, at + kInputContextBytes)};
}

}  // namespace plinvaro
