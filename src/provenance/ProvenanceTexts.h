// The texts of Undo join and Retry join: their messages and the caption they show under.
#pragma once

namespace plinvaro {

inline constexpr const char* kUndoJoinCaption = "Undo join";
inline constexpr const char* kNoJoinText = "There is no join to take back.";
inline constexpr const char* kJoinEditedText =
    "The text after the last join holds typed, pasted or restored text. "
    "Undo join would throw it away, so the text stays as it is.";

}  // namespace plinvaro
