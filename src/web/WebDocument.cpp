// WebDocument: the bytes, the page box's text in step with them, and positions mapped between the two.
#include "web/WebDocument.h"

#include <algorithm>

#include "text/AnsiConversion.h"

namespace plinvaro::web {
namespace {

using emscripten::val;

// A view of `units` for the page; valid only during the call it is passed to.
val UnitView(const std::u16string& units) {
  return val(emscripten::typed_memory_view(units.size(), reinterpret_cast<const std::uint16_t*>(units.data())));
}

// Bytes before a change that may now read differently: a sequence is at most four bytes.
constexpr std::int32_t kResyncBytes = 3;

}  // namespace

WebDocument::WebDocument(val box) : box_(std::move(box)) {}

std::int32_t WebDocument::UnitsBefore(std::int32_t offset) const {
  return offsets_.UnitsBefore(bytes_, offset);
}

std::int32_t WebDocument::BytesBefore(std::int32_t unit) const {
  return offsets_.BytesBefore(bytes_, unit);
}

std::int32_t WebDocument::SequenceStartBefore(std::int32_t offset) const {
  return BytesBefore(UnitsBefore(std::max(offset, 0)));
}

std::int32_t WebDocument::SequenceStartBehind(std::int32_t offset) const {
  if (offset >= Length()) return Length();
  const std::int32_t unit = UnitsBefore(offset);
  if (BytesBefore(unit) == offset) return offset;
  // The sequence holding `offset` shows as one unit or a pair.
  const std::int32_t next = BytesBefore(unit + 1);
  return next > offset ? next : BytesBefore(unit + 2);
}

TextSelection WebDocument::GetSelection() const {
  const val selection = box_.call<val>("selection");
  const std::int32_t a = BytesBefore(selection["start"].as<std::int32_t>());
  const std::int32_t b = BytesBefore(selection["end"].as<std::int32_t>());
  return {std::min(a, b), std::max(a, b)};
}

void WebDocument::DoSetSelection(std::int32_t start, std::int32_t end) {
  box_.call<void>("select", UnitsBefore(start), UnitsBefore(end));
}

std::u16string WebDocument::DoGetRangeText(std::int32_t start, std::int32_t end) const {
  return AnsiToWide(reinterpret_cast<const unsigned char*>(bytes_.data()) + start, end - start);
}

std::string WebDocument::DoGetRangeBytes(std::int32_t start, std::int32_t end) const {
  return bytes_.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

bool WebDocument::DoReplaceRange(std::int32_t start, std::int32_t end, const std::u16string& text) {
  return DoReplaceRangeBytes(start, end, WideToAnsi(text, static_cast<std::int32_t>(text.size())));
}

bool WebDocument::DoReplaceRangeBytes(std::int32_t start, std::int32_t end, std::string_view bytes) {
  Replace(start, end, bytes, nullptr);
  return true;
}

bool WebDocument::DoHoldsBytesAt(std::int32_t start, std::string_view bytes) const {
  return std::string_view(bytes_).substr(static_cast<std::size_t>(start), bytes.size()) == bytes;
}

void WebDocument::Replace(std::int32_t start, std::int32_t end, std::string_view inserted,
                          const std::u16string* typed) {
  // The region [lo, hi) of old bytes whose showing may change: the new bytes
  // can complete or break a sequence at either side.
  const std::int32_t lo = SequenceStartBefore(start - kResyncBytes);
  const std::int32_t hi = SequenceStartBehind(std::min(end + kResyncBytes, Length()));
  const std::int32_t unitLo = UnitsBefore(lo);
  std::u16string shown = ToDisplayText(std::string_view(bytes_).substr(lo, hi - lo));
  if (typed != nullptr) {
    // The box shows the user's units in place of the old ones already.
    const std::int32_t from = UnitsBefore(start) - unitLo;
    const std::int32_t to = UnitsBefore(end) - unitLo;
    shown = shown.substr(0, from) + *typed + shown.substr(to);
  }
  bytes_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), inserted);
  offsets_.ChangedFrom(start);
  const auto newHi = static_cast<std::size_t>(hi + static_cast<std::int32_t>(inserted.size()) - (end - start));
  const std::u16string wanted = ToDisplayText(std::string_view(bytes_).substr(lo, newHi - lo));

  // Only the units that differ go to the box.
  std::size_t head = 0;
  while (head < shown.size() && head < wanted.size() && shown[head] == wanted[head]) ++head;
  std::size_t tail = 0;
  while (tail < shown.size() - head && tail < wanted.size() - head &&
         shown[shown.size() - 1 - tail] == wanted[wanted.size() - 1 - tail]) {
    ++tail;
  }
  if (head == shown.size() && head == wanted.size()) return;
  const std::u16string units = wanted.substr(head, wanted.size() - head - tail);
  box_.call<void>("replace", unitLo + static_cast<std::int32_t>(head),
                  unitLo + static_cast<std::int32_t>(shown.size() - tail), UnitView(units));
}

void WebDocument::UserReplaced(std::int32_t from, std::int32_t to, const std::u16string& units) {
  const std::int32_t start = BytesBefore(from);
  const std::int32_t end = BytesBefore(to);
  const std::string inserted = FromDisplayText(units);
  Replace(start, end, inserted, &units);
  ReportUserChange({start, end - start, static_cast<std::int32_t>(inserted.size()), ChangeCause::User});
}

void WebDocument::ScrollCaret() { box_.call<void>("scrollCaret"); }
void WebDocument::ScrollToTop() { box_.call<void>("scrollToTop"); }
void WebDocument::ScrollToBottom() { box_.call<void>("scrollToBottom"); }

void WebDocument::Clear() {
  const std::int32_t length = Length();
  if (length == 0) return;
  Replace(0, length, {}, nullptr);
  ReportUserChange({0, length, 0, ChangeCause::User});
}

void WebDocument::Focus() { box_.call<void>("focus"); }
bool WebDocument::CanPaste() const { return box_.call<bool>("canPaste"); }
void WebDocument::Copy() { box_.call<void>("copy"); }
void WebDocument::Cut() { box_.call<void>("cut"); }
void WebDocument::Paste() { box_.call<void>("paste"); }

void WebDocument::SetDefaultFont(const std::string& face, std::int32_t twips) {
  box_.call<void>("setFont", face, twips);
}

}  // namespace plinvaro::web
