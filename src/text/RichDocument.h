// One rich-text box seen as a document of UTF-16 units: the interface each face realises.
//
// Positions are signed 32-bit counts of UTF-16 units from the start of the
// document. Text goes in and comes out as std::u16string values owned by the
// caller. The non-virtual operations hold the rules every face shares (clamping,
// text ending at its first NUL, where a replacement moves the selection, where
// ReplaceSelection leaves the caret); a face realises only the protected
// primitives and the view, focus and clipboard calls.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace plinvaro {

struct TextSelection {
  std::int32_t start = 0;  // UTF-16 units, start <= end
  std::int32_t end = 0;
  bool IsEmpty() const { return start == end; }
};

// What made a change of the text.
enum class ChangeCause {
  Program,  // ReplaceRange, called by the controller
  User,     // typing, Delete, Cut, Paste, replacing a selection
  Restore,  // the box's own Undo or Redo
};

// One change: `removed` units at `position` gave way to `inserted` units (UTF-16 units).
struct TextChange {
  std::int32_t position = 0;
  std::int32_t removed = 0;
  std::int32_t inserted = 0;
  ChangeCause cause = ChangeCause::Program;
  // Told just before the box makes the change: its length is still the old one.
  bool ahead = false;
};

// Told of each change of a document's text, after it happened (or, `ahead`, just before).
class TextChangeListener {
 public:
  virtual ~TextChangeListener() = default;
  virtual void TextChanged(const TextChange& change) = 0;
};

// A selection as a box holds it: the anchor stays put while the caret moves;
// either may be the greater (UTF-16 units).
struct SelectionEnds {
  std::int32_t anchor = 0;
  std::int32_t caret = 0;
};

class RichDocument {
 public:
  virtual ~RichDocument() = default;

  // Number of UTF-16 units in the document.
  virtual std::int32_t Length() const = 0;
  virtual TextSelection GetSelection() const = 0;

  // Selects [start, end); positions outside the text stand for its nearest end.
  void SetSelection(std::int32_t start, std::int32_t end);
  // The units from start up to end, clamped to the text.
  std::u16string GetRangeText(std::int32_t start, std::int32_t end) const;
  // The same units as 8-bit bytes, as WideToAnsi converts them; a face that
  // holds bytes hands them over without a UTF-16 copy.
  std::string GetRangeBytes(std::int32_t start, std::int32_t end) const;
  // Replaces [start, end) by `text` up to its first NUL unit (as a BSTR would
  // carry it). Selection bounds inside the range go to start; bounds behind it
  // move by the change in length.
  void ReplaceRange(std::int32_t start, std::int32_t end, const std::u16string& text);
  // Replaces the selection by `text` (up to its first NUL) and leaves the caret
  // `n` units behind the selection's start, clamped to the end; n may exceed the
  // units actually inserted.
  void ReplaceSelection(const std::u16string& text, std::int32_t n);
  // ReplaceRange and ReplaceSelection with the text given as 8-bit bytes, one
  // unit a byte as AnsiToWide converts them, up to the first NUL byte. A face
  // that holds bytes takes them without a UTF-16 copy (a chunk may be a whole
  // large file).
  void ReplaceRangeBytes(std::int32_t start, std::int32_t end, std::string_view bytes);
  void ReplaceSelectionBytes(std::string_view bytes, std::int32_t n);
  // Whether the units from `start` on are exactly those of `bytes`, one a
  // byte; false where a character may take two bytes (text/AnsiConversion.h).
  bool HoldsBytesAt(std::int32_t start, std::string_view bytes) const;

  virtual void ScrollCaret() = 0;
  virtual void ScrollToTop() = 0;     // the selection does not change
  virtual void ScrollToBottom() = 0;  // the selection does not change
  virtual void Clear() = 0;           // the document becomes empty
  virtual void Focus() = 0;
  virtual bool CanPaste() const = 0;
  virtual void Copy() = 0;
  virtual void Cut() = 0;
  virtual void Paste() = 0;
  // Sets the default character format's face and height (twips, 1/20 point).
  virtual void SetDefaultFont(const std::string& face, std::int32_t twips) = 0;

  // The listener (not owned; nullptr for none) hears every ReplaceRange as a
  // Program change and, once the face reports them, the user's changes too.
  void SetChangeListener(TextChangeListener* listener) { listener_ = listener; }
  // Whether the face reports the user's changes through ReportUserChange; a face
  // that does not leaves the listener unable to tell where the user edited.
  bool ReportsUserChanges() const { return reportsUserChanges_; }
  void SetReportsUserChanges(bool reports) { reportsUserChanges_ = reports; }
  // For the face's change notifications. Ignored while ReplaceRange runs: that
  // change reaches the listener as one Program change.
  void ReportUserChange(const TextChange& change);

 protected:
  // Primitives; the arguments are already clamped with 0 <= start <= end <= Length().
  virtual void DoSetSelection(std::int32_t start, std::int32_t end) = 0;
  virtual std::u16string DoGetRangeText(std::int32_t start, std::int32_t end) const = 0;
  // By default through the UTF-16 copy.
  virtual std::string DoGetRangeBytes(std::int32_t start, std::int32_t end) const;
  // Replaces the text only (`text` holds no NUL unit); ReplaceRange then puts the
  // selection where it belongs. False when the text could not be replaced.
  virtual bool DoReplaceRange(std::int32_t start, std::int32_t end, const std::u16string& text) = 0;
  // The same for `bytes` (no NUL byte); by default through their UTF-16 copy.
  virtual bool DoReplaceRangeBytes(std::int32_t start, std::int32_t end, std::string_view bytes);
  // HoldsBytesAt once [start, start + bytes.size()) lies within the text; by
  // default through a copy of that range.
  virtual bool DoHoldsBytesAt(std::int32_t start, std::string_view bytes) const;
  // The selection around a replacement. By default the anchor is GetSelection's
  // start and the caret its end, set back through DoSetSelection; a box that
  // keeps the selection's direction overrides both.
  virtual SelectionEnds DoGetSelectionEnds() const;
  virtual void DoSetSelectionEnds(SelectionEnds ends);
  // Inside DoReplaceRange(Bytes): where the caret stands once the replacement and
  // the selection rule are done, for a face that lays text out around the caret.
  std::int32_t caretAfterReplace() const { return caretAfter_; }

 private:
  // Around a replacement of clamped [start, end) by n units: the selection's
  // ends before it, then the listener told and the selection moved when
  // `replaced`.
  SelectionEnds BeginReplace(std::int32_t start, std::int32_t end, std::int32_t n);
  void EndReplace(SelectionEnds before, std::int32_t start, std::int32_t end, std::int32_t n,
                  bool replaced);
  // Leaves the caret n units behind the selection's start, clamped to the end.
  void PlaceCaret(std::int32_t n);
  // `replace` given the selection, then the caret placed n units behind its start.
  void ReplaceSelectionThen(std::int32_t n, const std::function<void(TextSelection)>& replace);

  TextChangeListener* listener_ = nullptr;  // not owned
  bool reportsUserChanges_ = false;
  bool replacing_ = false;  // between BeginReplace and EndReplace
  std::optional<std::int32_t> placedCaret_;  // ReplaceSelection's n while its ReplaceRange runs
  std::int32_t caretAfter_ = 0;
};

// `text` up to (not including) its first NUL unit.
std::u16string UpToFirstNul(const std::u16string& text);

}  // namespace plinvaro
