// Bytes shown as UTF-16 text and back without loss, for a face whose text boxes hold UTF-16.
//
// Each well-formed UTF-8 sequence shows as its character. Every other byte b
// (0x80..0xFF outside such a sequence: 8-bit text, a stray 0xFF, a lone 0xC3)
// shows as the unit kStrayByteBase + b, a lone low surrogate that well-formed
// UTF-8 never gives. So ToDisplayText loses no byte and
// FromDisplayText(ToDisplayText(b)) == b for any bytes b; CR, LF and NUL stay
// as they are. Offsets in bytes are byte counts, offsets in units UTF-16 units.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plinvaro {

// The unit of stray byte b is kStrayByteBase + b (0xDC80..0xDCFF).
inline constexpr char16_t kStrayByteBase = 0xDC00;

// Bytes in the well-formed UTF-8 sequence that starts at bytes[at], or 0 when
// the byte there starts none (a stray byte). ASCII bytes are sequences of 1.
int Utf8SequenceLength(std::string_view bytes, std::size_t at);

std::u16string ToDisplayText(std::string_view bytes);

// The bytes of shown text: characters as UTF-8, units 0xDC80..0xDCFF as their
// bytes; any other lone surrogate (never shown, only typed or pasted) as
// U+FFFD's bytes.
std::string FromDisplayText(std::u16string_view units);

// Maps offsets between a byte text and the units it shows as. Keeps marks of
// (byte, unit) pairs at sequence starts so that a lookup walks at most
// kDisplayMarkStride bytes from the nearest mark; the owner calls ChangedFrom
// whenever the bytes change. Holds no bytes itself: each call is given them.
class DisplayOffsets {
 public:
  // Units shown for bytes [0, byteOffset); an offset inside a sequence counts
  // up to that sequence's start. Clamped to the text.
  std::int32_t UnitsBefore(std::string_view bytes, std::int32_t byteOffset);
  // The byte offset of the sequence that shows unit `unitOffset`; inside a
  // surrogate pair, that of the pair. Clamped to the text.
  std::int32_t BytesBefore(std::string_view bytes, std::int32_t unitOffset);
  // The bytes changed at and behind byteOffset: marks there are dropped.
  void ChangedFrom(std::int32_t byteOffset);

 private:
  struct Mark {
    std::int32_t byte = 0;
    std::int32_t unit = 0;
  };
  // The last mark at or before the target, found by `key`.
  Mark Nearest(std::int32_t target, bool byUnits) const;
  // Walks sequences from `from` while `more` says so, leaving marks behind.
  template <typename More>
  Mark Walk(std::string_view bytes, Mark from, More more);

  std::vector<Mark> marks_{Mark{}};  // ascending; the first is (0, 0)
};

// Bytes between two marks at least.
inline constexpr std::int32_t kDisplayMarkStride = 4 * 1024;

}  // namespace plinvaro
