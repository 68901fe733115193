// LongLineWindow: which part of an overlong line a text box lays out; the rest of the line it keeps at zero width.
//
// A box that measures every character of a line costs time in proportion to the
// line's bytes at each change of it. A line longer than kLongLineBytes is shown in
// part: kShownBytes around a focus (the caret, an insertion's end, or the top of
// the view), moved when the focus comes within kShownMarginBytes of a hidden
// part. The text itself is untouched. Positions are bytes.
#pragma once

#include <cstdint>

namespace plinvaro {

inline constexpr std::int32_t kLongLineBytes = 256 * 1024;
inline constexpr std::int32_t kShownBytes = 128 * 1024;
inline constexpr std::int32_t kShownMarginBytes = 16 * 1024;
// How much of a long line around the caret an input method is told of, each way.
inline constexpr std::int32_t kInputContextBytes = 1024;

// A half-open byte range [start, end).
struct LinePart {
  std::int32_t start = 0;
  std::int32_t end = 0;
  std::int32_t length() const { return end - start; }
  friend bool operator==(LinePart, LinePart) = default;
};

// Whether a box shows `line` in part.
bool IsLongLine(LinePart line);

// The part of `line` to show around `focus`: the whole line when it is not long,
// else kShownBytes with the focus at its middle, kept inside the line.
LinePart ShownPart(LinePart line, std::int32_t focus);

// The bytes around `focus` that must be shown, inside `line`: the first and the
// last of them tell whether the shown part must move.
LinePart FocusReach(LinePart line, std::int32_t focus);

// The two bytes, kShownMarginBytes beyond either end of ShownPart(line, focus),
// that must be hidden after a change of a long line (-1 where the line ends
// first). Inserted bytes take the shown style, so a line that grows keeps
// growing its shown part; once either byte is shown, the line is shown anew.
struct OvershowProbes {
  std::int32_t before = -1;
  std::int32_t after = -1;
};
OvershowProbes OvershowProbesFor(LinePart line, std::int32_t focus);

// The text around `caret` an input method is told of: the whole line when it is
// not long, else up to kInputContextBytes each side of the caret.
LinePart InputContext(LinePart line, std::int32_t caret);

}  // namespace plinvaro
