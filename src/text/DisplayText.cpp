// The lossless byte/UTF-16 map of text shown in UTF-16 boxes, and its offset marks.
#include "text/DisplayText.h"

#include <algorithm>

namespace plinvaro {
namespace {

constexpr char16_t kReplacementUnit = 0xFFFD;

unsigned char ByteAt(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

bool InRange(std::string_view bytes, std::size_t at, unsigned lo, unsigned hi) {
  if (at >= bytes.size()) return false;
  const unsigned b = ByteAt(bytes, at);
  return b >= lo && b <= hi;
}

// Units the sequence of `length` bytes shows as: 2 for four bytes, else 1 (a stray byte too).
std::int32_t UnitsOfSequence(int length) { return length == 4 ? 2 : 1; }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

int Utf8SequenceLength(std::string_view bytes, std::size_t at) {
  if (at >= bytes.size()) return 0;
  const unsigned b = ByteAt(bytes, at);
  if (b < 0x80) return 1;
  const auto tail = [&](std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count; ++i) {
      if (!InRange(bytes, at + i, 0x80, 0xBF)) return false;
    }
    return true;
  };
  if (b >= 0xC2 && b <= 0xDF) return tail(1, 1) ? 2 : 0;
  if (b >= 0xE0 && b <= 0xEF) {
    // No overlong forms (E0 80..9F) and no surrogates (ED A0..BF).
    const unsigned lo = b == 0xE0 ? 0xA0 : 0x80;
    const unsigned hi = b == 0xED ? 0x9F : 0xBF;
    return InRange(bytes, at + 1, lo, hi) && tail(2, 1) ? 3 : 0;
  }
  if (b >= 0xF0 && b <= 0xF4) {
    // No overlong forms (F0 80..8F) and nothing above U+10FFFF (F4 90..).
    const unsigned lo = b == 0xF0 ? 0x90 : 0x80;
    const unsigned hi = b == 0xF4 ? 0x8F : 0xBF;
    return InRange(bytes, at + 1, lo, hi) && tail(2, 2) ? 4 : 0;
  }
  return 0;
}

std::u16string ToDisplayText(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    const int length = Utf8SequenceLength(bytes, at);
    const unsigned b = ByteAt(bytes, at);
    if (length == 0) {
      units += static_cast<char16_t>(kStrayByteBase + b);
      ++at;
      continue;
    }
    char32_t c = length == 1 ? b : b & (0x7F >> length);
    for (int i = 1; i < length; ++i) c = (c << 6) | (ByteAt(bytes, at + i) & 0x3F);
    if (c >= 0x10000) {
      units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      units += static_cast<char16_t>(c);
    }
    at += static_cast<std::size_t>(length);
  }
  return units;
}

std::string FromDisplayText(std::u16string_view units) {
  std::string bytes;
  bytes.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    if (IsHighSurrogate(u) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
      AppendUtf8(bytes, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      ++i;
    } else if (u >= kStrayByteBase + 0x80 && u <= kStrayByteBase + 0xFF) {
      bytes += static_cast<char>(u - kStrayByteBase);
    } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
      AppendUtf8(bytes, kReplacementUnit);
    } else {
      AppendUtf8(bytes, u);
    }
  }
  return bytes;
}

DisplayOffsets::Mark DisplayOffsets::Nearest(std::int32_t target, bool byUnits) const {
  const auto after = std::upper_bound(marks_.begin(), marks_.end(), target,
                                      [byUnits](std::int32_t t, const Mark& m) {
                                        return t < (byUnits ? m.unit : m.byte);
                                      });
  return *(after - 1);  // the first mark is (0, 0) and no target is negative
}

template <typename More>
DisplayOffsets::Mark DisplayOffsets::Walk(std::string_view bytes, Mark from, More more) {
  Mark at = from;
  const auto size = static_cast<std::int32_t>(bytes.size());
  while (at.byte < size) {
    const int length = std::max(1, Utf8SequenceLength(bytes, static_cast<std::size_t>(at.byte)));
    const Mark next{at.byte + length, at.unit + UnitsOfSequence(length)};
    if (!more(at, next)) break;
    at = next;
    if (at.byte - marks_.back().byte >= kDisplayMarkStride && at.byte > marks_.back().byte) {
      marks_.push_back(at);
    }
  }
  return at;
}

std::int32_t DisplayOffsets::UnitsBefore(std::string_view bytes, std::int32_t byteOffset) {
  const std::int32_t target = std::clamp<std::int32_t>(byteOffset, 0, static_cast<std::int32_t>(bytes.size()));
  const Mark from = Nearest(target, false);
  return Walk(bytes, from, [target](Mark, Mark next) { return next.byte <= target; }).unit;
}

std::int32_t DisplayOffsets::BytesBefore(std::string_view bytes, std::int32_t unitOffset) {
  const std::int32_t target = std::max<std::int32_t>(unitOffset, 0);
  const Mark from = Nearest(target, true);
  return Walk(bytes, from, [target](Mark, Mark next) { return next.unit <= target; }).byte;
}

void DisplayOffsets::ChangedFrom(std::int32_t byteOffset) {
  // A sequence that starts up to three bytes before the change may now reach
  // into it, so marks that close go too (the first, (0, 0), always stays).
  constexpr std::int32_t kLongestTail = 3;
  while (marks_.size() > 1 && marks_.back().byte >= byteOffset - kLongestTail) marks_.pop_back();
}

}  // namespace plinvaro
